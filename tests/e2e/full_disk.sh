#!/usr/bin/env bash
# The clock on a full disk: its program folder is a 64 KB tmpfs, mounted in a
# mount namespace of this test alone, that fills up while the clock runs.
# Ending it (SIGTERM) cannot save: the alarm store and the settings keep
# their old bytes, and the failure is on the error output. Run twice: with a
# store that needs room (its save fails first), and with none (an empty store
# needs no room, so the settings fail).
. "$(dirname "$0")/clock_session.sh"
program_folder=$1

if [ "${2:-}" != --inside ]; then
    if [ "$(id -u)" = 0 ]; then namespace=(unshare --mount); else namespace=(unshare --user --map-root-user --mount); fi
    if ! "${namespace[@]}" true 2>/dev/null; then
        echo "SKIP: no mount namespace here, so no tmpfs of the test's own"
        exit 77
    fi
    exec "${namespace[@]}" "$0" "$program_folder" --inside
fi

new_clock_home "$program_folder"
disk=$CLOCK_HOME/disk
mkdir "$disk" "$CLOCK_HOME/before"
mount -t tmpfs -o size=64k tmpfs "$disk"
trap 'umount "$disk"; clean_clock_home' EXIT
export VELLAMOR_HOME=$disk
# The skin the settings name; the other shipped skins would fill the small
# disk before the test does.
cp "$CLOCK_HOME/Classic.clk" "$disk/"
mkdir "$disk/Alarm"
head -c 5376 /dev/zero >"$disk/Alarm/Alarms.cfg"
printf '[Default]\nSkin=Classic.clk\n[Position]\nLeft=100\nTop=50\n' >"$disk/vellamor.ini"
cp "$disk/Alarm/Alarms.cfg" "$disk/vellamor.ini" "$CLOCK_HOME/before/"

# run_until_full FILE: starts the clock, fills the disk, ends the clock, and
# checks that the save of FILE failed and nothing on the disk changed.
run_until_full() {
    local file=$1
    start_clock "$program_folder"
    local clock=$CLOCK_PID
    wait_until 100 clock_window "$clock" >/dev/null || fail "the clock did not start"
    dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null || true
    kill -TERM "$clock"
    wait_for_exit "$clock" 100 || fail "SIGTERM did not end the clock"
    grep -qF "Unable to write to $disk/$file" "$CLOCK_HOME/clock.log" ||
        fail "the failed save of $file was not reported: $(cat "$CLOCK_HOME/clock.log")"
    cmp "$CLOCK_HOME/before/vellamor.ini" "$disk/vellamor.ini" || fail "the settings changed"
    [ -z "$(find "$disk" -name '.*' -type f)" ] || fail "temporary files left: $(find "$disk" -name '.*' -type f)"
    rm "$disk/filler"
}

run_until_full "Alarm/Alarms.cfg: No space left on device"
cmp "$CLOCK_HOME/before/Alarms.cfg" "$disk/Alarm/Alarms.cfg" || fail "the alarm store changed"

rm "$disk/Alarm/Alarms.cfg"
run_until_full vellamor.ini
echo PASS
