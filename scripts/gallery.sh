#!/usr/bin/env bash
# Screenshots of Lumpwright's windows: the main window as first started and with a folder of maps
# listed and a map's entity text loaded (also scrolled to its middle), a button in its hot and its
# pressed look, the message boxes asking to save and telling it is saved, the find dialog, the error
# report of a map cut short, the folder picker and its tree's context menu, the About window and the
# Settings window, then the main window and Settings in the light skin and the main window with a
# hue of 120 degrees, each whole with its title bar and border. Builds what is missing, runs the
# program on copies of a few maps under an Xvfb of its own (never on the user's screen), saves one
# PNG per window into build/gallery/ and prints that folder. The windows are opened by
# tools/gallery's driver, which says when each is ready; the shot is cut here from the root window,
# as Xvfb keeps no contents for a single window. Ends everything it started.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh"
[ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target Lumpwright ripent gallery_driver

# The maps every clone carries, so the gallery works without the shared folder beside it.
map_source=${LW_TESTDATA_MAPS:-$root/testdata/maps}
maps=(fy_mini.bsp aim_grenade.bsp he_tennis2.bsp)
for map in "${maps[@]}"; do
    [ -f "$map_source/$map" ] || { echo "gallery: no $map in '$map_source' (set LW_TESTDATA_MAPS)" >&2; exit 1; }
done

. "$root/scripts/lib/wine.sh"
work=$(mktemp -d)
driver_pid=""
end_all() {
    if [ -n "$driver_pid" ]; then
        kill "$driver_pid" 2>/dev/null || true
        wait "$driver_pid" 2>/dev/null || true
    fi
    lw_session_end
    rm -rf "$work"
}
trap end_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The program and the tool in a folder of their own, so the configuration they write there is
# not the one of build/win64/bin; the maps are writable copies.
mkdir -p "$work/app" "$work/maps"
cp build/win64/bin/Lumpwright.exe build/win64/bin/ripent.exe "$work/app/"
for map in "${maps[@]}"; do
    cp "$map_source/$map" "$work/maps/"
    chmod u+w "$work/maps/$map"
done
# Cut off after its header, so that loading it shows the error report box.
head -c 4096 "$map_source/${maps[0]}" >"$work/maps/zz_broken.bsp"
gallery="$root/build/gallery"
mkdir -p "$gallery"
rm -f "$gallery"/*.png

# A desktop of its own, prepared as the test desktops are: with no window manager on its Xvfb the
# windows look the same handed to none (compared pixel for pixel), and closing one costs no wait.
lw_use gallery
# The pictures show the maps' folder and the tool's messages name it: a drive of its own for the
# work folder keeps them the same from run to run, whatever folder mktemp chose. The drive is
# there before the server starts, which is when the shell learns the drives it lists. A caret that
# never blinks is caught the same way by every screenshot.
lw_prepare_prefix
ln -sfn "$work" "$lw_state/prefix/dosdevices/m:"
lw_session_start
export DISPLAY=$lw_display
"${lw_wine[@]}" wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /d -1 /f </dev/null >/dev/null 2>&1
coproc driver {
    exec "${lw_wine[@]}" wine "$root/build/win64/bin/gallery_driver.exe" 'M:\app' 'M:\maps'
}
driver_pid=$driver_PID
# The driver's input is kept in a descriptor of our own: bash forgets the coprocess's once it ends.
exec {to_driver}>&"${driver[1]}"
shots=0
while IFS= read -r line <&"${driver[0]}"; do
    read -r word name left top width height <<<"${line%$'\r'}"
    [ "$word" = shot ] || { echo "$line"; continue; }
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$gallery/$name.png"
    shots=$((shots + 1))
    echo next >&"$to_driver"
done
status=0
wait "$driver_pid" || status=$?
driver_pid=""
exec {to_driver}>&-
if [ $status -ne 0 ]; then
    echo "gallery: the driver failed after $shots shots" >&2
    exit 1
fi
echo "Gallery of $shots screenshots: $gallery/"
