#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix (build/wine), so tests and the
# application never touch the user's Wine or home folder; a window test ctest gave a test desktop
# runs in that desktop's prefix. Inside a session (scripts/wine-session.sh, as test-all.sh runs
# the tests) it only runs the program. Otherwise it runs the program in a session of its own, with
# Xvfb when there is no display, and ends that session afterwards.
set -euo pipefail

. "$(dirname "$0")/lib/wine.sh"

lw_use "$(lw_ctest_desktop)"
session=$(lw_session_variable)
if [ -n "${!session:-}" ]; then
    # Wine stays this script's child: run as ctest's own child (exec), test programs in parallel
    # now and then ended at once with a failure and no output (2 in 600 runs; none in 1,600 so).
    status=0
    "${lw_wine[@]}" DISPLAY="${!session}" wine "$@" || status=$?
    exit $status
fi

lw_end_session_on_exit
lw_session_start
status=0
lw_run "${lw_wine[@]}" wine "$@" || status=$?
exit $status
