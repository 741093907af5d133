#!/usr/bin/env bash
# Runs Vellamor and `xclock -update 1` side by side on one virtual desktop
# (Xvfb, openbox, picom, a tray host), each alone while it is measured, at 400
# and 1000 pixels, and prints for each: client CPU (every thread), X server
# and compositor CPU over the same time, resident memory at the end, and the
# time from exec to the first mapped window (the median of a few starts),
# with Vellamor's figures as ratios of xclock's.
#
# Usage: bench/clock_vs_xclock.sh [BUILD_FOLDER] [SECONDS] [DISPLAY_NUMBER]
#   SECONDS of steady running per clock and size (60 by default; 10 is a
#   quick look). The machine should be otherwise idle: check `uptime`, and
#   compare ratios from one run, not figures from different runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
seconds=${2:-60}
display_number=${3:-95}
settle=3 # seconds after the first mapped window before measuring
starts=5 # starts timed per clock and size

first_map=$build/bench/vellamor_first_map
for needed in "$build/bin/vellamor" "$first_map" xclock; do
    command -v "$needed" >/dev/null || { echo "missing: $needed" >&2; exit 1; }
done
# perf counts every thread, also the short-lived ones; /proc's process
# times, in clock ticks, are the fallback.
use_perf=false
perf stat -e task-clock -x, -o /dev/null -- true 2>/dev/null && use_perf=true

work=$(mktemp -d /tmp/vellamor-bench.XXXXXX)
. scripts/desktop-session.sh
start_desktop_session "$display_number"
cleanup() {
    stop_desktop_session
    rm -rf "$work"
}
trap cleanup EXIT
xserver_pid=${DESKTOP_PIDS[0]}
compositor_pid=${DESKTOP_PIDS[2]}

# The command line of a clock at a size; Vellamor reads its size and place
# from a fresh program folder.
clock_command() {
    local clock=$1 size=$2
    if [ "$clock" = vellamor ]; then
        local home=$work/home-$size
        rm -rf "$home"
        mkdir -p "$home"
        cp "$build"/bin/*.clk "$home"/
        printf '[Size]\nKeepIt=1\nLastOne=%s\n[Position]\nLeft=0\nTop=40\n' "$size" >"$home/vellamor.ini"
        echo env VELLAMOR_HOME="$home" "$build/bin/vellamor"
    else
        echo xclock -update 1 -geometry "${size}x${size}+0+40"
    fi
}

# Nanoseconds a process has run, all its threads that are alive.
run_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ total += $1 } END { printf "%d\n", total }'
}

stop_process() {
    kill -TERM "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# Milliseconds from exec to the first mapped window, one start.
time_first_map() {
    local clock=$1 size=$2 command
    command=$(clock_command "$clock" "$size")
    coproc watcher { "$first_map" "$clock" 20; }
    local ready
    read -r ready <&"${watcher[0]}"
    local started
    started=$(date +%s%N)
    $command >/dev/null 2>&1 &
    local pid=$!
    local mapped=""
    read -r mapped <&"${watcher[0]}" || true
    wait "$watcher_PID" 2>/dev/null || true
    sleep 0.5
    stop_process "$pid"
    [ -n "$mapped" ] || { echo "no window of $clock was mapped" >&2; return 1; }
    echo $(((mapped - started) / 1000000))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# Runs a clock for the settle time and the measured seconds; prints
# "client_ms xserver_ms compositor_ms rss_kb".
measure_run() {
    local clock=$1 size=$2 command pid runner
    command=$(clock_command "$clock" "$size")
    local intervals=$work/intervals
    if $use_perf; then
        perf stat -e task-clock -x, -I 1000 -o "$intervals" -- $command >/dev/null 2>&1 &
        runner=$!
        for _ in $(seq 1 50); do
            pid=$(pgrep -P "$runner" | head -n 1 || true)
            [ -n "$pid" ] && break
            sleep 0.1
        done
        # "env" execs the clock in the same process.
    else
        $command >/dev/null 2>&1 &
        runner=$!
        pid=$runner
    fi
    sleep "$settle"
    local x0 c0 p0 x1 c1 p1 rss
    x0=$(run_ns "$xserver_pid")
    c0=$(run_ns "$compositor_pid")
    p0=$(awk '{ print $14 + $15 }' /proc/"$pid"/stat)
    sleep "$seconds"
    x1=$(run_ns "$xserver_pid")
    c1=$(run_ns "$compositor_pid")
    p1=$(awk '{ print $14 + $15 }' /proc/"$pid"/stat)
    rss=$(awk '/VmRSS/ { print $2 }' /proc/"$pid"/status)
    kill -TERM "$pid" 2>/dev/null || true
    wait "$runner" 2>/dev/null || true
    local client_ms
    if $use_perf; then
        # The one-second intervals that end within the measured time.
        client_ms=$(awk -F, -v from="$settle" -v to="$((settle + seconds))" \
            '$4 == "task-clock" && $1 > from + 0.5 && $1 <= to + 0.5 { total += $2 } END { printf "%.1f\n", total }' \
            "$intervals")
    else
        client_ms=$(awk -v ticks="$(getconf CLK_TCK)" -v used="$((p1 - p0))" 'BEGIN { printf "%.1f\n", 1000 * used / ticks }')
    fi
    echo "$client_ms $(((x1 - x0) / 1000)) $(((c1 - c0) / 1000)) $rss" |
        awk '{ printf "%s %.1f %.1f %s\n", $1, $2 / 1000, $3 / 1000, $4 }'
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg); $seconds s per run; client CPU by $($use_perf && echo perf || echo /proc)"
declare -A figure
for size in 400 1000; do
    for clock in vellamor xclock; do
        maps=()
        for _ in $(seq 1 "$starts"); do
            maps+=("$(time_first_map "$clock" "$size")")
        done
        figure[$clock,$size,map]=$(printf '%s\n' "${maps[@]}" | median)
        read -r client xserver compositor rss < <(measure_run "$clock" "$size")
        figure[$clock,$size,client]=$client
        figure[$clock,$size,xserver]=$xserver
        figure[$clock,$size,compositor]=$compositor
        figure[$clock,$size,rss]=$rss
    done
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

report() {
    local size=$1
    local -a v x
    for clock in vellamor xclock; do
        local -n into=$([ $clock = vellamor ] && echo v || echo x)
        into=("${figure[$clock,$size,client]}" "${figure[$clock,$size,xserver]}" "${figure[$clock,$size,compositor]}"
            "${figure[$clock,$size,rss]}" "${figure[$clock,$size,map]}")
    done
    awk -v s="$seconds" -v size="$size" \
        -v vc="${v[0]}" -v vx="${v[1]}" -v vp="${v[2]}" -v vr="${v[3]}" -v vm="${v[4]}" \
        -v xc="${x[0]}" -v xx="${x[1]}" -v xp="${x[2]}" -v xr="${x[3]}" -v xm="${x[4]}" '
        function pct(ms) { return 100 * ms / (s * 1000) }
        function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
        function row(name, a, b, unit, goal) {
            printf "%5d px  %-30s %9.3f %9.3f %7s   %s\n", size, name " (" unit ")", a, b, ratio(a, b), goal
        }
        BEGIN {
            row("client CPU", pct(vc), pct(xc), "%", "goal <= 1")
            row("X server CPU", pct(vx), pct(xx), "%", "")
            row("compositor CPU", pct(vp), pct(xp), "%", "")
            row("client + X + compositor", pct(vc + vx + vp), pct(xc + xx + xp), "%", "goal <= 0.5")
            row("RSS", vr / 1024, xr / 1024, "MB", size == 400 ? "goal Vellamor < 40 MB" : "")
            row("exec to first mapped window", vm, xm, "ms", "goal <= 1.5")
        }'
}
printf '%8s  %-30s %9s %9s %7s\n' "" "figure" "Vellamor" "xclock" "ratio"
report 400
report 1000
