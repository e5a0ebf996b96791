#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, so tests and the application
# never touch the user's Wine or home folder. Starts Xvfb when there is no display, and keeps
# one wineserver alive so a test run does not pay Wine's start-up for every executable.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
state="$root/build/wine"
mkdir -p "$state/home"

export WINEPREFIX="$state/prefix"
export HOME="$state/home"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 1251, as on our users' machines; LANG alone is not enough without a generated locale.
# Given to Wine only: bash itself would complain about the missing locale.
russian=(env LC_ALL=ru_RU.UTF-8)

start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        echo ":$n" >"$state/display"
        return
    done
    echo "wine-run: no free X display" >&2
    exit 1
}

if [ -z "${DISPLAY:-}" ]; then
    exec 9>"$state/xvfb.lock"
    flock 9
    if [ ! -f "$state/display" ] || ! xdpyinfo -display "$(cat "$state/display")" >/dev/null 2>&1; then
        start_xvfb
    fi
    DISPLAY=$(cat "$state/display")
    export DISPLAY
    flock -u 9
fi

exec 8>"$state/prefix.lock"
flock 8
if [ ! -f "$state/prefix.ready" ]; then
    echo "wine-run: preparing the Wine prefix (once)" >&2
    "${russian[@]}" wineboot -i >/dev/null 2>&1 || true
    touch "$state/prefix.ready"
fi
# Wine's own services start with the first program of a session and inherit its descriptors;
# start them here, detached from ours, or a caller reading our output (ctest) waits for them.
# Once per server session, which a test run of one program per test would otherwise pay every
# time: a new session has a new socket (inode numbers come back; the time of creation does not).
"${russian[@]}" wineserver -p </dev/null >/dev/null 2>&1 8>&- 9>&- || true
server="server-$(printf '%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))"
session=$(stat -c "%i %z" /tmp/.wine-"$(id -u)"/"$server"/socket /tmp/wine-*/"$server"/socket 2>/dev/null | sort | tr "\n" " " || true)
if [ -z "$session" ] || [ "$session" != "$(cat "$state/session" 2>/dev/null)" ]; then
    "${russian[@]}" wine cmd /c exit </dev/null >/dev/null 2>&1 8>&- 9>&- || true
    echo "$session" >"$state/session"
fi
flock -u 8

exec "${russian[@]}" wine "$@"
