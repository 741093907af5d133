#!/usr/bin/env bash
# Configures and builds into the folder given (default: build). The program
# folder of the build is <build>/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
