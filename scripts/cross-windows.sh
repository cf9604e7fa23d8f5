#!/usr/bin/env bash
# Cross-compiles the Windows registry layer of the about box (advapi32) with its
# test program, using Debian's MinGW-w64, and runs the test under wine in a
# throwaway prefix when wine is installed. Usage: scripts/cross-windows.sh [build dir]
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
sortie=${1:-$racine/build-windows}
compilateur=x86_64-w64-mingw32-g++-posix
programme=$sortie/test_registre_windows.exe

mkdir -p "$sortie"
"$compilateur" -std=c++20 -O2 -Wall -Wextra -Wpedantic -I"$racine" \
  "$racine/about/registre.cpp" "$racine/about/registre_windows.cpp" \
  "$racine/tests/windows/test_registre_windows.cpp" \
  -static -ladvapi32 -o "$programme"
echo "Cross-compiled: $programme"

wine=$(command -v wine64 || command -v wine || true)
if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then
  wine=/usr/lib/wine/wine64
fi
if [ -z "$wine" ]; then
  echo "wine is not installed: cross-compiled only, not run."
  exit 0
fi
wineserver=$(command -v wineserver || true)
if [ -z "$wineserver" ] && [ -x "$(dirname "$wine")/wineserver" ]; then
  wineserver=$(dirname "$wine")/wineserver
fi

prefixe=$(mktemp -d)
fin() {
  if [ -n "$wineserver" ]; then
    WINEPREFIX="$prefixe" "$wineserver" -k 2>/dev/null || true
  fi
  rm -rf "$prefixe"
}
trap fin EXIT

# A console program: no display, no Mono or Gecko installer on the first start.
export WINEPREFIX="$prefixe" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
echo "Running under $wine"
timeout 300 "$wine" "$programme"
