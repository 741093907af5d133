#!/usr/bin/env bash
# A real alarm in the real clock: nothing of the sound player (Qt Multimedia,
# GStreamer, PulseAudio) is loaded before the alarm rings; then its sound is
# heard on the session's null sink, repeating with no silence longer than a
# restart takes, until a click closes the window and stops it. The sound
# lies in a folder named in Cyrillic, as in a Russian user's home. The clock
# runs on a set date and time, three seconds before the alarm's minute.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
write_alarm_store=$2
new_clock_home "$program_folder"
[ -n "${PULSE_SERVER:-}" ] || fail "the desktop session has no sound server"
faketime_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[ -n "$faketime_library" ] || fail "libfaketime is not installed"

mkdir -p "$CLOCK_HOME/Музыка"
sound=$CLOCK_HOME/Музыка/звонок.wav
sox -n -r 44100 -c 1 "$sound" synth 1 sine 440
"$write_alarm_store" "$CLOCK_HOME/Alarm/Alarms.cfg" 07:00 "$sound" 1 || fail "cannot write the alarm store"

heard=$CLOCK_HOME/heard.raw
parec --device=vellamor_null.monitor --format=s16le --rate=8000 --channels=1 --latency-msec=20 --raw >"$heard" &
CLOCK_PIDS+=($!)
recorder=$!

# The libraries of the sound player mapped into process $1.
sound_libraries() {
    { grep -o -E 'lib(Qt6Multimedia|gst[a-z]*-1\.0|pulse)[^/]*\.so' "/proc/$1/maps" || true; } | sort -u | tr '\n' ' '
}

LD_PRELOAD=$faketime_library FAKETIME='@2024-01-01 06:59:57' FAKETIME_DONT_FAKE_MONOTONIC=1 \
    start_clock "$program_folder"
wait_until 50 clock_window "$CLOCK_PID" >/dev/null || fail "no clock window"
before=$(sound_libraries "$CLOCK_PID")
[ -z "$before" ] || fail "loaded before any alarm rang: $before"

alarm_window() {
    local id
    id=$(xdotool search --all --onlyvisible --pid "$CLOCK_PID" --name '^Your alarm is on' 2>/dev/null | head -n 1)
    [ -n "$id" ] && echo "$id"
}
wait_until 150 alarm_window >/dev/null || fail "the alarm did not ring: $(cat "$CLOCK_HOME/clock.log")"
window=$(alarm_window)
sleep 6
after=$(sound_libraries "$CLOCK_PID")
for library in libQt6Multimedia libgstreamer-1.0 libpulse; do
    [[ $after == *"$library"* ]] || fail "$library is not loaded while the alarm rings: $after"
done
xdotool mousemove --window "$window" 40 20 click 1
wait_until 50 eval '! alarm_window >/dev/null' || fail "a click did not close the alarm"
sleep 1
kill "$recorder"
wait "$recorder" 2>/dev/null || true

# One character per 250 ms of the recording: "#" heard, "." silent.
loudness=$(sox -t raw -r 8000 -e signed -b 16 -c 1 "$heard" -t dat - | awk '
    /^;/ { next }
    { sum += $2 * $2; if (++n == 2000) { printf (sqrt(sum / n) > 0.01 ? "#" : "."); sum = 0; n = 0 } }')
played=${loudness#"${loudness%%#*}"}
played=${played%"${played##*#}"}
[ -n "$played" ] || fail "nothing was heard: $loudness"
# Five seconds and more of sound: at least four restarts, none of them
# leaving more than 750 ms of silence, and silence after the click.
[ ${#played} -ge 20 ] || fail "the sound stopped early: $loudness"
[[ $played != *....* ]] || fail "silent between plays: $loudness"
[[ $loudness == *.. ]] || fail "still heard after the click: $loudness"
echo "PASS $loudness"
