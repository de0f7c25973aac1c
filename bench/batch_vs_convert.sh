#!/usr/bin/env bash
# Batch conversion against a shell loop of single conversions, side by side in one run:
# COUNT copies of the sample boring through "qe2m4 batch", then the same COUNT through a loop
# of "qe2m4 convert", both into fresh destination trees; then the batch's peak memory for
# SMALL and for COUNT borings. The outputs of the two are compared before any figure is shown.
# Then the batch again with --jobs 1 beside bench/durable_writes_floor.py, which makes only the
# same durable writes (each output written, flushed, renamed; the changed folders flushed once),
# per boring.
#
#   bench/batch_vs_convert.sh [QE2M4] [COUNT] [SMALL]
#
# QE2M4 defaults to build/src/cli/qe2m4. The work folder is on /dev/shm when there is one (so
# that the disk's flushes, which both sides pay alike, do not hide the program's own time);
# WORK=folder picks another.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

qe2m4=$(realpath "${1:-build/src/cli/qe2m4}")
count=${2:-1000}
small=${3:-100}
[ -x "$qe2m4" ] || { echo "no program at $qe2m4 (build it first: make build)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

base=${WORK:-$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}" )}
work=$(mktemp -d "$base/qe2m4-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Drive S: holds the pattern data and COUNT copies of the sample; D: is the destination.
mkdir -p "$work/s/ARCHIVE" "$work/d" "$work/run"
cp -r examples/PATDAT examples/Patdat32.ini "$work/s/"
for i in $(seq -w 1 "$count"); do
  cp -r examples/BORING1 "$work/s/ARCHIVE/A$i"
done
list() {  # the first $1 borings
  seq -w 1 "$count" | head -n "$1" | while read -r i; do
    printf 'S:\\ARCHIVE\\A%s,D:\\TYUJYOU\\A%s\\B\\C\r\n' "$i" "$i"
  done
}
list "$count" > "$work/list.csv"
list "$small" > "$work/small.csv"
options=(--drive "S=$work/s" --drive "D=$work/d" --system-dir "$work/s" --yes)
cd "$work/run"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
fresh() { rm -rf "$work/d" && mkdir -p "$work/d"; }
# "elapsed user system" seconds of a command and every process it waited for.
measure() { /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" > /dev/null; cat "$work/time"; }
cpu() { awk '{ printf "%.2f", $2 + $3 }' <<< "$1"; }
wall() { awk '{ printf "%.2f", $1 }' <<< "$1"; }

fresh
batch=$(measure "$qe2m4" batch "${options[@]}" --quiet "$work/list.csv")
mv "$work/d" "$work/batch-out"

fresh
export QE2M4 LIST
QE2M4=$qe2m4 LIST=$work/list.csv
loop=$(measure bash -c '
  while IFS=, read -r source destination; do
    "$QE2M4" convert "$@" --quiet "$source" "${destination%$'"'"'\r'"'"'}"
  done < "$LIST"' loop "${options[@]}")

if ! diff -r "$work/batch-out" "$work/d" > /dev/null; then
  echo "the batch and the loop wrote different files" >&2
  exit 1
fi

fresh
one_job=$(measure "$qe2m4" batch "${options[@]}" --jobs 1 --quiet "$work/list.csv")
floor_dest=$(mktemp -d "$work/floor-XXXXXX")
floor=$(python3 "$repo/bench/durable_writes_floor.py" "$work/batch-out/TYUJYOU/A$(seq -w 1 "$count" | head -n 1)/B/C" \
  "$work/s/ARCHIVE/A$(seq -w 1 "$count" | head -n 1)" "$floor_dest" "$count")
rm -rf "$floor_dest"

peak() {  # peak resident memory of a batch over list $1, in KB
  fresh
  /usr/bin/time -f %M "$qe2m4" batch "${options[@]}" --quiet "$1" 2>&1 > /dev/null | tail -n 1
}
small_peak=$(peak "$work/small.csv")
large_peak=$(peak "$work/list.csv")

cores=$(nproc)
printf '%-32s %9s %12s %13s\n' "$count borings ($cores cores)" "seconds" "borings/s" "CPU seconds"
printf '%-32s %9s %12s %13s\n' "qe2m4 batch (--jobs $cores)" "$(wall "$batch")" \
  "$(ratio "$count" "$(wall "$batch")")" "$(cpu "$batch")"
printf '%-32s %9s %12s %13s\n' "shell loop of qe2m4 convert" "$(wall "$loop")" \
  "$(ratio "$count" "$(wall "$loop")")" "$(cpu "$loop")"
printf 'batch / loop: %s of the time (goal: at most 0.150), %s of the CPU time\n' \
  "$(ratio "$(wall "$batch")" "$(wall "$loop")")" "$(ratio "$(cpu "$batch")" "$(cpu "$loop")")"
per_boring=$(awk -v t="$(wall "$one_job")" -v n="$count" 'BEGIN { printf "%.6f", t / n }')
printf 'batch --jobs 1: %s s a boring; the durable writes alone: %s s; ratio %s (goal: at most 1.5)\n' \
  "$per_boring" "$floor" "$(ratio "$per_boring" "$floor")"
printf 'peak memory of the batch: %s KB for %s borings, %s KB for %s\n' \
  "$small_peak" "$small" "$large_peak" "$count"
printf 'load average while measuring: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
