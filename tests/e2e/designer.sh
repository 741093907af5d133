#!/usr/bin/env bash
# The skin designer drives the real clock: "O" opens the options, the keyboard
# chooses the square shape and types a size, and the clock on the screen
# shows exactly that skin at once; Escape closes the options.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"
shot=$CLOCK_HOME/shot.png

printf '[Default]\nSkin=Classic.clk\n[Position]\nLeft=100\nTop=100\n[Size]\nKeepIt=1\nLastOne=200\n' >"$CLOCK_HOME/vellamor.ini"
start_clock "$program_folder"
clock=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window"
has_geometry() { [ "$(window_geometry "$clock")" = "100 100 $1 $1" ]; }
wait_until 50 has_geometry 200 || fail "geometry $(window_geometry "$clock")"
sleep 1.5
import -window root "$shot"
desktop=$(screen_pixel 1200 1000)
is_clock() { [ "$(screen_pixel $((100 + $1)) $((100 + $2)))" != "$desktop" ]; }
! is_clock 2 2 || fail "the circular clock shows its corner"

open_options "$clock"

# The shape group comes first in the designer's tab order; the arrow key
# chooses the next shape, "Square".
xdotool key Tab
sleep 0.2
xdotool key Right
sleep 1
import -window root "$shot"
is_clock 2 2 || fail "choosing \"Square\" left the clock round"

# Then the transparency box and the size box, which takes typing.
xdotool key Tab Tab ctrl+a
xdotool type --delay 50 300
wait_until 50 has_geometry 300 || fail "typing 300 left the clock at $(window_geometry "$clock")"

# The screen shows what the command-line companion renders for the skin the
# designer made: Classic, square, 300 pixels.
cp "$CLOCK_HOME/Classic.clk" "$CLOCK_HOME/made.clk"
"$program_folder/vellamor-tool" skin set "$CLOCK_HOME/made.clk" Square=1 Rounded=0 >/dev/null
same_colours() {
    sleep 1.2
    screen_shows_skin "$program_folder" "$CLOCK_HOME/made.clk" 300 100 100 "5 150" "295 150" "150 5" "150 90" "200 150" "2 2" "297 297"
}
same_colours || same_colours || fail "the clock on screen is not the designed skin"

xdotool key Escape
closed() { ! xdotool search --onlyvisible --name ' -  Options$' >/dev/null 2>&1; }
wait_until 50 closed || fail "Escape left the options open"
has_geometry 300 || fail "closing the options undid the size"
echo "PASS"
