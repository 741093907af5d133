# Sourced by the end-to-end tests: helpers around one run of the real clock on
# the desktop session the test command started (DISPLAY is set).

program_folder=${1:?usage: $0 PROGRAM_FOLDER}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: run the desktop tests through ./test.sh" >&2; exit 1; }

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A fresh program folder holding the shipped skins and the program's folders.
new_home() {
    local home
    home=$(mktemp -d /tmp/vellamor-e2e.XXXXXX)
    cp "$program_folder"/*.clk "$home"/
    mkdir -p "$home/Textures" "$home/Screenshots" "$home/Alarm"
    echo "$home"
}

# start_clock HOME [ARGS...]: starts the clock; sets clock_pid.
start_clock() {
    local home=$1
    shift
    VELLAMOR_HOME=$home "$program_folder/vellamor" "$@" >"$home/clock.log" 2>&1 &
    clock_pid=$!
}

# Whether window $1 is the clock window: among the windows named "Vellamor"
# (the message boxes, the tray icon, Qt's leader window), the one normal
# window the window manager manages.
is_clock_window() {
    local type
    type=$(xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null)
    [[ $type == *_NET_WM_WINDOW_TYPE_NORMAL* && $type != *_NET_WM_WINDOW_TYPE_DIALOG* ]] &&
        [[ $(xwininfo -id "$1" 2>/dev/null) == *"Override Redirect State: no"* ]]
}

# The clock window's id, once it exists; "visible" limits it to mapped ones.
clock_window() {
    local id visible=()
    [ "${1:-}" = visible ] && visible=(--onlyvisible)
    for _ in $(seq 1 50); do
        for id in $(xdotool search "${visible[@]}" --name '^Vellamor$' 2>/dev/null || true); do
            is_clock_window "$id" && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# "X Y WIDTH HEIGHT" of a window on the screen.
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# wait_until SECONDS COMMAND...: polls until the command succeeds.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
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

stop_clock() {
    kill -TERM "$clock_pid" 2>/dev/null || true
    wait "$clock_pid" 2>/dev/null || true
}

# The colour of a pixel of a picture, as "r,g,b".
picture_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# The colour of a pixel of the last screenshot, $home/shot.png.
screen_pixel() {
    picture_pixel "$home/shot.png" "$1" "$2"
}

# screen_shows_skin SKIN SIDE LEFT TOP "X Y"...: takes a screenshot into
# $home/shot.png and checks that at each point (relative to LEFT, TOP) the
# screen shows what the command-line companion renders for the skin at this
# minute and side. Fails, to be tried again, when the minute changed
# meanwhile.
screen_shows_skin() {
    local skin=$1 side=$2 left=$3 top=$4 minute point expected shown
    shift 4
    minute=$(date +%H:%M)
    import -window root "$home/shot.png"
    "$program_folder/vellamor-tool" render --skin "$skin" --time "$minute:00" --size "$side" \
        -o "$home/expected.png" 2>/dev/null
    [ "$(date +%H:%M)" = "$minute" ] || return 1
    for point in "$@"; do
        set -- $point
        expected=$(picture_pixel "$home/expected.png" "$1" "$2")
        shown=$(picture_pixel "$home/shot.png" $((left + $1)) $((top + $2)))
        [ "$shown" = "$expected" ] || { echo "at $point: $shown not $expected" >&2; return 1; }
    done
}
