#!/usr/bin/env bash
# A real alarm snoozed in the real clock: it rings, the S key snoozes it (its
# window closes), the clock is stopped and started again, the tool lists the
# snooze, and five minutes later by the clock's time it rings again, until a
# click dismisses it. The next day it rings and is snoozed again, and
# `vellamor-tool alarms delete` ends the snooze with the alarm: it does not
# ring again. The clock's time is set through libfaketime's offset file,
# which the test moves forward.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
write_alarm_store=$2
new_clock_home "$program_folder"
faketime_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[ -n "$faketime_library" ] || fail "libfaketime is not installed"

sound=$CLOCK_HOME/Alarm/second.wav
sox -n -r 44100 -c 1 "$sound" synth 1 sine 440
"$write_alarm_store" "$CLOCK_HOME/Alarm/Alarms.cfg" 07:00 "$sound" 1 || fail "cannot write the alarm store"
snoozes=$CLOCK_HOME/Alarm/Snoozes.txt

# Seconds between the real time and the clock's: it starts at 6:59:57.
offset_file=$CLOCK_HOME/faketime-offset
offset=$(($(date -d '2024-01-01 06:59:57' +%s) - $(date +%s)))
echo "$offset" >"$offset_file"
start_clock_on_set_time() {
    LD_PRELOAD=$faketime_library FAKETIME_TIMESTAMP_FILE=$offset_file FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
        start_clock "$program_folder"
    wait_until 50 clock_window "$CLOCK_PID" >/dev/null || fail "no clock window"
}
alarm_window() {
    local id
    id=$(xdotool search --all --onlyvisible --pid "$CLOCK_PID" --name '^Your alarm is on' 2>/dev/null | head -n 1)
    [ -n "$id" ] && echo "$id"
}
pending_snoozes() {
    [ -f "$snoozes" ] && grep -c $'\t' "$snoozes" || true
}

start_clock_on_set_time
wait_until 150 alarm_window >/dev/null || fail "the alarm did not ring: $(cat "$CLOCK_HOME/clock.log")"
window=$(alarm_window)
sleep 1
import -window root "$CLOCK_HOME/ringing.png"
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers s
wait_until 50 eval '! alarm_window >/dev/null' || fail "the S key did not snooze the alarm"
[ "$(pending_snoozes)" = 1 ] || fail "no snooze kept: $(cat "$snoozes" 2>/dev/null)"

# Started again, a few seconds later: the alarm rang today, its snooze is
# still ahead.
kill -TERM "$CLOCK_PID"
wait_for_exit "$CLOCK_PID" 50 || fail "the clock did not end"
start_clock_on_set_time
sleep 3
! alarm_window >/dev/null || fail "rang again before the snooze ended"
tool=$program_folder/vellamor-tool
"$tool" alarms | grep -q $'\tsnoozed until 7: 05 am$' || fail "the tool does not list the snooze: $("$tool" alarms)"

echo $((offset + 300)) >"$offset_file"
wait_until 100 alarm_window >/dev/null || fail "the snoozed alarm did not ring again: $(cat "$CLOCK_HOME/clock.log")"
window=$(alarm_window)
[ "$(pending_snoozes)" = 1 ] || fail "the snooze left the file while ringing"
xdotool mousemove --window "$window" 40 20 click 1
wait_until 50 eval '! alarm_window >/dev/null' || fail "a click did not dismiss the snoozed alarm"
wait_until 20 eval '[ "$(pending_snoozes)" = 0 ]' || fail "the dismissed snooze is still kept: $(cat "$snoozes")"

# The next morning: snoozed again, then deleted with the tool while snoozed.
next_day=$(($(date -d '2024-01-02 06:59:57' +%s) - $(date +%s)))
echo "$next_day" >"$offset_file"
wait_until 150 alarm_window >/dev/null || fail "the alarm did not ring the next day: $(cat "$CLOCK_HOME/clock.log")"
window=$(alarm_window)
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers s
wait_until 50 eval '! alarm_window >/dev/null' || fail "the S key did not snooze the alarm the next day"
[ "$(pending_snoozes)" = 1 ] || fail "no snooze kept the next day: $(cat "$snoozes" 2>/dev/null)"
"$tool" alarms delete 0 || fail "the tool could not delete the snoozed alarm"
wait_until 20 eval '[ "$(pending_snoozes)" = 0 ]' || fail "the deleted alarm's snooze is still kept: $(cat "$snoozes")"
echo $((next_day + 300)) >"$offset_file"
sleep 5
! alarm_window >/dev/null || fail "the snooze of a deleted alarm rang"
! xdotool search --all --onlyvisible --pid "$CLOCK_PID" --name '^Alarm reports$' >/dev/null 2>&1 ||
    fail "a report window is open: nothing was missed"
echo PASS
