#!/usr/bin/env bash
# Checks the format, builds both presets and runs every test: the portable core natively (with
# sanitizers), then the Windows build under Wine, all in one Wine session that ends with the run.
# Ends with each runner's summary.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
"$root/scripts/deps.sh" || exit 1

summaries=()
phases=()
status=0
# Each phase's wall time goes into the summary: the suite's speed is watched from run to run.
phase_start=$SECONDS
phase_done() { phases+=("$1 $((SECONDS - phase_start)) s"); phase_start=$SECONDS; }
echo "== format"
if "$root/scripts/check-format.sh"; then
    summaries+=("format: every C++ file formatted")
else
    summaries+=("format: FAILED (scripts/check-format.sh --fix)")
    status=1
fi
phase_done "format"
for preset in native win64; do
    echo "== $preset: configure and build"
    if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j2; }; then
        summaries+=("$preset: BUILD FAILED")
        status=1
        continue
    fi
    phase_done "$preset: configure and build"
    echo "== $preset: tests"
    runner=()
    [ "$preset" = win64 ] && runner=("$root/scripts/wine-session.sh")
    log="$root/build/$preset/ctest.log"
    "${runner[@]}" ctest --preset "$preset" 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    phase_done "$preset: tests"
    summaries+=("$preset: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
done

echo
echo "== Summary"
printf '%s\n' "${phases[@]}"
printf '%s\n' "${summaries[@]}"
exit $status
