#!/usr/bin/env bash
# Twenty `vellamor-tool alarms add` at once with no clock running: each
# waits for the store's lock, so all twenty land, each prints the index it
# really got, and none is lost.
set -euo pipefail
tool=${1:?usage: $0 VELLAMOR_TOOL}
work=$(mktemp -d /tmp/vellamor-concurrent.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" # no clock listens here
export XDG_RUNTIME_DIR=$work/runtime

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

store=$work/Alarm/Alarms.cfg
pids=()
for i in $(seq 1 20); do
    "$tool" alarms add --daily 1 --time 7:00 --name "A$i" --store "$store" >"$work/index.$i" 2>"$work/error.$i" &
    pids+=($!)
done
for pid in "${pids[@]}"; do
    wait "$pid" || fail "an add failed: $(cat "$work"/error.*)"
done
[ "$(stat -c %s "$store")" = $((20 * 672)) ] || fail "the store holds $(($(stat -c %s "$store") / 672)) alarms, not 20"
[ "$(cat "$work"/index.* | sort -n | tr '\n' ' ')" = "$(seq 0 19 | tr '\n' ' ')" ] ||
    fail "the printed indices are not 0..19: $(cat "$work"/index.* | sort -n | tr '\n' ' ')"
[ "$("$tool" alarms --store "$store" | cut -f3 | sort -u | wc -l)" = 20 ] || fail "not twenty names listed"
[ ! -e "$store.lock" ] || fail "the lock file stayed"
echo PASS
