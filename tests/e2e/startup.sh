#!/usr/bin/env bash
# The clock starts at its saved place, grows to its size on the first tick
# (also partly past the screen's edges), saves its settings when the session
# ends it (SIGTERM), and "-HIDE" starts it minimised without a taskbar button.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

home=$(new_home)
trap 'stop_clock; rm -rf "$home"' EXIT
printf '[Position]\nLeft=100\nTop=50\n[Default]\nSkin=Classic.clk\n' >"$home/vellamor.ini"

start_clock "$home"
window=$(clock_window visible) || fail "no clock window appeared"
has_geometry() { [ "$(window_geometry "$window")" = "$1" ]; }
wait_until 5 has_geometry "100 50 400 400" || fail "geometry is $(window_geometry "$window"), expected 100 50 400 400"

kill -TERM "$clock_pid"
wait "$clock_pid" || fail "the clock did not end cleanly on SIGTERM"
grep -qx 'Skin=Classic.clk' "$home/vellamor.ini" || fail "skin not saved: $(cat "$home/vellamor.ini")"
grep -qx 'Left=100' "$home/vellamor.ini" || fail "position not saved: $(cat "$home/vellamor.ini")"
grep -qx 'LastOne=400' "$home/vellamor.ini" || fail "size not saved: $(cat "$home/vellamor.ini")"

# Saved partly past the right and bottom edges: the clock grows there at the
# first tick, is not pulled back, and keeps that position.
printf '[Position]\nLeft=1000\nTop=700\n[Size]\nLastOne=400\n' >"$home/vellamor.ini"
start_clock "$home"
window=$(clock_window visible) || fail "no clock window appeared"
wait_until 5 has_geometry "1000 700 400 400" || fail "geometry is $(window_geometry "$window"), expected 1000 700 400 400"
sleep 1
has_geometry "1000 700 400 400" || fail "moved to $(window_geometry "$window") after growing"
stop_clock
grep -qx 'Left=1000' "$home/vellamor.ini" && grep -qx 'Top=700' "$home/vellamor.ini" ||
    fail "position not kept: $(cat "$home/vellamor.ini")"

start_clock "$home" -HIDE
window=$(clock_window) || fail "no clock window with -HIDE"
hidden() { xprop -id "$window" _NET_WM_STATE | grep -q '_NET_WM_STATE_HIDDEN'; }
skips_taskbar() { xprop -id "$window" _NET_WM_STATE | grep -q '_NET_WM_STATE_SKIP_TASKBAR'; }
wait_until 5 hidden || fail "-HIDE did not minimise: $(xprop -id "$window" _NET_WM_STATE)"
wait_until 5 skips_taskbar || fail "-HIDE left the taskbar button: $(xprop -id "$window" _NET_WM_STATE)"
echo "PASS"
