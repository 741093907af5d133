#!/usr/bin/env bash
# Under window managers that keep windows on the screen or off their panels
# (icewm; xfwm4 with xfce4-panel at the top), the clock steps from where it
# really is: pushed against the left edge by the keys, one Right moves it off
# the edge at once; sent to the work area's corner by Home, one Down moves it
# down at once; the position saved is the one on screen. $2 names the window
# manager, "+" a panel to run beside it (in a session bus of their own);
# without them installed the test is skipped.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
manager=${2%%+*}
panel=${2#"$manager"}
panel=${panel#+}
for program in "$manager" $panel; do
    command -v "$program" >/dev/null || { echo "SKIP: $program is not installed"; exit 77; }
done
new_clock_home "$program_folder"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$CLOCK_HOME/display" >/dev/null 2>&1 &
xvfb_pid=$!
has_display() { [ -s "$CLOCK_HOME/display" ]; }
wait_until 100 has_display || fail "Xvfb did not start"
DISPLAY=:$(head -n 1 "$CLOCK_HOME/display")
export DISPLAY
if [ -n "$panel" ]; then
    dbus-run-session -- sh -c "$manager & $panel & wait" >"$CLOCK_HOME/manager.log" 2>&1 &
else
    "$manager" >"$CLOCK_HOME/manager.log" 2>&1 &
fi
manager_pid=$!
trap 'clean_clock_home; pkill -P "$manager_pid" 2>/dev/null || true; kill "$manager_pid" "$xvfb_pid" 2>/dev/null || true; wait "$manager_pid" "$xvfb_pid" 2>/dev/null || true' EXIT
manager_runs() { output_has _NET_SUPPORTING_WM_CHECK xprop -root _NET_SUPPORTING_WM_CHECK; }
wait_until 100 manager_runs || fail "$manager did not start"
[ -z "$panel" ] || sleep 4 # the panel takes its strip of the screen
sleep 1

printf '[Position]\nLeft=10\nTop=200\n[Size]\nLastOne=200\n' >"$CLOCK_HOME/vellamor.ini"
start_clock "$program_folder"
window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window"
x_of() { window_geometry "$window" | cut -d' ' -f1; }
y_of() { window_geometry "$window" | cut -d' ' -f2; }
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5
for _ in $(seq 1 8); do
    xdotool key Left
    sleep 0.15
done
sleep 0.5
at_edge=$(x_of)
xdotool key Right
sleep 0.5
[ "$(x_of)" -gt "$at_edge" ] || fail "Right did not move the clock off $at_edge (now $(x_of)): it stepped from where it asked to be"

xdotool key Home
sleep 0.5
in_corner=$(y_of)
xdotool key Down
sleep 0.5
[ "$(y_of)" -eq $((in_corner + 5)) ] || fail "Down moved the clock from $in_corner to $(y_of), not 5 pixels down"
read -r left top < <(window_geometry "$window" | cut -d' ' -f1,2)
stop_clock
grep -qx "Left=$left" "$CLOCK_HOME/vellamor.ini" && grep -qx "Top=$top" "$CLOCK_HOME/vellamor.ini" ||
    fail "saved $(grep -E 'Left=|Top=' "$CLOCK_HOME/vellamor.ini" | tr '\n' ' '), on screen $left $top"
echo PASS
