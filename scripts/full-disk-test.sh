#!/usr/bin/env bash
# The commands that write a company - a run, close of year, a copy and a
# save - on a disk that fills up while they work: each must fail with a
# message that says the disk is full, exit 1, and leave the company file
# byte for byte as it was.
#
# A small tmpfs holds the company (a few thousand assets, so that each
# command has much to write) and a filler that takes the rest of the room.
# Each command runs twice: with a little room left, so that it starts
# writing and runs out part-way, and with none. Mounting needs root; where
# it cannot be done the test says why and passes.
#
# Usage: scripts/full-disk-test.sh [BUILD_DIR]   (default: build)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/cli/czxdprn-cli
shipped=$build/data

skip() {
    echo "full-disk test skipped: $*"
    exit 0
}

[ -x "$cli" ] || { echo "full-disk test: $cli is not built" >&2; exit 1; }
command -v sqlite3 >/dev/null ||
    { echo "full-disk test: the sqlite3 program is missing" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || skip "mounting a tmpfs needs root"

work=$(mktemp -d)
disk=$work/disk
mkdir "$disk"
cleanup() {
    umount "$disk" 2>/dev/null || umount -l "$disk" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
if ! why=$(mount -t tmpfs -o size=4m czx-full-disk "$disk" 2>&1); then
    skip "cannot mount a tmpfs (${why:-no reason given})"
fi

# The sample company with its 30 assets copied 2^7 times: 3,840 assets,
# every one flagged for the next run.
company=$work/company.mdb
cp "$shipped/czxdprnd.mdb" "$company"
sqlite3 "$company" "
    CREATE TEMP TABLE copies AS SELECT * FROM assets;
    UPDATE copies SET AssetID = NULL;
    WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 127)
    INSERT INTO assets SELECT copies.* FROM copies, n;" ||
    { echo "full-disk test: cannot build the test company" >&2; exit 1; }
# The file a copy reads: the same company, kept off the small disk.
source=$work/source.mdb
cp "$company" "$source"

# The commands, as words separated by "|" (a file name may hold blanks).
commands=(
    "depreciate"
    "depreciate|--all"
    "close-year|--yes"
    "copy-company|$source"
    "save-company|$disk/saved company.mdb"
)

# Runs one command on the company in folder $1; sets status, out and err.
run() {
    local folder=$1 line=$2 words
    IFS='|' read -r -a words <<<"$line"
    "$cli" --data "$folder" "${words[@]}" >"$work/out" 2>"$work/err"
    status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

failures=0
failed() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# With room enough every command succeeds: a failure below is the disk's.
for line in "${commands[@]}"; do
    roomy=$work/roomy
    rm -rf "$roomy" && mkdir "$roomy"
    cp "$company" "$roomy/czxdprnd.mdb"
    cp "$shipped/czxblank.mdb" "$roomy/"
    run "$roomy" "${line//$disk/$roomy}"
    [ "$status" -eq 0 ] || failed "${line//|/ } with room enough exits $status: $err"
done
rm -rf "$work/roomy"
[ "$failures" -eq 0 ] || exit 1

data=$disk/data
mkdir "$data"
cp "$company" "$data/czxdprnd.mdb"
cp "$shipped/czxblank.mdb" "$data/"

free_bytes() { df --output=avail -B1 "$disk" | tail -n 1 | tr -d ' '; }

for room in 262144 0; do
    rm -f "$disk/filler"
    fill=$(($(free_bytes) - room))
    [ "$fill" -gt 0 ] || { echo "full-disk test: the company leaves no room to fill" >&2; exit 1; }
    head -c "$fill" /dev/zero >"$disk/filler" 2>/dev/null
    for line in "${commands[@]}"; do
        name="${line//|/ } (room: $room bytes)"
        # The message names the file that was not written.
        written=$data/czxdprnd.mdb
        [[ $line == save-company* ]] && written=${line#save-company|}
        listing=$(ls -A "$disk" "$data")
        run "$data" "$line"
        if [ "$status" -ne 1 ]; then
            failed "$name exits $status, not 1: $out $err"
        elif ! grep -qF "The disk is full: " <<<"$err" || ! grep -qF "$written" <<<"$err"; then
            failed "$name does not say the disk is full and which file it did not write: $err"
        elif ! cmp -s "$company" "$data/czxdprnd.mdb"; then
            failed "$name changed the company file"
        elif [ "$(ls -A "$disk" "$data")" != "$listing" ]; then
            failed "$name left files behind: $(ls -A "$disk" "$data" | tr '\n' ' ')"
        else
            echo "ok: $name fails, says the disk is full, and leaves the company as it was"
        fi
    done
done

[ "$failures" -eq 0 ]
