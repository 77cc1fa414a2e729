#!/usr/bin/env bash
# `make check`: the set-up, the game's build, then two lines of work side by side:
#   - the real-window tests on the game as players get it, two at a time, each on an X display of
#     its own (a game takes the keyboard focus of its display);
#   - niced, so that the games keep their pace: the unit and headless tests built with
#     AddressSanitizer + UBSan and run on a third display, then the fuzz targets over their
#     committed corpora and a few seconds each. The searches and replays over every level
#     ("Levels/..." tests) run from the normal build instead: they step only the rules, which the
#     sanitizer tests cover on small fixtures, and run several times faster unsanitized.
# Ends with how long each stage took. Fails when any test fails.
#   scripts/check.sh [BUILD] [ASAN_BUILD] [JOBS]
set -uo pipefail
BUILD=${1:-build}
ASAN_BUILD=${2:-build-asan}
JOBS=${3:-$(nproc)}
E2E_DISPLAYS=${E2E_DISPLAYS:-2}
# SIDE_BY_SIDE=0 runs the sanitizer line first and the real-window tests after it, one at a time:
# the order CI uses until the timing-sensitive real-window tests (music pitch over a capture, the
# three display choices) are shown steady beside a loaded build.
SIDE_BY_SIDE=${SIDE_BY_SIDE:-0}
[ "$SIDE_BY_SIDE" = 1 ] || E2E_DISPLAYS=1
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.." || exit 1

# Every scratch file of the tests goes under a temporary folder of this run's own; whatever is
# still in it at the end was left behind by a test. The run's own notes live beside it.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/plonko_check_XXXXXX") || { echo "check: no temporary folder"; exit 1; }
notes=$(mktemp -d "${TMPDIR:-/tmp}/plonko_check_notes_XXXXXX") || { echo "check: no temporary folder"; exit 1; }
chmod 755 "$scratch"  # the failed-save tests save as another user, who must reach their folders

# shellcheck source=scripts/xvfb.sh
source "$here/xvfb.sh"
trap 'stop_xvfb; rm -rf "$scratch" "$notes"' EXIT

# stage NAME COMMAND...: runs the command and notes when it started and how long it took.
began=$EPOCHREALTIME
stage() {
  local name=$1 start=$EPOCHREALTIME rc
  shift
  "$@"
  rc=$?
  echo "$name|$start|$EPOCHREALTIME|$rc" >>"$notes/stages"
  return $rc
}
stage_table() {
  echo "== stages (seconds from the start, seconds taken)"
  awk -F'|' -v t0="$began" '{ printf "  %-34s %7.1f %7.1f%s\n", $1, $2 - t0, $3 - $2, $4 == 0 ? "" : "  FAILED" }' "$notes/stages"
  awk -v t0="$began" -v t1="$EPOCHREALTIME" 'BEGIN { printf "  %-34s %7s %7.1f\n", "whole check", "", t1 - t0 }'
}

configure_build() {
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$BUILD" -j "$JOBS" --target e2e_tests replay_tests
}
stage "set-up" ./scripts/setup.sh || { echo "check: set-up failed"; exit 1; }
# The normal tree builds only the game and the real-window tests: the unit and headless tests are
# built and run once, in the sanitizer tree, instead of twice.
stage "game and real-window tests build" configure_build || { echo "check: build failed"; stage_table; exit 1; }

status=0
stage "floors" "$here/floors.sh" || status=1
stage "local names" "$here/local_names.sh" || status=1

for _ in $(seq 0 "$E2E_DISPLAYS"); do
  start_xvfb || { echo "check: could not start Xvfb"; exit 1; }
done
export TMPDIR=$scratch LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
unit_display=${XVFB_DISPLAYS[0]}
e2e_ids=("${XVFB_DISPLAYS[@]:1}")

sanitizer_build() {
  cmake -S . -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null &&
    cmake --build "$ASAN_BUILD" -j "$JOBS"
}
unit_tests() {
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 DISPLAY=":$unit_display" \
    ctest --test-dir "$ASAN_BUILD" -L unit -E "$LEVEL_SEARCHES" --output-on-failure -j "$JOBS" --timeout 900
}
LEVEL_SEARCHES='^Levels/'
level_searches() {
  DISPLAY=":$unit_display" ctest --test-dir "$BUILD" -L unit -R "$LEVEL_SEARCHES" --output-on-failure -j "$JOBS" --timeout 900
}
fuzz_check() { "$here/fuzz.sh" --check "${CHECK_FUZZ_SECONDS:-3}"; }
# Its output is kept and shown after the real-window tests', so that the two do not interleave.
(
  renice -n 10 -p "$BASHPID" >/dev/null
  rc=0
  echo "== unit and headless tests under AddressSanitizer + UBSan (display :$unit_display)"
  if stage "sanitizer build" sanitizer_build; then
    stage "unit and headless tests" unit_tests || rc=1
    stage "level searches" level_searches || rc=1
  else
    echo "check: sanitizer build failed"
    rc=1
  fi
  echo "== fuzz targets: committed corpora, then a few seconds each"
  stage "fuzz targets" fuzz_check || rc=1
  exit $rc
) >"$notes/beside.txt" 2>&1 &
beside=$!
beside_rc=
if [ "$SIDE_BY_SIDE" != 1 ]; then
  wait "$beside"
  beside_rc=$?
fi

echo "== real-window tests (displays ${e2e_ids[*]/#/:}), ${#e2e_ids[@]} at a time"
spec="$notes/displays.json"
{
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"displays": ['
  sep=""
  for id in "${e2e_ids[@]}"; do printf '%s{"id": "%s", "slots": 1}' "$sep" "$id"; sep=", "; done
  printf ']}]}\n'
} >"$spec"
stage "real-window tests" ctest --test-dir "$BUILD" -L e2e --output-on-failure --timeout 900 \
  -j "${#e2e_ids[@]}" --resource-spec-file "$spec" || status=1

if [ -z "$beside_rc" ]; then
  wait "$beside"
  beside_rc=$?
fi
[ "$beside_rc" = 0 ] || status=1
cat "$notes/beside.txt"

# Without XDG_RUNTIME_DIR the sound libraries keep a runtime folder "pulse-*" there: theirs, not a
# test's.
left=$(find "$scratch" -mindepth 1 -maxdepth 1 ! -name 'pulse-*' -printf '%f\n' | sort)
if [ -n "$left" ]; then
  echo "check: tests left these in the temporary folder:"
  echo "$left"
  status=1
fi
stage_table
exit $status
