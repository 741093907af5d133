#!/usr/bin/env bash
# The clock on a bare X server with no window manager, a display of its own:
# dragging moves the window by the clock's own moves and snaps where it is
# dropped, and "M" hides the window (there is nothing to minimise it) after
# saying once how it comes back, which "vellamor-tool show" and a second
# start do; the program lives on and saves at the end.
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
printf '[Default]\nOnTop=1\n[Position]\nLeft=200\nTop=200\n[Size]\nLastOne=200\n' >"$CLOCK_HOME/vellamor.ini"

start_clock "$program_folder"
window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window"
at() { [ "$(window_geometry "$window" | cut -d' ' -f1,2)" = "$1" ]; }
wait_until 50 at "200 200" || fail "start: at $(window_geometry "$window")"

# "Always On Top", which no window manager keeps here: a window another
# program opens over the clock goes below it.
sleep 1.5 # the first tick draws the face
xlogo -geometry 300x300+150+150 &
xlogo_pid=$!
trap 'clean_clock_home; kill "$xlogo_pid" "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' EXIT
xlogo_on_screen() { output_has 'Map State: IsViewable' xwininfo -name xlogo; }
wait_until 50 xlogo_on_screen || fail "xlogo did not start"
sleep 0.5
import -window root "$CLOCK_HOME/shot.png"
# xlogo draws in black and white only; the clock's band is blue there.
case "$(screen_pixel 210 210)" in
"0,0,0" | "255,255,255") fail "a window opened over the clock covers it: no stay-on-top" ;;
esac
kill "$xlogo_pid"

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

# "M" says once, with the clock still on screen, how to bring it back (no
# tray, nothing to minimise to); closing that box hides the clock and the
# program goes on: "vellamor-tool show" and a second start bring it back.
xdotool mousemove 100 350 # keyboard focus follows the pointer
xdotool key m
box=""
find_box() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --pid "$CLOCK_PID" --name '^Vellamor$' 2>/dev/null); do
        [ "$candidate" != "$window" ] && box=$candidate && return 0
    done
    return 1
}
wait_until 50 find_box || fail "\"M\" said nothing about how the clock comes back"
is_viewable "$window" || fail "the clock went before the box was answered"
read -r bx by < <(window_centre "$box")
xdotool mousemove "$bx" "$by"
sleep 0.2
xdotool key Return
unmapped() { ! is_viewable "$window"; }
wait_until 30 unmapped || fail "\"M\" did not hide the clock"
sleep 1
! ended "$CLOCK_PID" || fail "closing the box ended the program"
"$program_folder/vellamor-tool" show || fail "vellamor-tool show failed"
# (Qt may give the clock a new native window when it shows it again.)
window=$(wait_until 30 shown_clock_window "$CLOCK_PID") || fail "\"vellamor-tool show\" did not bring the clock back"

# Again: hidden at once, no second box; a second start brings it back.
xdotool mousemove 100 350
xdotool key m
wait_until 30 unmapped || fail "the second \"M\" did not hide the clock"
! find_box || fail "the box came a second time"
"$program_folder/vellamor" >>"$CLOCK_HOME/clock.log" 2>&1
window=$(wait_until 30 shown_clock_window "$CLOCK_PID") || fail "a second start did not bring the clock back"

# The session ends the clock: the dropped position is saved.
stop_clock
grep -q '^Left=0$' "$CLOCK_HOME/vellamor.ini" && grep -q '^Top=250$' "$CLOCK_HOME/vellamor.ini" ||
    fail "the position was not saved: $(cat "$CLOCK_HOME/vellamor.ini")"
echo "PASS"
