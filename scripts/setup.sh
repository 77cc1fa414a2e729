#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, only when one is missing.
# Uses sudo only when not already root.
set -euo pipefail
PKGS=(
  build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libopenal-dev libfreetype-dev libpng-dev zlib1g-dev
  libgl-dev libgl1-mesa-dri libglx-mesa0 mesa-utils
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth xdotool imagemagick libx11-dev sox
  clang-14 libfuzzer-14-dev
  fonts-dejavu-core fonts-clear-sans fonts-rocknroll fonts-leckerli-one
  dpkg-dev file lintian desktop-file-utils appstream man-db universal-ctags
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
