# shellcheck shell=bash
# Sourced by the scripts that run Windows programs. Holds the project's own Wine prefixes (under
# build/wine, so nothing touches the user's Wine or home folder) and the sessions programs run
# in: a display and one wineserver for a prefix. Whatever a session starts, it ends.
#
# The main prefix (build/wine/prefix) serves the application, the gallery, the benchmarks and the
# tests that show no window. Window tests run on test desktops (build/wine/desktop-N), several at
# once, each with its own Xvfb, prefix and wineserver, so that tests on one cannot take the focus
# or the windows of another.
#
#   lw_use main|N      points lw_state and lw_wine at the main prefix or at test desktop N
#   lw_session_start   for the prefix in use: its display (the current one for main when there is
#                      one, else an Xvfb of its own), the prefix prepared once, and a wineserver of
#                      its own unless one already serves the prefix (then it joins)
#   lw_session_end     ends the wineservers and the Xvfbs the sessions started, and nothing else
#   "${lw_wine[@]}" wine ...   runs Wine in the prefix in use (also wineserver, wineboot)

lw_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
lw_wine_root="$lw_root/build/wine"
# How many test desktops a session starts: the window tests' lanes. Tests are mostly processor
# work, so a few more lanes than the machine's two cores keep both busy.
lw_desktop_count=${LW_TEST_DESKTOPS:-3}
# The resource file that tells ctest which test desktops there are (see lw_test).
lw_desktop_spec="$lw_wine_root/desktops.json"

lw_use() {
    lw_desktop=$1
    if [ "$lw_desktop" = main ]; then lw_state=$lw_wine_root; else lw_state="$lw_wine_root/desktop-$lw_desktop"; fi
    # Code page 1251, as on our users' machines, and UTF-8 file names, so that a map named in any
    # script is seen as the system shows it. deps.sh generates the locale; given to Wine only.
    lw_wine=(env WINEPREFIX="$lw_state/prefix" HOME="$lw_state/home" WINEDEBUG=-all
        WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8)
}
lw_use main

# The variable that tells programs of a running session which display serves the prefix in use.
lw_session_variable() {
    if [ "$lw_desktop" = main ]; then echo LW_WINE_SESSION; else echo "LW_WINE_SESSION_$lw_desktop"; fi
}

# The test desktop ctest gave the running test (its "desktops" resource), else main.
lw_ctest_desktop() {
    local given=${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}  # id:2,slots:1
    given=${given#id:}
    echo "${given%%,*}" | sed 's/^$/main/'
}

# What each session started, by desktop, so that lw_session_end ends exactly that.
declare -A lw_xvfb_pid=() lw_server_owned=() lw_session_lock=() lw_keeper=()

# Starts a private Xvfb on a free display it picks itself and sets lw_display once it accepts
# connections, so nothing that follows can race the server's start.
lw_start_xvfb() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 3>"$number_file" &
    lw_xvfb_pid[$lw_desktop]=$!
    local number=""
    for _ in $(seq 100); do
        number=$(cat "$number_file")
        [ -n "$number" ] && break
        kill -0 "${lw_xvfb_pid[$lw_desktop]}" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    if [ -z "$number" ]; then
        echo "wine: Xvfb did not start" >&2
        lw_session_end
        return 1
    fi
    lw_display=":$number"
}

lw_prepare_prefix() {
    mkdir -p "$lw_state/home"
    (
        flock 8
        if [ ! -f "$lw_state/prefix.ready" ]; then
            if [ "$lw_desktop" = main ]; then
                echo "wine: preparing the Wine prefix (once)" >&2
                "${lw_wine[@]}" wineboot -i </dev/null >/dev/null 2>&1 || true
            else
                # A copy of the main prefix costs seconds where a new one costs ten; the user
                # folders Wine links to its HOME are linked to this desktop's own.
                (lw_use main && lw_prepare_prefix)
                rm -rf "$lw_state/prefix"
                cp -a "$lw_wine_root/prefix" "$lw_state/prefix"
                find "$lw_state/prefix/drive_c/users" -type l -lname "$lw_wine_root/home" \
                    -exec ln -sfn "$lw_state/home" {} \;
                # No window manager runs on a test desktop's Xvfb. Handed to none, windows are
                # shown just as on such a display, without the two seconds the X11 driver
                # otherwise waits for a manager's answer each time a window closes.
                "${lw_wine[@]}" DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
                    </dev/null >/dev/null 2>&1
            fi
            # The server Wine started ends by itself; a session's own server comes next.
            "${lw_wine[@]}" wineserver -w </dev/null >/dev/null 2>&1 || true
            touch "$lw_state/prefix.ready"
        fi
    ) 8>"$lw_state/prefix.lock"
}

lw_session_start() {
    if [ "$lw_desktop" = main ] && [ -n "${DISPLAY:-}" ]; then
        lw_display=$DISPLAY
    else
        lw_start_xvfb || return 1
    fi
    lw_prepare_prefix
    # Every session holds this lock shared while it runs; the one that owns the server takes it
    # exclusively before ending the server, so it waits for sessions that joined it.
    local lock
    exec {lock}>"$lw_state/session.lock"
    lw_session_lock[$lw_desktop]=$lock
    flock -s "$lock"
    # The server answers once it listens (0), or at once when one already serves the prefix (2):
    # then this session joins that one and leaves it running.
    if "${lw_wine[@]}" wineserver -p </dev/null >/dev/null 2>&1 {lock}>&-; then
        lw_server_owned[$lw_desktop]=1
        # A program that stays for the whole session keeps the desktop's own process (explorer)
        # alive. Otherwise it ends a second after each test program, the next program starts it
        # anew and hands it its output, and ctest waits that second for the output to end.
        local keeper
        exec {keeper}> >(exec "${lw_wine[@]}" DISPLAY="$lw_display" wine cmd /c "set /p x=" \
            >/dev/null 2>&1 {lock}>&-)
        lw_keeper[$lw_desktop]=$keeper
    fi
    # Wine's own services start with the first program of a server and inherit its descriptors;
    # start them here, detached from ours, or a caller reading our output (ctest) waits for them.
    "${lw_wine[@]}" DISPLAY="$lw_display" wine cmd /c exit </dev/null >/dev/null 2>&1 {lock}>&- || true
    export "$(lw_session_variable)=$lw_display"
    [ "$lw_desktop" != main ] || export DISPLAY="$lw_display"
}

# Starts the test desktops as sessions of their own and writes the resource file ctest reads,
# so that each window test runs on one of them.
lw_desktops_start() {
    local desktop ids=()
    for desktop in $(seq "$lw_desktop_count"); do
        lw_use "$desktop"
        lw_session_start || return 1
        ids+=("{\"id\": \"$desktop\", \"slots\": 1}")
    done
    lw_use main
    local IFS=,
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktops": [%s]}]}\n' "${ids[*]}" \
        >"$lw_desktop_spec"
}

lw_session_end() {
    local desktop
    for desktop in "${!lw_session_lock[@]}"; do
        lw_use "$desktop"
        local lock=${lw_session_lock[$desktop]}
        if [ -n "${lw_server_owned[$desktop]:-}" ]; then
            flock -x -w 600 "$lock" || true
            local keeper=${lw_keeper[$desktop]}
            exec {keeper}>&-
            "${lw_wine[@]}" wineserver -k </dev/null >/dev/null 2>&1 || true
            timeout 30 "${lw_wine[@]}" wineserver -w </dev/null >/dev/null 2>&1 || true
        fi
        exec {lock}>&-
        unset "$(lw_session_variable)"
    done
    for desktop in "${!lw_xvfb_pid[@]}"; do
        kill "${lw_xvfb_pid[$desktop]}" 2>/dev/null || true
        wait "${lw_xvfb_pid[$desktop]}" 2>/dev/null || true
    done
    lw_xvfb_pid=() lw_server_owned=() lw_session_lock=() lw_keeper=()
    lw_use main
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
