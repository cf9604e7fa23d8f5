#!/usr/bin/env bash
# Installs what is missing, builds Trajel and runs the whole test suite headless:
# first under AddressSanitizer and UndefinedBehaviorSanitizer, then the release build
# with the fuzzed number reader and the cross-compiled Windows registry layer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRAJEL_SANITIZE=ON
cmake --build build-asan
# Under the sanitizers each random run takes 2000 actions (4000 in release).
(cd build-asan && TRAJEL_ACTIONS=2000 ctest --output-on-failure -j2 -LE construction_propre)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
(cd build && ctest --output-on-failure -j2)
