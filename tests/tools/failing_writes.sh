#!/usr/bin/env bash
# The real vellamor-tool on disks that fail its writes (a file-size limit, a
# full tmpfs where one can be mounted) and on special files: every failed
# write exits with status 2, says why, and leaves the old file as it was;
# nothing waits on a FIFO.
set -euo pipefail
tool=${1:?usage: $0 VELLAMOR_TOOL}
work=$(mktemp -d /tmp/vellamor-tool-writes.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# expect_refused MESSAGE FILE COMMAND...: the command exits 2, its error
# output holds MESSAGE, and FILE keeps the bytes it had.
expect_refused() {
    local message=$1 file=$2 status=0 said
    shift 2
    cp "$file" "$work/before"
    # Through a pipe: a file would be under the command's size limit too.
    said=$("$@" 2>&1 >/dev/null) || status=$?
    [ "$status" = 2 ] || fail "'$*' exited with $status, not 2: $said"
    grep -qF "$message" <<<"$said" || fail "'$*' said '$said', not '$message'"
    cmp -s "$work/before" "$file" || fail "'$*' changed $file"
}

"$tool" skin new "$work/x.clk" SecStyle=1
limited() { bash -c 'trap "" XFSZ; ulimit -f 0; exec "$@"' limited "$@"; }
expect_refused "Unable to write to $work/x.clk: File too large" "$work/x.clk" limited "$tool" skin set "$work/x.clk" SecStyle=2
"$tool" render --skin "$work/x.clk" --time 10:14:30 --size 60 -o "$work/clock.png"
expect_refused "Unable to write to $work/clock.png: File too large" "$work/clock.png" \
    limited "$tool" render --skin "$work/x.clk" --time 11:14:30 --size 60 -o "$work/clock.png"
[ -z "$(find "$work" -name '.*' -type f)" ] || fail "temporary files left: $(find "$work" -name '.*' -type f)"

mkfifo "$work/fifo.clk" "$work/Alarms.cfg"
for command in "skin show $work/fifo.clk" "skin set $work/fifo.clk SecStyle=2" "alarms --store $work/Alarms.cfg"; do
    status=0
    # shellcheck disable=SC2086 # the command's words
    timeout 10 "$tool" $command 2>"$work/err" || status=$?
    [ "$status" = 2 ] || fail "'$command' exited with $status, not 2"
    grep -qF "it is a pipe (FIFO), not a regular file" "$work/err" || fail "'$command' said '$(cat "$work/err")'"
done

# A full 64 KB tmpfs, mounted in a mount namespace of this test alone.
if [ "$(id -u)" = 0 ]; then namespace=(unshare --mount); else namespace=(unshare --user --map-root-user --mount); fi
if ! "${namespace[@]}" true 2>/dev/null; then
    echo "SKIP (full tmpfs): cannot make a mount namespace here"
    echo PASS
    exit 0
fi
mkdir "$work/disk"
"${namespace[@]}" bash -c '
    set -euo pipefail
    tool=$1 disk=$2
    mount -t tmpfs -o size=64k tmpfs "$disk"
    "$tool" skin new "$disk/x.clk" SecStyle=1
    cp "$disk/x.clk" "$disk/../before-full"
    dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null || true
    status=0
    "$tool" skin set "$disk/x.clk" SecStyle=2 2>"$disk/../err-full" || status=$?
    [ "$status" = 2 ] || { echo "skin set on a full disk exited with $status" >&2; exit 1; }
    grep -qF "Unable to write to $disk/x.clk: No space left on device" "$disk/../err-full" || { cat "$disk/../err-full" >&2; exit 1; }
    cmp -s "$disk/../before-full" "$disk/x.clk" || { echo "the skin changed on a full disk" >&2; exit 1; }
' full-disk "$tool" "$work/disk" || fail "on a full tmpfs"
echo PASS
