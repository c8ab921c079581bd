# A private X server for the scripts that show a window: sourced, it offers
#
#   start_private_x [WIDTHxHEIGHT]    (default 1280x1024)
#
# which starts Xvfb on a display number that Xvfb picks itself (-displayfd:
# no guessed numbers, so two runs at once never meet), returns once it
# accepts clients, and exports DISPLAY; and
#
#   stop_private_x
#
# which ends it and waits for it. The server also ends by itself when the
# shell that started it ends, however it ends (the parent-death signal), so a
# script needs no trap for it. Call start_private_x in the script's own
# shell, not in a $(...) subshell, whose end would end the server too.
private_x=""

start_private_x() {
    local size=${1:-1280x1024} number
    number=$(mktemp)
    # Xvfb writes the number to fd 3 once it takes clients.
    setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp \
        3>"$number" </dev/null >/dev/null 2>&1 &
    private_x=$!
    for _ in $(seq 100); do
        [ -s "$number" ] && break
        kill -0 "$private_x" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$number" ]; then
        echo "private-x: Xvfb did not start" >&2
        rm -f "$number"
        stop_private_x
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$number")"
    rm -f "$number"
}

stop_private_x() {
    [ -n "$private_x" ] || return 0
    kill "$private_x" 2>/dev/null || true
    wait "$private_x" 2>/dev/null || true
    private_x=""
}
