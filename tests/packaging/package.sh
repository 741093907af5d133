#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a fresh root, checks it with
# lintian, desktop-file-validate and appstreamcli, runs the installed
# vellamor-tool render, and starts the installed clock with an empty home:
# the user's folder is filled from the shipped files and the clock shows the
# default skin as the installed tool draws it.
set -euo pipefail
build=${1:?usage: $0 BUILD_FOLDER E2E_LIB}
e2e_lib=${2:?usage: $0 BUILD_FOLDER E2E_LIB}
work=$(mktemp -d /tmp/vellamor-package.XXXXXX)
root=$work/root
home=$work/home
clock_pid=
# shellcheck source=../e2e/lib.sh
. "$e2e_lib" "$root/usr/bin"
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

# The installed clock with an empty home: nothing of this machine's user
# folders, and a runtime folder of its own for the single-instance guard.
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
run_installed() {
    env -u VELLAMOR_HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$work/runtime" "$@"
}
user=$home/.local/share/vellamor
run_installed "$root/usr/bin/vellamor" >"$work/clock.log" 2>&1 &
clock_pid=$!
window=$(clock_window visible) || fail "no clock window appeared: $(cat "$work/clock.log")"
(cd "$root/usr/share/vellamor" && find . -type f ! -path './manual/*' | sort) >"$work/shipped"
(cd "$user" && find . -type f ! -name .shipped ! -name vellamor.ini | sort) >"$work/seeded"
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
    run_installed "$root/usr/bin/vellamor-tool" render --skin "$user/default.clk" --time "$minute:00" \
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
wait_until 10 shows_default_skin || fail "the installed clock does not show the default skin"
stop_clock

# The installed tool finds a shipped skin's texture in the user's folder.
run_installed "$root/usr/bin/vellamor-tool" render --skin "$root/usr/share/vellamor/Wooden.clk" --time 10:08:30 \
    -o "$work/wooden.png" 2>"$work/render.log" || fail "render: $(cat "$work/render.log")"
! grep -q "not found" "$work/render.log" || fail "render: $(cat "$work/render.log")"
[ "$(identify -format %wx%h "$work/wooden.png")" = 400x400 ] || fail "render size"
echo "PASS"
