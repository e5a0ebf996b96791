#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix (build/wine), so tests and the
# application never touch the user's Wine or home folder. Inside a session (scripts/wine-session.sh,
# as test-all.sh runs the tests) it only runs the program. Otherwise it runs the program in a
# session of its own, with Xvfb when there is no display, and ends that session afterwards.
set -euo pipefail

. "$(dirname "$0")/lib/wine.sh"

if [ -n "${LW_WINE_SESSION:-}" ]; then
    exec "${lw_wine[@]}" DISPLAY="$LW_WINE_SESSION" wine "$@"
fi

lw_end_session_on_exit
lw_session_start
status=0
lw_run "${lw_wine[@]}" wine "$@" || status=$?
exit $status
