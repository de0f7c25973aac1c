#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz and runs each for SECONDS, one after another, with the formats' dictionary
# fuzz/qe2m4.dict, then prints each target's runs, runs a second, coverage and result.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     every target when none is named
#
# Each target's corpus is build-fuzz/corpus/<target>: its seeds (fuzz/corpus/<target>, and for
# the reader and the conversion the sample boring of examples/) are added to what earlier runs
# found, so a long run goes on from the last; remove the folder to start from the seeds. An input
# that crashes or breaks a property is saved in build-fuzz/artifacts/<target>/ and fails the
# whole run, after the other targets have run. CMAKE_FLAGS passes options to cmake (ccache).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift
all=(record_reader_fuzzer conversion_fuzzer batch_list_fuzzer text_encoding_fuzzer
  drives_conf_fuzzer patdat_ini_fuzzer host_name_fuzzer soil_readings_fuzzer)
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=("${all[@]}")
build="build-fuzz"
# AddressSanitizer without what costs most for what it finds here: no stack kept for each
# allocation (a report still shows where the bad access is), a small quarantine of freed memory
# (use after free is still found within the last 8 MB freed, a run's worth) and no fill of new
# memory. ASAN_OPTIONS adds to these or overrides them: to see a report's allocation stacks, run
# its input again with ASAN_OPTIONS=malloc_context_size=30.
export ASAN_OPTIONS="malloc_context_size=0:quarantine_size_mb=8:thread_local_quarantine_size_kb=256:max_malloc_fill_size=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

# shellcheck disable=SC2086 # CMAKE_FLAGS holds several options
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQE2M4_BUILD_FUZZERS=ON -DQE2M4_BUILD_TESTS=OFF -DQE2M4_BUILD_GUI=OFF ${CMAKE_FLAGS:-}
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# Seeds from the sample boring: its X1.TXT for the reader; for the conversion its files cut by
# the byte 0xFF, in the order the target cuts its input.
seed_sample() {
  mkdir -p "$build/corpus/record_reader_fuzzer" "$build/corpus/conversion_fuzzer"
  cp examples/BORING1/X1.TXT "$build/corpus/record_reader_fuzzer/sample-X1.TXT"
  python3 - "$build/corpus/conversion_fuzzer/sample" <<'PY'
import sys
from pathlib import Path
b = Path("examples/BORING1")
names = ["X1.TXT", "X3.TXT", "X4.TXT", "X5.TXT", "X6.TXT", "X7.TXT", "X11.TXT", "X12.TXT",
         "CNT.TXT", "titl01.txt", "titl02.txt", "titl03.txt", "N2.TXT"]
pieces = [(b / n).read_bytes() for n in names] + [Path("examples/PATDAT/L9.txt").read_bytes()]
Path(sys.argv[1]).write_bytes(b"\xff".join(pieces))
PY
}
seed_sample

# A final statistic of a libFuzzer log (-print_final_stats=1): stat_of LOG NAME.
stat_of() { sed -n "s/^stat::$2: *//p" "$1" | tail -n 1; }

failed=()
summary=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  if [[ -d fuzz/corpus/$target ]]; then
    cp fuzz/corpus/"$target"/* "$corpus"/
  fi
  echo "Fuzzing $target for $seconds seconds (log: $log)"
  status=0
  # -reload=0: only this process adds to the corpus, so libFuzzer need not list the folder
  # again every second (a cost that grows with the corpus).
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -dict=fuzz/qe2m4.dict -reload=0 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" >"$log" 2>&1 || status=$?
  # The last coverage line of libFuzzer's log.
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9]*' "$log" | tail -n 1 || true)
  if [[ $status -eq 0 ]]; then
    result=ok
  else
    result="FAILED (exit $status): $(grep -m 1 -E '^==.*(ERROR|property)|runtime error' "$log" || true)"
    failed+=("$target")
  fi
  summary+=("$(printf '%-22s %11s runs %7s runs/s  %-30s slowest %ss  %s' "$target" \
    "$(stat_of "$log" number_of_executed_units)" "$(stat_of "$log" average_exec_per_sec)" \
    "${cov:-cov: ?}" "$(stat_of "$log" slowest_unit_time_sec)" "$result")")
done

echo
echo "Fuzzing summary ($seconds s a target)"
printf '%s\n' "${summary[@]}"
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Failed: ${failed[*]} (inputs in $build/artifacts/<target>/, logs in $build/logs/)" >&2
  exit 1
fi
