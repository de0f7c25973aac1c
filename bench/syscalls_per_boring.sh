#!/usr/bin/env bash
# System calls per boring of a batch: "strace -f -c" over "qe2m4 batch" of COUNT copies of the
# sample boring into destinations three levels deep (D:\TYUJYOU\A<i>\B\C), each run into a
# fresh destination tree; the calls of the whole process (start-up, every thread) divided by
# COUNT. Prints one column per run and per program, a row per call.
#
#   bench/syscalls_per_boring.sh [COUNT] [RUNS] QE2M4...
#
# COUNT defaults to 200 and RUNS to 3; with no program, build/src/cli/qe2m4. Several programs
# (say, the build before a change and the one after) are measured side by side on the same
# borings. The work folder is on /dev/shm when there is one; WORK=folder picks another.
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-200}
runs=${2:-3}
shift $(($# >= 2 ? 2 : $#))
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=(build/src/cli/qe2m4)
for i in "${!programs[@]}"; do
  programs[i]=$(realpath "${programs[i]}")
  [ -x "${programs[i]}" ] || { echo "no program at ${programs[i]}" >&2; exit 2; }
done
command -v strace > /dev/null || { echo "needs strace" >&2; exit 2; }

base=${WORK:-$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}" )}
work=$(mktemp -d "$base/qe2m4-syscalls-XXXXXX")
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/s/ARCHIVE" "$work/run"
cp -r examples/PATDAT examples/Patdat32.ini "$work/s/"
for i in $(seq -w 1 "$count"); do
  cp -r examples/BORING1 "$work/s/ARCHIVE/A$i"
  printf 'S:\\ARCHIVE\\A%s,D:\\TYUJYOU\\A%s\\B\\C\r\n' "$i" "$i" >> "$work/list.csv"
done

# One "strace -c" summary per program and run: trace-<p>-<r>.txt.
for r in $(seq 1 "$runs"); do
  for p in "${!programs[@]}"; do
    rm -rf "$work/d" && mkdir -p "$work/d"
    (cd "$work/run" && strace -f -c -o "$work/trace-$p-$r.txt" "${programs[p]}" batch \
      --drive "S=$work/s" --drive "D=$work/d" --system-dir "$work/s" --yes --quiet \
      "$work/list.csv" > /dev/null)
  done
done

for p in "${!programs[@]}"; do
  echo "program $((p + 1)): ${programs[p]}"
done
# strace -c rows: % time, seconds, usecs/call, calls, [errors,] syscall. The calls column is
# the fourth; the name is the last.
awk -v count="$count" -v runs="$runs" -v programs="${#programs[@]}" '
  FNR == 1 { split(FILENAME, part, /[-.]/); column = part[length(part) - 2] * runs + part[length(part) - 1] }
  $1 ~ /^[0-9.]+$/ && NF >= 5 && $NF != "total" {
    calls[$NF, column] += $4; names[$NF] = 1; total[column] += $4
  }
  END {
    printf "%-16s", "per boring"
    for (p = 0; p < programs; ++p) for (r = 1; r <= runs; ++r) printf " %9s", "p" p + 1 " r" r
    printf "\n"
    n = 0
    for (name in names) order[++n] = name
    # Rows by the first column, most calls first.
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j)
      if (calls[order[j], 1] > calls[order[i], 1]) { t = order[i]; order[i] = order[j]; order[j] = t }
    for (i = 1; i <= n; ++i) {
      printf "%-16s", order[i]
      for (p = 0; p < programs; ++p) for (r = 1; r <= runs; ++r)
        printf " %9.1f", calls[order[i], p * runs + r] / count
      printf "\n"
    }
    printf "%-16s", "total"
    for (p = 0; p < programs; ++p) for (r = 1; r <= runs; ++r)
      printf " %9.1f", total[p * runs + r] / count
    printf "\n"
  }' "$work"/trace-*.txt
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
