# Sourced, not run: starts a virtual desktop (Xvfb, a window manager, a
# compositor and a tray host) and exports DISPLAY. stop_desktop_session ends
# it again. Used where no display is available, and by the tests always, so
# that test windows never land on the developer's own desktop.

start_desktop_session() {
    local display_number=${1:-99}
    export DISPLAY=":$display_number"
    export XDG_RUNTIME_DIR
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/vellamor-runtime.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"

    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    DESKTOP_PIDS=($!)
    for _ in $(seq 1 300); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }

    openbox >/dev/null 2>&1 &
    DESKTOP_PIDS+=($!)
    picom --backend xrender >/dev/null 2>&1 &
    DESKTOP_PIDS+=($!)
    trayer --edge top --align right --widthtype pixel --width 200 --height 32 \
        --SetDockType true --SetPartialStrut true --transparent false >/dev/null 2>&1 &
    DESKTOP_PIDS+=($!)
    sleep 1
}

stop_desktop_session() {
    local pid
    for pid in "${DESKTOP_PIDS[@]:-}"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -n "${XDG_RUNTIME_DIR:-}" ] && rm -rf "$XDG_RUNTIME_DIR"
    DESKTOP_PIDS=()
}
