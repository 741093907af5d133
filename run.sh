#!/usr/bin/env bash
# Installs what is missing, builds, and starts the clock. Without a display it
# shows the clock on a virtual one and writes a screenshot.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup-debian.sh
scripts/build.sh build

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/vellamor "$@"
fi

. scripts/desktop-session.sh
start_desktop_session 98
trap 'kill "$clock" 2>/dev/null; wait "$clock" 2>/dev/null; stop_desktop_session' EXIT
build/bin/vellamor "$@" &
clock=$!
sleep 4
screenshot="$PWD/build/screenshot.png"
import -window root "$screenshot"
echo "No display here: the clock runs on a virtual display ($DISPLAY)."
echo "Screenshot written to $screenshot"
echo "Press Ctrl+C to stop the clock."
wait "$clock"
