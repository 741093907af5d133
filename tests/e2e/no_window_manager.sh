#!/usr/bin/env bash
# The clock on a bare X server with no window manager, a display of its own:
# dragging moves the window by the clock's own moves and snaps where it is
# dropped, and "M" hides the window (there is nothing to minimise it), which
# a second start brings back.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"
# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$CLOCK_HOME/display" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'clean_clock_home; kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' EXIT
has_display() { [ -s "$CLOCK_HOME/display" ]; }
wait_until 100 has_display || fail "Xvfb did not start"
DISPLAY=:$(head -n 1 "$CLOCK_HOME/display")
export DISPLAY
printf '[Position]\nLeft=200\nTop=200\n[Size]\nLastOne=200\n' >"$CLOCK_HOME/vellamor.ini"

start_clock "$program_folder"
window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window"
at() { [ "$(window_geometry "$window" | cut -d' ' -f1,2)" = "$1" ]; }
wait_until 50 at "200 200" || fail "start: at $(window_geometry "$window")"

drag() { # from x y, then each point the pointer passes
    press_and_move "$@"
    xdotool mouseup 1
}
drag 300 300 310 310 400 350
wait_until 30 at "300 250" || fail "drag: at $(window_geometry "$window"), expected 300 250"
xdotool mousemove 700 700
sleep 0.3
at "300 250" || fail "after the release the clock followed the pointer to $(window_geometry "$window")"

# Dropped 13 pixels from the left edge: it snaps onto it.
drag 400 350 390 350 113 350
wait_until 30 at "0 250" || fail "drop: at $(window_geometry "$window"), expected snapped to 0 250"

# "M" hides the window; starting the clock again brings it back.
xdotool mousemove 100 350 # keyboard focus follows the pointer
xdotool key m
unmapped() { ! is_viewable "$window"; }
wait_until 30 unmapped || fail "\"M\" did not hide the clock"
"$program_folder/vellamor" >>"$CLOCK_HOME/clock.log" 2>&1
wait_until 30 is_viewable "$window" || fail "a second start did not bring the clock back"
echo "PASS"
