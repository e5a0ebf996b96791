# shellcheck shell=bash
# Sourced by the scripts that run Windows programs. Holds the project's own Wine prefix
# (build/wine, so nothing touches the user's Wine or home folder) and the session programs run
# in: a display and one wineserver for the prefix. Whatever a session starts, it ends.
#
#   lw_session_start   Xvfb of its own when DISPLAY is empty, the prefix prepared once, and a
#                      wineserver of its own unless one already serves the prefix (then it joins)
#   lw_session_end     ends the wineserver and the Xvfb it started, and nothing else
#   "${lw_wine[@]}" wine ...   runs Wine in the prefix (also wineserver, wineboot)

lw_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
lw_state="$lw_root/build/wine"

# Code page 1251, as on our users' machines; LANG alone is not enough without a generated locale.
# Given to Wine only: bash itself would complain about the missing locale.
lw_wine=(env WINEPREFIX="$lw_state/prefix" HOME="$lw_state/home" WINEDEBUG=-all
    WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8)

lw_xvfb_pid=""
lw_server_owned=""
lw_session_lock=""

# Starts a private Xvfb on a free display it picks itself and exports DISPLAY once it accepts
# connections, so nothing that follows can race the server's start.
lw_start_xvfb() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 3>"$number_file" &
    lw_xvfb_pid=$!
    local number=""
    for _ in $(seq 100); do
        number=$(cat "$number_file")
        [ -n "$number" ] && break
        kill -0 "$lw_xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    if [ -z "$number" ]; then
        echo "wine: Xvfb did not start" >&2
        lw_session_end
        return 1
    fi
    export DISPLAY=":$number"
}

lw_prepare_prefix() {
    mkdir -p "$lw_state/home"
    (
        flock 8
        if [ ! -f "$lw_state/prefix.ready" ]; then
            echo "wine: preparing the Wine prefix (once)" >&2
            "${lw_wine[@]}" wineboot -i </dev/null >/dev/null 2>&1 || true
            # The server wineboot started ends by itself; a session's own server comes next.
            "${lw_wine[@]}" wineserver -w </dev/null >/dev/null 2>&1 || true
            touch "$lw_state/prefix.ready"
        fi
    ) 8>"$lw_state/prefix.lock"
}

lw_session_start() {
    [ -n "${DISPLAY:-}" ] || lw_start_xvfb || return 1
    lw_prepare_prefix
    # Every session holds this lock shared while it runs; the one that owns the server takes it
    # exclusively before ending the server, so it waits for sessions that joined it.
    exec {lw_session_lock}>"$lw_state/session.lock"
    flock -s "$lw_session_lock"
    # The server answers once it listens (0), or at once when one already serves the prefix (2):
    # then this session joins that one and leaves it running.
    if "${lw_wine[@]}" wineserver -p </dev/null >/dev/null 2>&1 {lw_session_lock}>&-; then
        lw_server_owned=1
    fi
    # Wine's own services start with the first program of a server and inherit its descriptors;
    # start them here, detached from ours, or a caller reading our output (ctest) waits for them.
    "${lw_wine[@]}" wine cmd /c exit </dev/null >/dev/null 2>&1 {lw_session_lock}>&- || true
    export LW_WINE_SESSION="$DISPLAY"
}

lw_session_end() {
    if [ -n "$lw_server_owned" ]; then
        flock -x -w 600 "$lw_session_lock" || true
        "${lw_wine[@]}" wineserver -k </dev/null >/dev/null 2>&1 || true
        timeout 30 "${lw_wine[@]}" wineserver -w </dev/null >/dev/null 2>&1 || true
        lw_server_owned=""
    fi
    if [ -n "$lw_session_lock" ]; then
        exec {lw_session_lock}>&-
        lw_session_lock=""
    fi
    if [ -n "$lw_xvfb_pid" ]; then
        kill "$lw_xvfb_pid" 2>/dev/null || true
        wait "$lw_xvfb_pid" 2>/dev/null || true
        lw_xvfb_pid=""
    fi
    unset LW_WINE_SESSION
}

lw_child=""

# Runs a command and answers its exit status. Bash acts on a signal only once a command in the
# foreground has ended; this one runs in the background, so a signal to the script ends it at
# once, through lw_end_session_on_exit.
lw_run() {
    "$@" <&0 &
    lw_child=$!
    local status=0
    wait "$lw_child" || status=$?
    lw_child=""
    return $status
}

lw_stop_child() {
    if [ -n "$lw_child" ]; then
        kill "$lw_child" 2>/dev/null || true
        wait "$lw_child" 2>/dev/null || true
        lw_child=""
    fi
}

# Ends the command lw_run runs and the session however the script ends, also on Ctrl-C or a
# terminate signal.
lw_end_session_on_exit() {
    trap 'lw_stop_child; lw_session_end' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}
