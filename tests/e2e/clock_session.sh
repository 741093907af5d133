# shellcheck shell=bash
# Sourced by the end-to-end scripts: runs the clock of a program folder in a
# fresh home of its own on the current display and finds its windows.
# Needs DISPLAY (the desktop session of ./test.sh: Xvfb, openbox, trayer).

set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run through ./test.sh or under scripts/desktop-session.sh"

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_until() {
    local tenths=$1
    shift
    for _ in $(seq 1 "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# Whether the output of the command that follows holds the text $1. (Not a
# pipe into grep -q: with pipefail, the writer's broken pipe would fail it.)
output_has() {
    local text=$1 output
    shift
    output=$("$@" 2>/dev/null) || true
    [[ $output == *"$text"* ]]
}

# A fresh program folder (VELLAMOR_HOME) with the shipped skins, and a
# private runtime folder, so that the instance guard only sees this test's
# clocks.
new_clock_home() {
    local program_folder=$1
    CLOCK_HOME=$(mktemp -d /tmp/vellamor-e2e.XXXXXX)
    cp "$program_folder"/*.clk "$CLOCK_HOME"/
    mkdir -p "$CLOCK_HOME/Alarm" "$CLOCK_HOME/Textures" "$CLOCK_HOME/Screenshots" "$CLOCK_HOME/runtime"
    chmod 700 "$CLOCK_HOME/runtime"
    export VELLAMOR_HOME=$CLOCK_HOME XDG_RUNTIME_DIR=$CLOCK_HOME/runtime
    CLOCK_PIDS=()
    trap clean_clock_home EXIT
}

clean_clock_home() {
    local pid
    for pid in "${CLOCK_PIDS[@]:-}"; do
        [ -n "$pid" ] || continue
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$CLOCK_HOME"
}

# Starts the clock in the background; its pid in CLOCK_PID.
start_clock() {
    local program_folder=$1
    shift
    "$program_folder/vellamor" "$@" >>"$CLOCK_HOME/clock.log" 2>&1 &
    CLOCK_PID=$!
    CLOCK_PIDS+=("$CLOCK_PID")
}

# Whether process $1 has ended (a child that ended stays a zombie until it is
# waited for).
ended() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 0
    [[ $state == Z* ]]
}

# Ends the clock started last as the session does (SIGTERM), so that it saves
# its settings, and waits for it.
stop_clock() {
    kill -TERM "$CLOCK_PID" 2>/dev/null || true
    wait "$CLOCK_PID" 2>/dev/null || true
}

# Whether window $1 is a clock window: among the windows named "Vellamor"
# (the message boxes, the tray icon, Qt's leader window), the one normal
# window the window manager manages.
is_clock_window() {
    output_has _NET_WM_WINDOW_TYPE_NORMAL xprop -id "$1" _NET_WM_WINDOW_TYPE &&
        ! output_has _NET_WM_WINDOW_TYPE_DIALOG xprop -id "$1" _NET_WM_WINDOW_TYPE &&
        output_has 'Override Redirect State: no' xwininfo -id "$1"
}

# The clock window of process $1.
clock_window() {
    local window
    for window in $(xdotool search --all --pid "$1" --name '^Vellamor$' 2>/dev/null); do
        if is_clock_window "$window"; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

# The clock window of process $1 once it is on the screen.
shown_clock_window() {
    local window
    window=$(clock_window "$1") && is_viewable "$window" && echo "$window"
}

# The tray icon of process $1: its window embedded in the tray host's
# (trayer's) windows.
tray_icon() {
    local host window
    for host in $(xdotool search --class '^trayer$' 2>/dev/null); do
        for window in $(xdotool search --pid "$1" 2>/dev/null); do
            if output_has " $(printf '0x%x' "$window") " xwininfo -tree -id "$host"; then
                echo "$window"
                return 0
            fi
        done
    done
    return 1
}

is_viewable() {
    output_has 'Map State: IsViewable' xwininfo -id "$1"
}

# Minimised: iconic for the window manager, and not on screen.
is_minimised() {
    output_has 'window state: Iconic' xprop -id "$1" WM_STATE && ! is_viewable "$1"
}

is_shown() {
    output_has 'window state: Normal' xprop -id "$1" WM_STATE && is_viewable "$1"
}

has_no_taskbar_button() {
    output_has _NET_WM_STATE_SKIP_TASKBAR xprop -id "$1" _NET_WM_STATE
}

has_taskbar_button() {
    ! has_no_taskbar_button "$1"
}

# A popup menu of process $1 on screen (a visible override-redirect window).
popup_menu() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        if output_has 'Override Redirect State: yes' xwininfo -id "$window"; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

# Whether window $1 is stacked above window $2 (the window manager's
# stacking order lists the client windows bottom to top).
stacked_above() {
    local order
    order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*# //; s/, / /g')
    local position=0 first=-1 second=-1 window
    for window in $order; do
        [ $((window)) -eq $(($1)) ] && first=$position
        [ $((window)) -eq $(($2)) ] && second=$position
        position=$((position + 1))
    done
    [ "$first" -ge 0 ] && [ "$second" -ge 0 ] && [ "$first" -gt "$second" ]
}

# "X Y WIDTH HEIGHT" of window $1 on the screen.
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

# Centre of a window in root coordinates: "x y".
window_centre() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x + int(w / 2), y + int(h / 2) }'
}

# Presses "O" on clock window $1 and waits for the options window, which it
# activates; its window in $options.
open_options() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
    xdotool key o
    options=""
    find_options() { options=$(xdotool search --onlyvisible --name ' -  Options$' 2>/dev/null | head -n 1); [ -n "$options" ]; }
    wait_until 50 find_options || fail "\"O\" opened no options window"
    xdotool windowactivate --sync "$options" 2>/dev/null || true
    sleep 0.5
}

# Waits up to $2 tenths of a second for process $1 to end; its exit code in
# EXIT_CODE.
wait_for_exit() {
    local pid=$1 tenths=$2
    wait_until "$tenths" ended "$pid" || return 1
    EXIT_CODE=0
    wait "$pid" || EXIT_CODE=$?
}

# press_and_move X Y [X Y ...]: presses the left button at the first point
# and moves the pointer through the others, the button still down.
press_and_move() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    shift 2
    while [ $# -gt 0 ]; do
        sleep 0.2
        xdotool mousemove "$1" "$2"
        shift 2
    done
    sleep 0.3
}

# The colour of pixel ($2, $3) of picture $1, as "r,g,b".
picture_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# The colour of pixel ($1, $2) of the last screenshot, $CLOCK_HOME/shot.png.
screen_pixel() {
    picture_pixel "$CLOCK_HOME/shot.png" "$1" "$2"
}

# screen_shows_skin PROGRAM_FOLDER SKIN SIDE LEFT TOP "X Y"...: takes a
# screenshot into $CLOCK_HOME/shot.png and checks that at each point
# (relative to LEFT, TOP) the screen shows what the command-line companion
# renders for the skin at this minute and side. Fails, to be tried again,
# when the minute changed meanwhile.
screen_shows_skin() {
    local program_folder=$1 skin=$2 side=$3 left=$4 top=$5 minute point expected shown
    shift 5
    minute=$(date +%H:%M)
    import -window root "$CLOCK_HOME/shot.png"
    "$program_folder/vellamor-tool" render --skin "$skin" --time "$minute:00" --size "$side" \
        -o "$CLOCK_HOME/expected.png" 2>/dev/null
    [ "$(date +%H:%M)" = "$minute" ] || return 1
    for point in "$@"; do
        # shellcheck disable=SC2086 # the point's two numbers
        set -- $point
        expected=$(picture_pixel "$CLOCK_HOME/expected.png" "$1" "$2")
        shown=$(picture_pixel "$CLOCK_HOME/shot.png" $((left + $1)) $((top + $2)))
        [ "$shown" = "$expected" ] || { echo "at $point: $shown not $expected" >&2; return 1; }
    done
}
