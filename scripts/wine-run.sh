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
# A test program always prints before its first test ("Running main() ..."). Under load a Wine
# start now and then ends at once with a failure before the program's first line, with nothing
# printed (three times in about 4,800 test runs): the test never ran, so it is started again,
# once. Any other failure, and any other program's, stands as it is. A test's output reaches
# ctest when the program ends, so that a retry shows only the run that counts.
is_test_run() {
    local argument
    for argument in "$@"; do [[ $argument == --gtest_* ]] && return 0; done
    return 1
}

if [ -n "${!session:-}" ]; then
    # Wine stays this script's child: run in its place (exec), test programs in parallel ended at
    # once with a failure and no output more often still.
    status=0
    if ! is_test_run "$@"; then
        "${lw_wine[@]}" DISPLAY="${!session}" wine "$@" || status=$?
        exit $status
    fi
    output=$(mktemp)
    trap 'rm -f "$output"' EXIT
    for attempt in 1 2; do
        status=0
        "${lw_wine[@]}" DISPLAY="${!session}" wine "$@" >"$output" 2>&1 || status=$?
        if [ $status -eq 0 ] || [ -s "$output" ] || [ $attempt -eq 2 ]; then break; fi
        echo "wine-run: the test program ended with status $status before printing anything; starting it again" >&2
    done
    cat "$output"
    exit $status
fi

lw_end_session_on_exit
lw_session_start
status=0
lw_run "${lw_wine[@]}" wine "$@" || status=$?
exit $status
