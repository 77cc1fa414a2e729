#!/usr/bin/env bash
# The long random-play runs: the monkey on the real program under a private Xvfb for SOAK_MINUTES
# minutes, then the headless monkey for SOAK_SIM_HOURS simulated hours. Each prints its seed
# first (MONKEY_SEED=... replays a run) and its figures last. Fails when either fails.
set -uo pipefail
BUILD=${1:-build}
MINUTES=${SOAK_MINUTES:-30}
SIM_HOURS=${SOAK_SIM_HOURS:-10}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=scripts/xvfb.sh
source "$here/xvfb.sh"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/plonko_soak_XXXXXX") || { echo "soak: no temporary folder"; exit 1; }
export TMPDIR=$scratch
trap 'stop_xvfb; rm -rf "$scratch"' EXIT
start_xvfb || { echo "soak: could not start Xvfb"; exit 1; }
export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

status=0
echo "== monkey on the real program, $MINUTES minutes (display $DISPLAY)"
start=$(date +%s)
MONKEY_SECONDS=$((MINUTES * 60)) "$BUILD/tests/e2e_tests" --gtest_filter='MonkeyE2eTest.*' || status=1
echo "soak: real-window monkey took $(( $(date +%s) - start )) s"

echo "== headless monkey, $SIM_HOURS simulated hours"
start=$(date +%s)
MONKEY_SIM_MINUTES=$((SIM_HOURS * 60)) "$BUILD/tests/monkey_tests" || status=1
echo "soak: headless monkey took $(( $(date +%s) - start )) s"

# Without XDG_RUNTIME_DIR the sound libraries keep a runtime folder "pulse-*" there: theirs.
left=$(find "$scratch" -mindepth 1 -maxdepth 1 ! -name 'pulse-*' -printf '%f\n' | sort)
if [ -n "$left" ]; then
  echo "soak: left in the temporary folder:"
  echo "$left"
  status=1
fi
exit $status
