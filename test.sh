#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the logic and window
# tests, and the end-to-end runs of the real program on a virtual desktop.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup-debian.sh
scripts/build.sh build

. scripts/desktop-session.sh
# VELLAMOR_TEST_DISPLAY lets several test runs share one machine.
start_desktop_session "${VELLAMOR_TEST_DISPLAY:-97}"
trap stop_desktop_session EXIT
cd build
ctest --output-on-failure -j"$(nproc)" "$@"
