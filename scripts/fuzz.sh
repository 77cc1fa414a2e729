#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/, clang + libFuzzer under ASan and UBSan) into build-fuzz and runs
# them.
#   scripts/fuzz.sh [SECONDS]        each target SECONDS long from its committed corpus (default 600)
#   scripts/fuzz.sh --check SECONDS  replay each committed corpus, then each target SECONDS long
# New inputs go to build-fuzz/corpus/<target>; a crash, hang or leak leaves its input in
# build-fuzz/artifacts/<target>/. Ends with "fuzz: T targets, R runs, C crashes"; fails on any.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
check=0
if [ "${1:-}" = "--check" ]; then check=1; shift; fi
seconds=${1:-${FUZZ_SECONDS:-600}}
out=${FUZZ_BUILD:-$root/build-fuzz}

CXX=${FUZZ_CXX:-clang++-14} cmake -S "$root/fuzz" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE= >/dev/null &&
  cmake --build "$out" || { echo "fuzz: build failed"; exit 1; }

# Long runs write their inputs to memory (the savers' fsync would dominate on a disk); `make check`
# keeps its own temporary folder, where it looks for anything left behind.
if [ $check = 0 ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# Text readers see short lines; images and sounds need room for a few chunks.
declare -A MAX_LEN=([lines]=4096 [setup]=4096 [scores]=4096 [song]=8192 [level]=65536 [wav]=65536)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
targets=0 runs=0 crashes=0
for name in lines setup scores level wav song; do
  bin="$out/fuzz_$name"
  seeds="$root/fuzz/corpus/$name"
  work="$out/corpus/$name"
  artifacts="$out/artifacts/$name"
  mkdir -p "$work" "$artifacts"
  log="$out/fuzz_$name.log"
  targets=$((targets + 1))
  # libFuzzer ends without the exit handlers that would remove a target's scratch folder: each
  # run gets a folder of its own, removed here.
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/plonko_fuzz_run_XXXXXX")
  if [ $check = 1 ]; then
    # Every committed input, found crashes included, must now pass.
    if ! TMPDIR=$scratch "$bin" -runs=0 "$seeds" >"$log" 2>&1; then
      rm -rf "$scratch"
      echo "fuzz_$name: a committed input fails (log: $log)"
      crashes=$((crashes + 1))
      continue
    fi
  fi
  TMPDIR=$scratch nice "$bin" -max_total_time="$seconds" -timeout=10 -max_len="${MAX_LEN[$name]}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$work" "$seeds" >"$log" 2>&1
  rc=$?
  rm -rf "$scratch"
  n=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
  runs=$((runs + ${n:-0}))
  if [ $rc -ne 0 ]; then
    crashes=$((crashes + 1))
    echo "fuzz_$name: FAILED after ${n:-?} runs; input in $artifacts (log: $log)"
    grep -m1 -E 'ERROR: |fuzz check failed|runtime error' "$log"
  else
    echo "fuzz_$name: ${n:-0} runs in ${seconds}s, coverage ${cov:-?} edges, ${ft:-?} features, corpus $(ls "$work" | wc -l)"
  fi
done
echo "fuzz: $targets targets, $runs runs, $crashes crashes"
[ $crashes -eq 0 ]
