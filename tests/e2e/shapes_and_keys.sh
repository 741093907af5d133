#!/usr/bin/env bash
# The real clock on the desktop: the circular, square and rounded outlines
# leave exactly the stated pixels, the face shows its colours, and the
# placement keys move the window.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

home=$(new_home)
trap 'stop_clock; rm -rf "$home"' EXIT
shot="$home/shot.png"


# check_outline SKIN SHAPE: a 200-pixel clock at (100, 100).
check_outline() {
    printf '[Default]\nSkin=%s\n[Position]\nLeft=100\nTop=100\n[Size]\nKeepIt=1\nLastOne=200\n' "$1" >"$home/vellamor.ini"
    start_clock "$home"
    local window
    window=$(clock_window visible) || fail "no clock window for $1"
    has_geometry() { [ "$(window_geometry "$window")" = "100 100 200 200" ]; }
    wait_until 5 has_geometry || fail "$1: geometry $(window_geometry "$window")"
    sleep 1.5 # the first tick has drawn; let the compositor present it
    import -window root "$shot"
    local desktop
    desktop=$(screen_pixel 1200 1000)
    is_clock() { [ "$(screen_pixel $((100 + $1)) $((100 + $2)))" != "$desktop" ]; }
    case $2 in
    square)
        is_clock 1 1 && is_clock 198 198 && is_clock 100 1 || fail "square: visible area not 1..198"
        ! is_clock 0 100 && ! is_clock 199 100 && ! is_clock 100 0 && ! is_clock 100 199 || fail "square: outer pixel shown"
        ;;
    rounded)
        ! is_clock 1 1 && ! is_clock 198 198 || fail "rounded: corner shown"
        is_clock 26 1 && is_clock 1 26 && is_clock 100 1 || fail "rounded: edge missing"
        ! is_clock 0 100 || fail "rounded: outer pixel shown"
        ;;
    circular)
        ! is_clock 0 0 && ! is_clock 199 199 && ! is_clock 20 20 || fail "circular: corner shown"
        is_clock 100 0 && is_clock 0 100 && is_clock 100 100 || fail "circular: face missing"
        ;;
    esac
    stop_clock
}

check_outline default.clk square
check_outline Ember.clk rounded
check_outline Classic.clk circular

# The face's colours: the screen shows what the command-line companion renders
# for the same skin and minute, on the minute ring and in the hour disc.
printf '[Default]\nSkin=default.clk\n[Position]\nLeft=100\nTop=100\n[Size]\nLastOne=200\n' >"$home/vellamor.ini"
start_clock "$home"
window=$(clock_window visible) || fail "no clock window"
sleep 2
same_colours() {
    screen_shows_skin "$home/default.clk" 200 100 100 "5 100" "195 100" "100 5" "100 60" "140 100"
}
same_colours || same_colours || fail "the face on screen differs from the rendered face"

# Keys: the work area is the screen less the tray host's strut.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
read -r _ area_top area_width area_height < <(xprop -root _NET_WORKAREA | tr -d ',' | awk '{print $3, $4, $5, $6}')
at() { [ "$(window_geometry "$window" | cut -d' ' -f1,2)" = "$1" ]; }
xdotool key Home
wait_until 3 at "-1 -1" || fail "Home: at $(window_geometry "$window")"
xdotool key Next
wait_until 3 at "$((area_width - 200 + 1)) $((area_height - 200))" || fail "Page Down: at $(window_geometry "$window")"
numlockx_on() { xdotool key Num_Lock; }
numlockx_on
xdotool key KP_5
centre_x=$(python3 -c "print(round(($area_width - 200) / 2))")
centre_y=$(python3 -c "print(round(($area_height - 200) / 2))")
wait_until 3 at "$centre_x $centre_y" || fail "NumPad 5: at $(window_geometry "$window"), expected $centre_x $centre_y"

# Dragging with the left button moves the window through the window manager;
# dropped 8 and 10 pixels from the work area's left and top edges, it snaps
# onto them.
read -r x y _ < <(window_geometry "$window")
xdotool mousemove $((x + 100)) $((y + 100)) mousedown 1
sleep 0.2
xdotool mousemove $((x + 110)) $((y + 110))
sleep 0.2
xdotool mousemove $((100 + 8)) $((100 + area_top + 10))
sleep 0.3
xdotool mouseup 1
wait_until 3 at "0 $area_top" || fail "drag: at $(window_geometry "$window"), expected snapped to 0 $area_top"
echo "PASS"
