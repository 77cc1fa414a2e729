#!/usr/bin/env bash
# Runs the real-window tests of a built tree under a private Xvfb, then builds the unit and
# headless tests with AddressSanitizer + UBSan and runs them under the same Xvfb. Fails when any
# test fails.
set -uo pipefail
BUILD=${1:-build}
ASAN_BUILD=${2:-build-asan}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=scripts/xvfb.sh
source "$here/xvfb.sh"
start_xvfb || { echo "check: could not start Xvfb"; exit 1; }
# Every scratch file of the tests goes under a temporary folder of this run's own; whatever is
# still in it at the end was left behind by a test.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/plonko_check_XXXXXX") || { echo "check: no temporary folder"; exit 1; }
chmod 755 "$scratch"  # the failed-save tests save as another user, who must reach their folders
export TMPDIR=$scratch
trap 'stop_xvfb; rm -rf "$scratch"' EXIT

export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
status=0
"$here/floors.sh" || status=1
echo "== real-window tests (display $DISPLAY)"
ctest --test-dir "$BUILD" -L e2e --output-on-failure --timeout 900 || status=1

echo "== unit and headless tests under AddressSanitizer + UBSan"
cmake -S . -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null &&
  cmake --build "$ASAN_BUILD" -j "$(nproc)" || { echo "check: sanitizer build failed"; exit 1; }
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$ASAN_BUILD" -L unit --output-on-failure -j "$(nproc)" --timeout 900 || status=1

echo "== fuzz targets: committed corpora, then a few seconds each"
"$here/fuzz.sh" --check "${CHECK_FUZZ_SECONDS:-3}" || status=1

# Without XDG_RUNTIME_DIR the sound libraries keep a runtime folder "pulse-*" there: theirs, not a
# test's.
left=$(find "$scratch" -mindepth 1 -maxdepth 1 ! -name 'pulse-*' -printf '%f\n' | sort)
if [ -n "$left" ]; then
  echo "check: tests left these in the temporary folder:"
  echo "$left"
  status=1
fi
exit $status
