#!/usr/bin/env bash
# Settings and alarm store that are not regular files (a folder, a FIFO, a
# link to /dev/zero): the clock starts without waiting on them and names them
# in a box, never replaces them, and a termination signal (a logout) still
# ends it, with the failed save of the settings on its error output. An
# alarm store that could not be read is not saved over at all.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1

# The error box ("Vellamor") of process $1.
error_box() {
    xdotool search --all --onlyvisible --pid "$1" --name '^Vellamor$' 2>/dev/null | head -n 1
}

# check_special_file NAME MAKE [SAVED]: NAME in the program folder, made by
# the command MAKE, is refused at the start and stays what it was; with
# SAVED "no" the clock does not try to write it at its end.
check_special_file() {
    local name=$1 make=$2 saved=${3:-yes}
    new_clock_home "$program_folder"
    local file=$CLOCK_HOME/$name
    $make "$file"
    local kind_before
    kind_before=$(stat -c %F "$file")

    start_clock "$program_folder"
    local clock=$CLOCK_PID box
    wait_until 100 error_box "$clock" >/dev/null || fail "$name ($kind_before): no box at the start"
    box=$(error_box "$clock")
    # (The window tests check the box's text.) The clock goes on once the
    # box is answered.
    xdotool windowactivate --sync "$box" key Return 2>/dev/null || true
    wait_until 100 clock_window "$clock" >/dev/null || fail "$name ($kind_before): the clock did not start"

    kill -TERM "$clock"
    wait_for_exit "$clock" 100 || fail "$name ($kind_before): SIGTERM did not end the clock"
    if [ "$saved" = yes ]; then
        grep -qF "Unable to write to $file" "$CLOCK_HOME/clock.log" ||
            fail "$name ($kind_before): the failed save was not reported: $(cat "$CLOCK_HOME/clock.log")"
    else
        ! grep -qF "Unable to write to $file" "$CLOCK_HOME/clock.log" ||
            fail "$name ($kind_before): the clock tried to write over a store it could not read"
    fi
    [ "$(stat -c %F "$file")" = "$kind_before" ] || fail "$name ($kind_before) was replaced"
    clean_clock_home
    trap - EXIT
}

make_folder() { mkdir "$1"; }
make_fifo() { mkfifo "$1"; }
make_zero_link() { ln -s /dev/zero "$1"; }

check_special_file vellamor.ini make_folder
check_special_file vellamor.ini make_fifo
check_special_file vellamor.ini make_zero_link
check_special_file Alarm/Alarms.cfg make_fifo no
echo PASS
