#!/usr/bin/env bash
# On a Wayland session without XWayland (no DISPLAY), the clock runs as a
# native Wayland window under a headless weston, says in one line what it
# cannot do there and nothing else (no tray icon complaining that it has no
# tray), and when the session ends it (SIGTERM) keeps the position it placed
# itself at.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
# The home's private runtime folder holds weston's socket.
new_clock_home "$program_folder"
weston --backend=headless-backend.so --socket=vellamor-test --idle-time=0 >"$CLOCK_HOME/weston.log" 2>&1 &
weston_pid=$!
trap 'clean_clock_home; kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null' EXIT
has_socket() { [ -S "$XDG_RUNTIME_DIR/vellamor-test" ]; }
wait_until 100 has_socket || fail "weston did not start: $(cat "$CLOCK_HOME/weston.log")"

printf '[Position]\nLeft=100\nTop=50\n[Size]\nLastOne=300\n' >"$CLOCK_HOME/vellamor.ini"
unset DISPLAY
export WAYLAND_DISPLAY=vellamor-test
# Under the sanitizer run, Mesa's allocations come from drivers it unloads at
# exit; only a full unwind names the library they belong to.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0"
start_clock "$program_folder"
told() { grep -q 'runs as a Wayland window' "$CLOCK_HOME/clock.log"; }
wait_until 100 told || fail "no notice: $(cat "$CLOCK_HOME/clock.log")"
# The clock takes SIGTERM as the end of the session once it is running; a
# slow start (the sanitizer run) can take seconds to get there.
catches_sigterm() {
    local caught
    caught=$(awk '/^SigCgt:/ { print $2 }' "/proc/$CLOCK_PID/status" 2>/dev/null) || return 1
    [ -n "$caught" ] && (((16#$caught >> 14) & 1))
}
wait_until 300 catches_sigterm || fail "the clock does not handle SIGTERM: $(cat "$CLOCK_HOME/clock.log")"
sleep 2 # the first ticks
kill -0 "$CLOCK_PID" 2>/dev/null || fail "the clock ended: $(cat "$CLOCK_HOME/clock.log")"
[ "$(grep -c 'Wayland' "$CLOCK_HOME/clock.log")" -eq 1 ] || fail "the notice is not one line: $(cat "$CLOCK_HOME/clock.log")"
[ "$(wc -l <"$CLOCK_HOME/clock.log")" -eq 1 ] || fail "more than the notice on the error output: $(cat "$CLOCK_HOME/clock.log")"

kill -TERM "$CLOCK_PID"
wait "$CLOCK_PID" || fail "the clock did not end cleanly on SIGTERM"
grep -qx 'Left=100' "$CLOCK_HOME/vellamor.ini" && grep -qx 'Top=50' "$CLOCK_HOME/vellamor.ini" ||
    fail "position not kept: $(cat "$CLOCK_HOME/vellamor.ini")"
echo PASS
