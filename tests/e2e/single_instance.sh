#!/usr/bin/env bash
# One clock per user: a later start brings the running clock to the front
# (restoring it from the tray) and ends without saving anything; a killed
# clock does not block the next start, nor does one that ended normally.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"
settings=$CLOCK_HOME/vellamor.ini

# Ends the clock started last with a second start's verdict: it must end by
# itself, successfully.
expect_handover() {
    wait_for_exit "$CLOCK_PID" 100 || fail "$1 kept running beside the first clock"
    [ "$EXIT_CODE" -eq 0 ] || fail "$1 ended with code $EXIT_CODE"
}

start_clock "$program_folder" -hide
first=$CLOCK_PID
wait_until 100 tray_icon "$first" >/dev/null || fail "no icon of the clock in the tray"
window=$(clock_window "$first")
wait_until 50 is_minimised "$window" || fail "-hide did not hide the clock"
wait_until 20 has_no_taskbar_button "$window" || fail "the hidden clock kept its taskbar button"

start_clock "$program_folder"
expect_handover "a second start"
wait_until 50 is_shown "$window" || fail "the clock hidden in the tray was not restored"
wait_until 20 has_taskbar_button "$window" || fail "the restored clock has no taskbar button"
[ ! -e "$settings" ] || fail "a second start wrote the settings"

# Covered by another window, the clock comes to the top at a third start.
cover_title="covers the clock $$"
xmessage -title "$cover_title" -geometry 600x600+0+0 "$cover_title" 2>/dev/null &
CLOCK_PIDS+=($!)
wait_until 50 xdotool search --name "^$cover_title\$" >/dev/null || fail "no covering window"
cover=$(xdotool search --name "^$cover_title\$" | head -n 1)
wait_until 50 stacked_above "$cover" "$window" || fail "the covering window is not above the clock"
start_clock "$program_folder"
expect_handover "a third start"
wait_until 50 stacked_above "$window" "$cover" || fail "a third start did not bring the clock to the front"
[ ! -e "$settings" ] || fail "a third start wrote the settings"

{ kill -9 "$first" && wait "$first"; } 2>/dev/null || true
start_clock "$program_folder"
after_kill=$CLOCK_PID
wait_until 100 clock_window "$after_kill" >/dev/null || fail "the start after a killed clock did not run"
sleep 1
ended "$after_kill" && fail "the start after a killed clock ended"
start_clock "$program_folder"
expect_handover "a start beside the clock that replaced the killed one"

kill -TERM "$after_kill"
wait_for_exit "$after_kill" 100 || fail "the clock did not end on SIGTERM"
[ -e "$settings" ] || fail "the clock ended without saving its settings"
start_clock "$program_folder"
after_exit=$CLOCK_PID
wait_until 100 clock_window "$after_exit" >/dev/null || fail "the start after a normal end did not run"
sleep 1
ended "$after_exit" && fail "the start after a normal end ended"
echo PASS
