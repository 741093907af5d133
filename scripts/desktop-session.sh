# Sourced, not run: starts a virtual desktop (Xvfb, a window manager, a
# compositor, a tray host and a silent sound server) and exports DISPLAY.
# stop_desktop_session ends it again. Used where no display is available, and
# by the tests always, so that test windows never land on the developer's own
# desktop and test sounds never reach the speakers.

start_desktop_session() {
    local display_number=${1:-99}
    export DISPLAY=":$display_number"
    DESKTOP_RUNTIME_DIR=$(mktemp -d /tmp/vellamor-runtime.XXXXXX)
    chmod 700 "$DESKTOP_RUNTIME_DIR"
    export XDG_RUNTIME_DIR=$DESKTOP_RUNTIME_DIR

    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    DESKTOP_PIDS=($!)
    for _ in $(seq 1 300); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    # A session that does not come up is ended here: the callers end only
    # sessions that started.
    if ! xdpyinfo >/dev/null 2>&1; then
        echo "Xvfb did not start on $DISPLAY" >&2
        stop_desktop_session
        return 1
    fi

    openbox >/dev/null 2>&1 &
    DESKTOP_PIDS+=($!)
    picom --backend xrender >/dev/null 2>&1 &
    DESKTOP_PIDS+=($!)
    trayer --edge top --align right --widthtype pixel --width 200 --height 32 \
        --SetDockType true --SetPartialStrut true --transparent false >/dev/null 2>&1 &
    DESKTOP_PIDS+=($!)
    start_null_sink || { stop_desktop_session; return 1; }
    sleep 1
}

# A sound server whose only output is a null sink, "vellamor_null": sounds
# play as on a desktop, silently, and tests hear them on its monitor.
start_null_sink() {
    command -v pulseaudio >/dev/null || return 0
    mkdir -p "$XDG_RUNTIME_DIR/pulse"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native" PULSE_COOKIE="$XDG_RUNTIME_DIR/pulse/cookie"
    HOME=$XDG_RUNTIME_DIR PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse pulseaudio --daemonize=no \
        --exit-idle-time=-1 --use-pid-file=no --log-level=error -n \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse/native" \
        -L "module-null-sink sink_name=vellamor_null" >/dev/null 2>&1 &
    DESKTOP_PIDS+=($!)
    for _ in $(seq 1 100); do
        pactl set-default-sink vellamor_null >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "the session's sound server did not start" >&2
    return 1
}

stop_desktop_session() {
    local pid
    for pid in "${DESKTOP_PIDS[@]:-}"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    # Only the runtime folder the session made is removed.
    [ -n "${DESKTOP_RUNTIME_DIR:-}" ] && rm -rf "$DESKTOP_RUNTIME_DIR"
    DESKTOP_RUNTIME_DIR=
    unset PULSE_SERVER PULSE_COOKIE
    DESKTOP_PIDS=()
}
