#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent: asks dpkg
# first and only runs apt-get when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  zlib1g-dev libdeflate-dev libpng-dev libpng-tools
  qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  libsdl2-dev libfluidsynth-dev timgm6mb-soundfont
  lhasa
  # a real X server with a window manager, to look at the editor as its user does
  xvfb openbox imagemagick xdotool
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
"${SUDO[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "${missing[@]}"
