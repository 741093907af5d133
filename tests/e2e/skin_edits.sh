#!/usr/bin/env bash
# Skin edits are never lost without the user's word: an edit made in the
# designer, then Exit from the tray, brings up a question above the clock;
# "Save" (Enter) writes the skin file and the next start shows the edit;
# "Discard" (Alt+D) leaves the file as it was and the next start shows it.
. "$(dirname "$0")/clock_session.sh"
program_folder=$1
new_clock_home "$program_folder"
shot=$CLOCK_HOME/shot.png

printf '[Default]\nSkin=Classic.clk\n[Position]\nLeft=100\nTop=100\n[Size]\nKeepIt=1\nLastOne=200\n' >"$CLOCK_HOME/vellamor.ini"

# Starts the clock and waits for it on screen at 100,100; its window in
# $clock.
start_and_wait() {
    start_clock "$program_folder"
    clock=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window"
    has_geometry() { [ "$(window_geometry "$clock")" = "100 100 200 200" ]; }
    wait_until 50 has_geometry || fail "geometry $(window_geometry "$clock")"
    sleep 1.5
}

# Whether the clock shows its top-left corner (a square clock does, a round
# or rounded one does not).
shows_corner() {
    import -window root "$shot"
    [ "$(screen_pixel 102 102)" != "$(screen_pixel 1200 1000)" ]
}

# "O" opens the options; the shape group comes first in the tab order, its
# first button "Circular" taking the focus; then the keys $1 choose: Right
# the next shape, space "Circular" itself.
choose_shape() {
    open_options "$clock"
    xdotool key Tab
    sleep 0.2
    xdotool key "$1"
    sleep 1
}

# The tray menu's last item, "Exit".
exit_from_tray() {
    wait_until 100 tray_icon "$CLOCK_PID" >/dev/null || fail "no tray icon"
    read -r x y < <(window_centre "$(tray_icon "$CLOCK_PID")")
    xdotool mousemove "$x" "$y" mousedown 3
    sleep 0.1
    xdotool mouseup 3
    wait_until 50 popup_menu "$CLOCK_PID" >/dev/null || fail "the right button opened no menu"
    xdotool key Up Return
}

# The question about the unsaved skin: a dialog of the clock named
# "Vellamor", above the clock.
question() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$CLOCK_PID" --name '^Vellamor$' 2>/dev/null); do
        if output_has _NET_WM_WINDOW_TYPE_DIALOG xprop -id "$window" _NET_WM_WINDOW_TYPE; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

answer_question() {
    local box
    box=$(wait_until 50 question) || fail "Exit asked nothing about the edited skin"
    stacked_above "$box" "$clock" || fail "the question is not above the clock"
    xdotool windowactivate --sync "$box" 2>/dev/null || true
    sleep 0.3
    xdotool key "$1"
    wait_for_exit "$CLOCK_PID" 100 || fail "the answer \"$1\" did not end the clock"
    [ "$EXIT_CODE" -eq 0 ] || fail "the clock ended with code $EXIT_CODE"
}

start_and_wait
! shows_corner || fail "Classic shows its corner before any edit"
choose_shape Right
shows_corner || fail "choosing \"Square\" left the clock round"
exit_from_tray
answer_question Return
"$program_folder/vellamor-tool" skin show "$CLOCK_HOME/Classic.clk" | grep -q '^Square=1' || fail "\"Save\" did not write Classic.clk"

start_and_wait
shows_corner || fail "the saved square skin did not come back"
saved=$(md5sum <"$CLOCK_HOME/Classic.clk")
choose_shape space
! shows_corner || fail "choosing \"Circular\" left the corner"
exit_from_tray
answer_question alt+d
[ "$(md5sum <"$CLOCK_HOME/Classic.clk")" = "$saved" ] || fail "\"Discard\" changed Classic.clk"

start_and_wait
shows_corner || fail "after \"Discard\" the next start does not show the file's square skin"
[ ! -e "$CLOCK_HOME/Drafts" ] || fail "a draft was kept although the user answered"
stop_clock
echo PASS
