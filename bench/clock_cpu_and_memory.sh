#!/usr/bin/env bash
# Runs the real clock for a while on a virtual desktop and prints its share
# of one core and its peak resident memory, at 400 and 1000 pixels.
# Usage: bench/clock_cpu_and_memory.sh [BUILD_FOLDER] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
seconds=${2:-60}
. scripts/desktop-session.sh
start_desktop_session 95
trap stop_desktop_session EXIT

ticks_per_second=$(getconf CLK_TCK)
for size in 400 1000; do
    home=$(mktemp -d)
    cp "$build"/bin/*.clk "$home"/
    printf '[Size]\nKeepIt=1\nLastOne=%s\n[Position]\nLeft=0\nTop=0\n' "$size" >"$home/vellamor.ini"
    VELLAMOR_HOME=$home "$build/bin/vellamor" >/dev/null 2>&1 &
    pid=$!
    sleep 5 # started, first refresh done
    read -r -a before < <(cut -d' ' -f14,15 "/proc/$pid/stat")
    sleep "$seconds"
    read -r -a after < <(cut -d' ' -f14,15 "/proc/$pid/stat")
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    kill -TERM "$pid"
    wait "$pid" || true
    rm -rf "$home"
    used=$(( (after[0] + after[1]) - (before[0] + before[1]) ))
    awk -v used="$used" -v hz="$ticks_per_second" -v s="$seconds" -v size="$size" -v peak="$peak" \
        'BEGIN { printf "%4d px: %.2f %% of one core over %d s, peak RSS %.1f MB\n", size, 100 * used / hz / s, s, peak / 1024 }'
done
