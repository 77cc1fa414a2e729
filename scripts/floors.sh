#!/usr/bin/env bash
# Fails when a file under src/ includes a folder on a higher floor than its own. The floors, lowest
# first: media < common < input, music < frame < game < engine < main.cpp (same floor: input and
# music may not include each other either).
set -uo pipefail
cd "$(dirname "$0")/../src" || exit 1
floor() {
  case "$1" in
    media) echo 1 ;; common) echo 2 ;; input | music) echo 3 ;; frame) echo 4 ;;
    game) echo 5 ;; engine) echo 6 ;; main.cpp | core_anchor.cpp) echo 7 ;; *) echo 0 ;;
  esac
}
bad=0
while IFS= read -r hit; do
  file=${hit%%:*}
  target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"${hit#*:}")
  own=${file%%/*}
  [ "$own" = "$target" ] && continue
  if [ "$(floor "$target")" -ge "$(floor "$own")" ]; then
    echo "floors: $file includes $target/ (floor $(floor "$target")) from floor $(floor "$own")"
    bad=1
  fi
done < <(grep -rE '^#include "[a-z_]+/' --include='*.h' --include='*.cpp' . | sed 's|^\./||')
[ $bad -eq 0 ] && echo "floors: every include runs down"
exit $bad
