#!/usr/bin/env bash
# A user opens the options of the running clock, creates a one-time alarm a
# minute ahead in the alarm editor with the mouse and the keys, and presses
# "Done". The alarm rings: its window comes up showing its text, and once it
# has rung the store on disk no longer holds it (deleted after playing, saved
# at once). The clock runs on a set date, from 08:29:20: the keys have forty
# seconds to set the alarm to 08:30 before that minute begins.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"
faketime_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[ -n "$faketime_library" ] || fail "libfaketime is not installed"
# 24-hour pickers: the minute is the picker's last part, one arrow key away.
printf '[Default]\nSkin=default.clk\nDigFrm=1\n[Position]\nLeft=40\nTop=560\n' >"$CLOCK_HOME/vellamor.ini"
shot=$CLOCK_HOME/shot.png

# The first run of rows of a picture that have colour $3 in column $2, as
# "first last".
rows_of_colour() {
    convert "$1" -crop "1x+$2+0" +repage txt:- | awk -v colour="$3" '
        $0 ~ colour { split($1, at, "[,:]"); if (first == "") first = at[2]; last = at[2]; next }
        first != "" { exit } END { if (first != "") print first, last }'
}

LD_PRELOAD=$faketime_library FAKETIME='@2024-03-05 08:29:20' FAKETIME_DONT_FAKE_MONOTONIC=1 \
    start_clock "$program_folder"
clock=$CLOCK_PID
window=$(wait_until 100 shown_clock_window "$clock") || fail "no clock window"

xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key o
options_window() { xdotool search --all --onlyvisible --pid "$clock" --name 'Options$' 2>/dev/null | head -n 1; }
options_shown() { [ -n "$(options_window)" ]; }
wait_until 50 options_shown || fail "\"O\" opened no options window"
options=$(options_window)
xdotool windowactivate --sync "$options" 2>/dev/null || true
# To the third page, "Alarms".
xdotool key ctrl+Tab ctrl+Tab

# The editor's tool bar is the band of its own grey at the page's top; "Create
# alarm" is its first button.
toolbar_shown() {
    import -window "$options" "$shot"
    read -r toolbar_top toolbar_bottom < <(rows_of_colour "$shot" 12 '#F2F2F2') && [ -n "${toolbar_top:-}" ]
}
wait_until 30 toolbar_shown || fail "no alarm editor on the third page"
xdotool mousemove --window "$options" 50 $(((toolbar_top + toolbar_bottom) / 2)) click 1
sleep 0.5
# The new alarm's time picker has the focus, at this minute (08:29): one
# minute on.
# Then the first day choice, "Today", and "Done" (the window's default
# button), which ends the edit and saves.
xdotool key End Up Tab space
sleep 0.3
xdotool key Return
wait_until 50 eval '! options_shown' || fail "\"Done\" did not close the options window"

# The tool lists it on the clock's date, before it rang.
listed=$(LD_PRELOAD=$faketime_library FAKETIME='@2024-03-05 08:29:30' \
    "$program_folder/vellamor-tool" alarms --store "$CLOCK_HOME/Alarm/Alarms.cfg" --24h)
expected="0	New Alarm	Once	8: 30	5 Mar 2024	"
[ "$(cut -f1,3- <<<"$listed")" = "$expected" ] || fail "the store holds \"$listed\", expected \"$expected\""

# It rings at 08:30:04, at most 44 seconds after the clock started.
alarm_window() { xdotool search --all --onlyvisible --pid "$clock" --name '^Your alarm is on !!! / click to close$' 2>/dev/null | head -n 1; }
alarm_shown() { [ -n "$(alarm_window)" ]; }
wait_until 500 alarm_shown || fail "the alarm did not ring"
alarm=$(alarm_window)
sleep 0.5
# What the user sees: the window shows its text, pixels apart from the
# window's background (its lower-right pixel).
read -r x y width height < <(xwininfo -id "$alarm" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
[ "$width" -ge 150 ] || fail "the alarm window is only $width pixels wide"
import -window root -crop "${width}x${height}+$x+$y" +repage "$shot"
background=$(convert "$shot" -format "%[pixel:p{$((width - 1)),$((height - 1))}]" info:)
text_pixels=$(convert "$shot" -fuzz 10% -fill white -opaque "$background" -fill black +opaque white \
    -format '%[fx:int((1 - mean) * w * h + 0.5)]' info:)
[ "$text_pixels" -ge 300 ] || fail "the alarm window shows no text ($text_pixels pixels apart from its background)"

read -r centre_x centre_y < <(window_centre "$alarm")
xdotool mousemove "$centre_x" "$centre_y" click 1
wait_until 50 eval '! alarm_shown' || fail "a click did not close the alarm window"
# Deleted after playing, and saved at once.
wait_until 30 test ! -s "$CLOCK_HOME/Alarm/Alarms.cfg" || fail "the rung alarm is still in the store on disk"
echo PASS
