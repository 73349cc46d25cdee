# Sourced by the scripts that run Windows programs: one Xvfb display (24-bit) and one
# persistent wineserver for the whole run, both stopped again on exit.
#   session_start              always a display of its own
#   session_start --desktop    the desktop in DISPLAY when one answers, else its own
# Needs: $build (the build folder). Sets DISPLAY and WINEPREFIX, and session_own_display
# (1 when the display is the session's own).

session_prefix="$build/wineprefix"
session_xvfb_pid=""
session_own_display=0

session_stop() {
    WINEPREFIX=$session_prefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$session_prefix wineserver -w >/dev/null 2>&1 || true
    if [ -n "$session_xvfb_pid" ]; then
        kill "$session_xvfb_pid" 2>/dev/null || true
        wait "$session_xvfb_pid" 2>/dev/null || true
        session_xvfb_pid=""
    fi
}

session_start() {
    if [ "${1:-}" = --desktop ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        trap session_stop EXIT
        session_prepare_prefix
        return
    fi
    local fdfile
    session_own_display=1
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    session_xvfb_pid=$!
    trap session_stop EXIT
    for _ in $(seq 1 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    if [ ! -s "$fdfile" ]; then
        echo "Xvfb did not start" >&2
        rm -f "$fdfile"
        return 1
    fi
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
    session_prepare_prefix
}

session_prepare_prefix() {
    export WINEPREFIX=$session_prefix
    "$repo/tools/wine-run.sh" --prefix "$session_prefix" --init
    # A server left from creating the prefix (or from an earlier run) is ended first, so the
    # persistent one below serves the whole run.
    timeout 30 wineserver -w >/dev/null 2>&1 || wineserver -k >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1 </dev/null
}
