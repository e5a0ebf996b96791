#!/usr/bin/env bash
# Runs a command in one Wine session for the project's prefix: Xvfb when there is no display and
# one wineserver kept for all the Windows programs the command runs through wine-run.sh (Wine's
# start-up is paid once, not per program). Beside it start the test desktops ctest runs window
# tests on, several at once (LW_TEST_DESKTOPS, default 3), each its own Xvfb, prefix and
# wineserver. Ends all of them when the command ends.
#   scripts/wine-session.sh ctest --test-dir build/win64 -R Entity
set -euo pipefail

. "$(dirname "$0")/lib/wine.sh"

[ $# -gt 0 ] || { echo "usage: $0 <command> [arguments...]" >&2; exit 2; }
lw_end_session_on_exit
lw_session_start
lw_desktops_start
status=0
lw_run "$@" || status=$?
exit $status
