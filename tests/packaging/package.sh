#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a fresh root, checks it with
# lintian, desktop-file-validate and appstreamcli, runs the installed
# vellamor-tool render, and starts the installed clock with an empty home:
# the user's folder is filled from the shipped files, the clock shows the
# default skin as the installed tool draws it, and an alarm with a shipped
# sound and picture rings through the installed sound player.
set -euo pipefail
usage="usage: $0 BUILD_FOLDER CLOCK_SESSION_HELPERS WRITE_ALARM_STORE"
build=${1:?$usage}
clock_session=${2:?$usage}
write_alarm_store=${3:?$usage}
work=$(mktemp -d /tmp/vellamor-package.XXXXXX)
root=$work/root
home=$work/home
CLOCK_PID=
# shellcheck source=../e2e/clock_session.sh
. "$clock_session"
trap 'stop_clock; rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
deb=$(echo "$work"/package/vellamor_*.deb)
[ -f "$deb" ] || fail "no package in $work/package"
dpkg-deb -x "$deb" "$root"

# What a distribution checks; the package's justified exceptions are in its
# lintian overrides.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$work/appstream.log" 2>&1 ||
    fail "appstream: $(cat "$work/appstream.log")"
for page in vellamor vellamor-tool; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
    [ "$(identify -format %wx%h "$root/usr/share/icons/hicolor/$size/apps/vellamor.png")" = "$size" ] ||
        fail "icon $size"
done
[ -f "$root/usr/share/vellamor/manual/index.html" ] || fail "no manual"
skins=$(find "$root/usr/share/vellamor" -maxdepth 1 -name '*.clk' | wc -l)
[ "$skins" -ge 10 ] || fail "only $skins skins installed"
# Each shipped skin comes with its picture in the gallery.
for skin in "$root"/usr/share/vellamor/*.clk; do
    snapshot="$root/usr/share/vellamor/Screenshots/$(basename "$skin" .clk).jpg"
    [ "$(identify -format %wx%h "$snapshot" 2>/dev/null)" = 300x300 ] || fail "no 300 x 300 snapshot for $skin"
done

# The installed clock with an empty home: nothing of this machine's user
# folders, and a runtime folder of its own for the single-instance guard.
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
# A command, not a function, so that a clock started in the background is
# the process whose id the test keeps.
installed=(env -u VELLAMOR_HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$work/runtime")
user=$home/.local/share/vellamor
"${installed[@]}" "$root/usr/bin/vellamor" >"$work/clock.log" 2>&1 &
CLOCK_PID=$!
window=$(wait_until 50 shown_clock_window "$CLOCK_PID") || fail "no clock window appeared: $(cat "$work/clock.log")"
(cd "$root/usr/share/vellamor" && find . -type f ! -path './manual/*' | sort) >"$work/shipped"
(cd "$user" && find . -type f ! -name .shipped ! -name vellamor.ini ! -name Watched.txt | sort) >"$work/seeded"
diff "$work/shipped" "$work/seeded" >&2 || fail "the user's folder was not filled with the shipped files"
for folder in Textures Screenshots Alarm; do
    [ -d "$user/$folder" ] || fail "no $folder in the user's folder"
done

# The screen shows the default skin as the installed tool draws it, at
# points of the minute band, which the seconds marker does not cross.
read -r left top _ <<<"$(window_geometry "$window")"
shows_default_skin() {
    local minute point expected shown
    minute=$(date +%H:%M)
    import -window root "$work/shot.png"
    "${installed[@]}" "$root/usr/bin/vellamor-tool" render --skin "$user/default.clk" --time "$minute:00" \
        -o "$work/expected.png" 2>/dev/null
    [ "$(date +%H:%M)" = "$minute" ] || return 1
    for point in "200 40" "40 200" "200 360" "360 360"; do
        # shellcheck disable=SC2086 # the point's two numbers
        set -- $point
        expected=$(picture_pixel "$work/expected.png" "$1" "$2")
        shown=$(picture_pixel "$work/shot.png" $((left + $1)) $((top + $2)))
        [ "$shown" = "$expected" ] || { echo "at $point: $shown not $expected" >&2; return 1; }
    done
}
wait_until 100 shows_default_skin || fail "the installed clock does not show the default skin"
stop_clock

# A new user's alarm with a shipped sound and picture, on a set date and time
# three seconds before it rings. The sound player is loaded from the
# installation, and the window, as wide as the picture, closes by itself when
# the sound has played once.
faketime_library=$(find /usr/lib -path '*/faketime/libfaketime.so.1' | head -n 1)
[ -n "$faketime_library" ] || fail "libfaketime is not installed"
"$write_alarm_store" "$user/Alarm/Alarms.cfg" 07:00 "$user/Alarm/Chimes.wav" 0 "$user/Alarm/Sunrise.jpg" ||
    fail "cannot write the alarm store"
"${installed[@]}" LD_PRELOAD="$faketime_library" FAKETIME='@2024-01-01 06:59:57' FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$root/usr/bin/vellamor" >"$work/clock.log" 2>&1 &
CLOCK_PID=$!
alarm_window() {
    xdotool search --all --onlyvisible --pid "$CLOCK_PID" --name '^Your alarm is on' 2>/dev/null | head -n 1 | grep .
}
wait_until 150 alarm_window >/dev/null || fail "the alarm did not ring: $(cat "$work/clock.log")"
read -r _ _ width _ <<<"$(window_geometry "$(alarm_window)")"
[ "$width" = 400 ] || fail "the alarm window is $width wide, not the picture's 400"
plugin=$(find "$root/usr/lib" -name '*vellamor_sound.so')
[ -n "$plugin" ] && grep -qF "$plugin" "/proc/$CLOCK_PID/maps" ||
    fail "the installed sound player is not loaded: $(cat "$work/clock.log")"
wait_until 150 eval '! alarm_window >/dev/null' || fail "the alarm did not end with its sound"
stop_clock

# The installed tool finds a shipped skin's texture in the user's folder.
"${installed[@]}" "$root/usr/bin/vellamor-tool" render --skin "$root/usr/share/vellamor/Wooden.clk" --time 10:08:30 \
    -o "$work/wooden.png" 2>"$work/render.log" || fail "render: $(cat "$work/render.log")"
! grep -q "not found" "$work/render.log" || fail "render: $(cat "$work/render.log")"
[ "$(identify -format %wx%h "$work/wooden.png")" = 400x400 ] || fail "render size"
echo "PASS"
