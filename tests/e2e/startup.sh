#!/usr/bin/env bash
# The clock starts at its saved place, grows to its size on the first tick
# (also partly past the screen's edges), saves its settings when the session
# ends it (SIGTERM), and "-HIDE" starts it minimised without a taskbar button.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"
settings=$CLOCK_HOME/vellamor.ini
printf '[Position]\nLeft=100\nTop=50\n[Default]\nSkin=Classic.clk\n' >"$settings"

start_clock "$program_folder"
window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window appeared"
has_geometry() { [ "$(window_geometry "$window")" = "$1" ]; }
wait_until 50 has_geometry "100 50 400 400" || fail "geometry is $(window_geometry "$window"), expected 100 50 400 400"

kill -TERM "$CLOCK_PID"
wait "$CLOCK_PID" || fail "the clock did not end cleanly on SIGTERM"
grep -qx 'Skin=Classic.clk' "$settings" || fail "skin not saved: $(cat "$settings")"
grep -qx 'Left=100' "$settings" || fail "position not saved: $(cat "$settings")"
grep -qx 'LastOne=400' "$settings" || fail "size not saved: $(cat "$settings")"

# Saved partly past the right and bottom edges: the clock grows there at the
# first tick, is not pulled back, and keeps that position.
printf '[Position]\nLeft=1000\nTop=700\n[Size]\nLastOne=400\n' >"$settings"
start_clock "$program_folder"
window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window appeared"
wait_until 50 has_geometry "1000 700 400 400" || fail "geometry is $(window_geometry "$window"), expected 1000 700 400 400"
sleep 1
has_geometry "1000 700 400 400" || fail "moved to $(window_geometry "$window") after growing"
stop_clock
grep -qx 'Left=1000' "$settings" && grep -qx 'Top=700' "$settings" ||
    fail "position not kept: $(cat "$settings")"

start_clock "$program_folder" -HIDE
window=$(wait_until 50 clock_window "$CLOCK_PID") || fail "no clock window with -HIDE"
wait_until 50 output_has _NET_WM_STATE_HIDDEN xprop -id "$window" _NET_WM_STATE ||
    fail "-HIDE did not minimise: $(xprop -id "$window" _NET_WM_STATE)"
wait_until 50 has_no_taskbar_button "$window" || fail "-HIDE left the taskbar button: $(xprop -id "$window" _NET_WM_STATE)"
echo "PASS"
