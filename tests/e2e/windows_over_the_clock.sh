#!/usr/bin/env bash
# Every window the clock opens comes up above it, also when it stays on top
# (the start-up's error box, the options window), and none of them blocks the
# tray icon: with the options window open, the tray menu hides the clock, a
# click on the icon brings it back, and "Exit" ends the program.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"

head -c 100 "$CLOCK_HOME/default.clk" >"$CLOCK_HOME/broken.clk"
printf '[Default]\nSkin=broken.clk\nOnTop=1\n[Position]\nLeft=300\nTop=300\n[Size]\nLastOne=400\n' >"$CLOCK_HOME/vellamor.ini"
start_clock "$program_folder"
clock=$CLOCK_PID
wait_until 100 tray_icon "$clock" >/dev/null || fail "no icon of the clock in the tray"
window=$(clock_window "$clock")

# The process's other managed windows: its boxes and the options window.
other_window() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --pid "$clock" 2>/dev/null); do
        [ $((candidate)) -ne $((window)) ] || continue
        output_has "$1" xprop -id "$candidate" WM_NAME || continue
        output_has 'Override Redirect State: no' xwininfo -id "$candidate" && { echo "$candidate"; return 0; }
    done
    return 1
}
stays_on_top() { output_has _NET_WM_STATE_ABOVE xprop -id "$window" _NET_WM_STATE; }

# The box about the broken skin is up while the first tick puts the clock on
# top: the box stays above it.
wait_until 50 other_window '"Vellamor"' >/dev/null || fail "no box about the broken skin"
box=$(other_window '"Vellamor"')
wait_until 30 stays_on_top || fail "the clock did not go on top: $(xprop -id "$window" _NET_WM_STATE)"
sleep 0.5
stacked_above "$box" "$window" || fail "the error box is below the clock that stays on top"
xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool windowfocus --sync "$box" key Return
wait_until 30 eval '! is_viewable "$box"' || fail "the error box did not close"

# "O" opens the options window above the clock.
read -r x y < <(window_centre "$window")
xdotool mousemove "$x" "$y"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key o
wait_until 50 other_window Options >/dev/null || fail "\"O\" opened no options window"
options=$(other_window Options)
sleep 0.5
stacked_above "$options" "$window" || fail "the options window is below the clock that stays on top"

# The tray's menu and icon work while the options window is open.
icon=$(tray_icon "$clock")
read -r icon_x icon_y < <(window_centre "$icon")
open_tray_menu() {
    xdotool mousemove "$icon_x" "$icon_y" mousedown 3
    sleep 0.1
    xdotool mouseup 3
    wait_until 50 popup_menu "$clock" >/dev/null || fail "the tray menu did not open with the options window open"
}
open_tray_menu
xdotool key Down Down Return # "Hide"
wait_until 50 is_minimised "$window" || fail "the tray menu's \"Hide\" did not hide the clock"
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_until 50 is_shown "$window" || fail "a click on the tray icon did not bring the clock back"
open_tray_menu
xdotool key Up Return # "Exit", the last item
wait_for_exit "$clock" 100 || fail "the tray menu's \"Exit\" did not end the clock"
echo PASS
