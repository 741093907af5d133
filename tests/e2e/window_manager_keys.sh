#!/usr/bin/env bash
# Under a window manager that keeps windows on the screen (icewm), the clock
# steps from where it really is: pushed against the left edge by the keys,
# one Right moves it off the edge at once, and the position saved is the one
# on screen. $2 names the window manager; without it installed the test is
# skipped.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
manager=$2
command -v "$manager" >/dev/null || { echo "SKIP: $manager is not installed"; exit 77; }
new_clock_home "$program_folder"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$CLOCK_HOME/display" >/dev/null 2>&1 &
xvfb_pid=$!
has_display() { [ -s "$CLOCK_HOME/display" ]; }
wait_until 100 has_display || fail "Xvfb did not start"
DISPLAY=:$(head -n 1 "$CLOCK_HOME/display")
export DISPLAY
"$manager" >"$CLOCK_HOME/manager.log" 2>&1 &
manager_pid=$!
trap 'clean_clock_home; kill "$manager_pid" "$xvfb_pid" 2>/dev/null; wait "$manager_pid" "$xvfb_pid" 2>/dev/null' EXIT
manager_runs() { output_has _NET_SUPPORTING_WM_CHECK xprop -root _NET_SUPPORTING_WM_CHECK; }
wait_until 100 manager_runs || fail "$manager did not start"
sleep 1

printf '[Position]\nLeft=10\nTop=200\n[Size]\nLastOne=200\n' >"$CLOCK_HOME/vellamor.ini"
start_clock "$program_folder"
window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window"
x_of() { window_geometry "$window" | cut -d' ' -f1; }
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
stop_clock
grep -qx "Left=$((at_edge + 5))" "$CLOCK_HOME/vellamor.ini" || fail "saved $(grep Left= "$CLOCK_HOME/vellamor.ini"), on screen $((at_edge + 5))"
echo PASS
