#!/usr/bin/env bash
# The second CI step. Builds every test with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang) into build-asan and runs them all, the
# end-to-end runs of the real program included; then runs each fuzzer for
# VELLAMOR_FUZZ_SECONDS (default 45) from its seeds in tests/fuzz/corpus.
# Any sanitizer report fails the run, also one from a program that a test
# starts. Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
build=build-asan
fuzz_seconds=${VELLAMOR_FUZZ_SECONDS:-45}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVELLAMOR_SANITIZE=ON -DVELLAMOR_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

# Each report ends its process and is also kept in a file of its own, so a
# report from a program whose exit status a test does not look at still
# counts. Only third-party leaks are suppressed (tests/sanitizers/leaks.supp).
reports=$PWD/$build/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/leaks.supp:print_suppressions=0"

# Prints every report kept; true when there was one.
reports_found() {
    local report found=1
    for report in "$reports"/*; do
        [ -e "$report" ] || continue
        echo "=== sanitizer report $report" >&2
        cat "$report" >&2
        found=0
    done
    return $found
}

. scripts/desktop-session.sh
start_desktop_session "${VELLAMOR_TEST_DISPLAY:-97}"
trap stop_desktop_session EXIT
status=0
(cd "$build" && ctest --output-on-failure -j"$(nproc)" "$@") || status=1
stop_desktop_session
trap - EXIT

# libFuzzer adds new inputs to its first folder: a scratch copy, so that the
# committed seeds stay as they are. Crashing inputs are kept in fuzz-crashes.
crashes=$PWD/$build/fuzz-crashes
mkdir -p "$crashes"
for fuzzer in "$build"/fuzz/fuzz_*; do
    name=${fuzzer##*/fuzz_}
    scratch=$(mktemp -d)
    echo "Fuzzing $name for $fuzz_seconds s"
    "$fuzzer" -max_total_time="$fuzz_seconds" -timeout=20 -print_final_stats=1 -artifact_prefix="$crashes/$name-" \
        "$scratch" "tests/fuzz/corpus/$name" 2>"$build/fuzz-$name.log" || { status=1; tail -n 40 "$build/fuzz-$name.log" >&2; }
    grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz-$name.log" || true
    rm -rf "$scratch"
done

if reports_found; then
    status=1
fi
exit $status
