#!/usr/bin/env bash
# Every command line of the README that calls vellamor-tool runs as written,
# from an empty folder, with a fresh program folder holding the shipped
# files; an unknown command is named.
set -euo pipefail
program_folder=$1
readme=$2

work=$(mktemp -d /tmp/vellamor-readme.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/empty" "$work/runtime" "$work/program"
chmod 700 "$work/runtime"
cp -r "$program_folder"/*.clk "$program_folder/Textures" "$program_folder/Alarm" "$work/program/"
mkdir -p "$work/program/Screenshots"
export VELLAMOR_HOME=$work/program HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
export PATH="$program_folder:$PATH" QT_QPA_PLATFORM=offscreen
touch "$HOME/report.ods"
cd "$work/empty"

# The command lines of the README's shell blocks.
mapfile -t lines < <(awk '/^```sh/ { inside = 1; next } /^```/ { inside = 0 } inside && /^vellamor-tool / { print }' "$readme")
[ "${#lines[@]}" -ge 15 ] || { echo "FAIL: only ${#lines[@]} command lines found in $readme" >&2; exit 1; }
for line in "${lines[@]}"; do
    # The handle of the example is the one the listing shows for that index.
    if [[ $line == *"--handle 3f9a0c12"* ]]; then
        handle=$(vellamor-tool alarms | awk -F'\t' '$1 == 2 { print $2 }')
        line=${line/3f9a0c12/$handle}
    fi
    if ! eval "$line" >"$work/out" 2>"$work/err"; then
        echo "FAIL: $line" >&2
        cat "$work/err" >&2
        exit 1
    fi
done
[ -s Classic-now.jpg ] && [ -s clock.png ] && [ -s mine.clk ] || { echo "FAIL: the examples wrote nothing here" >&2; exit 1; }

if vellamor-tool frobnicate 2>"$work/err"; then
    echo "FAIL: an unknown command succeeded" >&2
    exit 1
fi
grep -q 'Unknown command "frobnicate"' "$work/err" || { echo "FAIL: the unknown command is not named" >&2; exit 1; }
echo PASS
