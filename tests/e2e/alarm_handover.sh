#!/usr/bin/env bash
# vellamor-tool alarms add and disable with the clock running on the store:
# the clock takes the changes, and its store is the one the tool writes
# without a clock, byte for byte; the clock's own save at exit keeps it so.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"
tool=$program_folder/vellamor-tool
add=(alarms add --weekly 2 --days mon,thu --start 2024-01-01 --time 6:45 --name Standup --message "Stand up"
    --now "2024-01-01 12:00:00")
store=$CLOCK_HOME/Alarm/Alarms.cfg

# The same changes on a store of its own.
changed_store() {
    local home=$1
    mkdir -p "$home/Alarm"
    VELLAMOR_HOME=$home "$tool" "${add[@]}" >/dev/null || fail "add in $home failed"
    VELLAMOR_HOME=$home "$tool" alarms disable 0 || fail "disable in $home failed"
}

start_clock "$program_folder"
wait_until 50 clock_window "$CLOCK_PID" >/dev/null || fail "no clock window"
index=$("$tool" "${add[@]}") || fail "add with the clock running failed"
[ "$index" = 0 ] || fail "the added alarm is not alarm 0: $index"
"$tool" alarms disable 0 || fail "disable with the clock running failed"
[ -s "$store" ] || fail "the clock did not save the added alarm"

# A store the running clock does not keep: the tool changes it itself.
changed_store "$CLOCK_HOME/elsewhere"
cmp "$store" "$CLOCK_HOME/elsewhere/Alarm/Alarms.cfg" || fail "the clock's store differs from the tool's"

"$tool" alarms delete 5 2>"$CLOCK_HOME/error.txt" && fail "deleting a missing alarm succeeded"
grep -q "no alarm 5" "$CLOCK_HOME/error.txt" || fail "the clock's answer was not shown: $(cat "$CLOCK_HOME/error.txt")"

# The store file changed behind the clock's back (say, restored from a
# backup): the alarm the tool lists as 0 is not the clock's alarm 0, and a
# change by that index is refused with both named, changing nothing.
cp "$store" "$CLOCK_HOME/kept.cfg"
mkdir -p "$CLOCK_HOME/other/Alarm"
VELLAMOR_HOME=$CLOCK_HOME/other XDG_RUNTIME_DIR=$CLOCK_HOME/other \
    "$tool" alarms add --daily 1 --time 9:00 --name Other >/dev/null || fail "add in other failed"
cp "$CLOCK_HOME/other/Alarm/Alarms.cfg" "$store"
status=0
"$tool" alarms delete 0 2>"$CLOCK_HOME/error.txt" || status=$?
[ "$status" = 2 ] || fail "a change for another alarm ended with $status: $(cat "$CLOCK_HOME/error.txt")"
grep -q 'is now "Standup" (handle [0-9a-f]*), not the alarm with handle' "$CLOCK_HOME/error.txt" ||
    fail "the refusal does not name both alarms: $(cat "$CLOCK_HOME/error.txt")"
cmp "$store" "$CLOCK_HOME/other/Alarm/Alarms.cfg" || fail "the refused change was saved"
cp "$CLOCK_HOME/kept.cfg" "$store"

kill -TERM "$CLOCK_PID"
wait_for_exit "$CLOCK_PID" 50 || fail "the clock did not end"
cmp "$store" "$CLOCK_HOME/elsewhere/Alarm/Alarms.cfg" || fail "the clock's save at exit changed the store"

# No clock at all.
changed_store "$CLOCK_HOME/alone"
cmp "$store" "$CLOCK_HOME/alone/Alarm/Alarms.cfg" || fail "the store written without a clock differs"
"$tool" alarms --now "2024-01-01 12:00:00" | grep -q -E $'^0\t[0-9a-f]{8}\tStandup\tWeekly\t6: 45 am\t<Expired>\t$' ||
    fail "not listed as disabled: $("$tool" alarms --now "2024-01-01 12:00:00")"
echo PASS
