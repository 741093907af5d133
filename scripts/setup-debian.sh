#!/usr/bin/env bash
# Installs the Debian packages Vellamor needs to build, run and test, when
# any of them is missing. Runs as root, or through sudo.
set -euo pipefail

packages=(
    # build
    build-essential cmake qt6-base-dev qt6-multimedia-dev libjpeg62-turbo-dev libxcb1-dev
    libgtest-dev libbenchmark-dev
    # run: sound, the Arial-compatible font, opening documents (xdg-open
    # tells a document's type with file where no desktop environment runs)
    gstreamer1.0-plugins-good fonts-liberation xdg-utils file
    # run on a Wayland session that offers no XWayland
    qt6-wayland
    # a virtual desktop for running and testing without a display
    xvfb x11-utils xdotool imagemagick sox libsox-fmt-mp3 openbox picom trayer pulseaudio
    # a headless Wayland compositor for the test without XWayland, and
    # window managers that keep windows on the screen or off their panel
    # (the keys' tests)
    weston icewm xfwm4 xfce4-panel dbus
    # checking the Debian package (the package test)
    lintian appstream desktop-file-utils man-db
    # the sanitizer run and the fuzzers (scripts/sanitize.sh)
    clang libclang-rt-14-dev
    # the end-to-end runs set the clock's date and time
    faketime
    # the reference clock of bench/clock_vs_xclock.sh
    x11-apps
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}"
