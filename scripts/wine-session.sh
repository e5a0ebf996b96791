#!/usr/bin/env bash
# Runs a command in one Wine session for the project's prefix: Xvfb when there is no display and
# one wineserver kept for all the Windows programs the command runs through wine-run.sh (Wine's
# start-up is paid once, not per program). Ends both when the command ends.
#   scripts/wine-session.sh ctest --test-dir build/win64 -R Entity
set -euo pipefail

. "$(dirname "$0")/lib/wine.sh"

[ $# -gt 0 ] || { echo "usage: $0 <command> [arguments...]" >&2; exit 2; }
lw_end_session_on_exit
lw_session_start
status=0
lw_run "$@" || status=$?
exit $status
