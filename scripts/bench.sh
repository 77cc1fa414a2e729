#!/usr/bin/env bash
# Runs every benchmark program of a built tree under a private Xvfb with software OpenGL.
set -uo pipefail
BUILD=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=scripts/xvfb.sh
source "$here/xvfb.sh"
start_xvfb || { echo "bench: could not start Xvfb"; exit 1; }
trap stop_xvfb EXIT

export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
status=0
for prog in "$BUILD"/bench/*; do
  [ -x "$prog" ] && [ -f "$prog" ] || continue
  echo "== $(basename "$prog") (display $DISPLAY)"
  "$prog" || status=1
done
exit $status
