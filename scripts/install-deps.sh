#!/usr/bin/env bash
# Installs, from Debian's packages, everything Trajel needs to build, run and test.
# Run as root on Debian 12. Packages already present are left as they are.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev qt6-translations-l10n
  fonts-liberation fonts-dejavu-core locales
  libbenchmark-dev libboost-dev
  xvfb xauth x11-utils imagemagick xdotool desktop-file-utils poppler-utils
  dpkg-dev file appstream lintian
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine64
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A French locale, for the tests that check numbers are written with "." under it.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  localedef -i fr_FR -f UTF-8 fr_FR.UTF-8
fi
