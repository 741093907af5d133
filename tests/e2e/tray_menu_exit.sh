#!/usr/bin/env bash
# The clock's icon appears in the tray, the right button opens its menu, and
# the menu's "Exit" ends the program with the settings saved.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"

start_clock "$program_folder"
clock=$CLOCK_PID
wait_until 100 tray_icon "$clock" >/dev/null || fail "no icon of the clock in the tray"
icon=$(tray_icon "$clock")
wait_until 30 is_viewable "$icon" || fail "the tray icon is not on screen"
read -r x y < <(window_centre "$icon")
read -r width height < <(xwininfo -id "$icon" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
colours=$(import -window root -crop "${width}x${height}+$((x - width / 2))+$((y - height / 2))" png:- |
    convert - -format %k info:)
[ "$colours" -gt 1 ] || fail "the tray icon shows no picture"
[ ! -e "$CLOCK_HOME/vellamor.ini" ] || fail "settings written before the end"

xdotool mousemove "$x" "$y" mousedown 3
sleep 0.1
xdotool mouseup 3
wait_until 50 popup_menu "$clock" >/dev/null || fail "the right button opened no menu"
# "Exit" is the menu's last item.
xdotool key Up Return
wait_for_exit "$clock" 100 || fail "\"Exit\" did not end the clock"
[ "$EXIT_CODE" -eq 0 ] || fail "the clock ended with code $EXIT_CODE"
grep -q '^LastOne=' "$CLOCK_HOME/vellamor.ini" 2>/dev/null || fail "the settings were not saved"
echo PASS
