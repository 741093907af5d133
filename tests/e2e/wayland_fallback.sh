#!/usr/bin/env bash
# On a Wayland session without XWayland (no DISPLAY), the clock runs as a
# native Wayland window under a headless weston, says in one line what it
# cannot do there, and when the session ends it (SIGTERM) keeps the position
# it placed itself at.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
home=$(new_home)
mkdir -m 700 "$home/runtime"
export XDG_RUNTIME_DIR=$home/runtime
weston --backend=headless-backend.so --socket=vellamor-test --idle-time=0 >"$home/weston.log" 2>&1 &
weston_pid=$!
trap 'stop_clock; kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; rm -rf "$home"' EXIT
has_socket() { [ -S "$XDG_RUNTIME_DIR/vellamor-test" ]; }
wait_until 10 has_socket || fail "weston did not start: $(cat "$home/weston.log")"

printf '[Position]\nLeft=100\nTop=50\n[Size]\nLastOne=300\n' >"$home/vellamor.ini"
unset DISPLAY
export WAYLAND_DISPLAY=vellamor-test
# Under the sanitizer run, Mesa's allocations come from drivers it unloads at
# exit; only a full unwind names the library they belong to.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0"
start_clock "$home"
told() { grep -q 'runs as a Wayland window' "$home/clock.log"; }
wait_until 10 told || fail "no notice: $(cat "$home/clock.log")"
sleep 2 # the first ticks
kill -0 "$clock_pid" 2>/dev/null || fail "the clock ended: $(cat "$home/clock.log")"
[ "$(grep -c 'Wayland' "$home/clock.log")" -eq 1 ] || fail "the notice is not one line: $(cat "$home/clock.log")"

kill -TERM "$clock_pid"
wait "$clock_pid" || fail "the clock did not end cleanly on SIGTERM"
grep -qx 'Left=100' "$home/vellamor.ini" && grep -qx 'Top=50' "$home/vellamor.ini" ||
    fail "position not kept: $(cat "$home/vellamor.ini")"
echo PASS
