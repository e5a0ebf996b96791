#!/usr/bin/env bash
# Builds what is missing and starts Lumpwright.exe under Wine on the current display.
# Without a display it runs the program under Xvfb, saves a screenshot of the main window,
# prints where, and ends the program.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh"
[ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target Lumpwright ripent

exe="$root/build/win64/bin/Lumpwright.exe"
if [ -n "${DISPLAY:-}" ]; then
    exec "$root/scripts/wine-run.sh" "$exe"
fi

"$root/scripts/wine-run.sh" "$exe" &
app=$!
display=$(cat "$root/build/wine/display")
caption="Lumpwright 1.0"
# Xvfb keeps no contents for a single window, so the shot is cut from the root window.
geometry=""
for _ in $(seq 300); do
    geometry=$(xwininfo -display "$display" -name "$caption" 2>/dev/null | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {if (w) printf "%sx%s+%s+%s", w, h, x, y}') || true
    [ -n "$geometry" ] && break
    sleep 0.2
done
shot="$root/build/screenshots/main-window.png"
mkdir -p "$(dirname "$shot")"
status=0
if [ -n "$geometry" ]; then
    sleep 2  # let the first paint finish
    import -display "$display" -window root -crop "$geometry" +repage "$shot"
    echo "Screenshot of the main window: $shot"
else
    echo "run-app: the main window did not appear" >&2
    status=1
fi
pkill -f 'Lumpwright.exe' 2>/dev/null || true
wait "$app" 2>/dev/null || true
exit $status
