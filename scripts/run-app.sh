#!/usr/bin/env bash
# Builds what is missing and starts Lumpwright.exe under Wine on the current display.
# Without a display it runs the program under an Xvfb of its own, saves a screenshot of the main
# window, prints where, and ends the program, the Xvfb and the wineserver it started.
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

. "$root/scripts/lib/wine.sh"
app=""
end_all() {
    if [ -n "$app" ]; then
        kill "$app" 2>/dev/null || true
        wait "$app" 2>/dev/null || true
    fi
    lw_session_end
}
trap end_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

lw_session_start
"${lw_wine[@]}" wine "$exe" </dev/null >/dev/null 2>&1 &
app=$!

caption="Lumpwright 1.0"
# Xvfb keeps no contents for a single window, so the shot is cut from the root window.
geometry_of_window() {
    xwininfo -name "$caption" 2>/dev/null | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {if (w) printf "%sx%s+%s+%s", w, h, x, y}' || true
}
# The window is placed after it first appears; shoot once it has stayed put for a second, which
# also lets the first paint finish.
geometry=""
for _ in $(seq 120); do
    kill -0 "$app" 2>/dev/null || break
    previous=$geometry
    sleep 1
    geometry=$(geometry_of_window)
    [ -n "$geometry" ] && [ "$geometry" = "$previous" ] && break
done
if [ -z "$geometry" ] || [ "$geometry" != "$previous" ]; then
    echo "run-app: the main window did not appear" >&2
    exit 1
fi
shot="$root/build/screenshots/main-window.png"
mkdir -p "$(dirname "$shot")"
import -window root -crop "$geometry" +repage "$shot"
echo "Screenshot of the main window: $shot"
