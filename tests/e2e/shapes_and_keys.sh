#!/usr/bin/env bash
# The real clock on the desktop: the circular, square and rounded outlines
# leave exactly the stated pixels, the face shows its colours, and the
# placement keys move the window.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"
shot=$CLOCK_HOME/shot.png

# check_outline SKIN SHAPE: a 200-pixel clock at (100, 100).
check_outline() {
    printf '[Default]\nSkin=%s\n[Position]\nLeft=100\nTop=100\n[Size]\nKeepIt=1\nLastOne=200\n' "$1" >"$CLOCK_HOME/vellamor.ini"
    start_clock "$program_folder"
    local window
    window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window for $1"
    has_geometry() { [ "$(window_geometry "$window")" = "100 100 200 200" ]; }
    wait_until 50 has_geometry || fail "$1: geometry $(window_geometry "$window")"
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
printf '[Default]\nSkin=default.clk\n[Position]\nLeft=100\nTop=100\n[Size]\nLastOne=200\n' >"$CLOCK_HOME/vellamor.ini"
start_clock "$program_folder"
window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window"
sleep 2
same_colours() {
    screen_shows_skin "$program_folder" "$CLOCK_HOME/default.clk" 200 100 100 "5 100" "195 100" "100 5" "100 60" "140 100"
}
same_colours || same_colours || fail "the face on screen differs from the rendered face"

# Keys: the work area is the screen less the tray host's strut at the top;
# corners and the centre are the work area's.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
read -r area_left area_top area_width area_height < <(xprop -root _NET_WORKAREA | tr -d ',' | awk '{print $3, $4, $5, $6}')
at() { [ "$(window_geometry "$window" | cut -d' ' -f1,2)" = "$1" ]; }
xdotool key Home
wait_until 30 at "$((area_left - 1)) $((area_top - 1))" || fail "Home: at $(window_geometry "$window")"
xdotool key Next
wait_until 30 at "$((area_left + area_width - 200 + 1)) $((area_top + area_height - 200))" || fail "Page Down: at $(window_geometry "$window")"
numlockx_on() { xdotool key Num_Lock; }
numlockx_on
xdotool key KP_5
centre_x=$(python3 -c "print($area_left + round(($area_width - 200) / 2))")
centre_y=$(python3 -c "print($area_top + round(($area_height - 200) / 2))")
wait_until 30 at "$centre_x $centre_y" || fail "NumPad 5: at $(window_geometry "$window"), expected $centre_x $centre_y"

# A click on the clock, without motion, moves nothing: the clock does not
# follow the pointer afterwards.
read -r x y _ < <(window_geometry "$window")
xdotool mousemove $((x + 100)) $((y + 100)) click 1
sleep 0.3
xdotool mousemove $((x + 400)) $((y + 300))
sleep 0.5
at "$x $y" || fail "after a click the clock followed the pointer to $(window_geometry "$window")"

# Dragging with the left button moves the window through the window manager,
# with the motion from the press on; after the release it stays where it was
# dropped while the pointer moves on.
read -r x y _ < <(window_geometry "$window")
press_and_move $((x + 100)) $((y + 100)) $((x + 110)) $((y + 110)) $((x + 150)) $((y + 120))
wait_until 30 at "$((x + 50)) $((y + 20))" || fail "drag: at $(window_geometry "$window"), expected $((x + 50)) $((y + 20))"
xdotool mouseup 1
sleep 0.3
xdotool mousemove $((x + 400)) $((y + 300))
sleep 0.5
at "$((x + 50)) $((y + 20))" || fail "after the release the clock followed the pointer to $(window_geometry "$window")"

# Dropped 13 pixels from the work area's left edge and 10 below its top, it
# snaps onto both once the button is up.
read -r x y _ < <(window_geometry "$window")
press_and_move $((x + 100)) $((y + 100)) $((x + 90)) $((y + 90)) $((area_left + 13 + 100)) $((area_top + 10 + 100))
wait_until 30 at "$((area_left + 13)) $((area_top + 10))" || fail "drag: at $(window_geometry "$window") before the release"
xdotool mouseup 1
wait_until 50 at "$area_left $area_top" || fail "drop: at $(window_geometry "$window"), expected snapped to $area_left $area_top"
echo "PASS"
