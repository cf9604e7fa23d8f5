#!/usr/bin/env bash
# Builds the number-text fuzz target (fuzz/) with clang and libFuzzer, runs it for a
# bounded time on the kept corpus fuzz/corpus/, then merges into that corpus only the
# new inputs that reach new code.
#
#   scripts/fuzz.sh [seconds]      default 60
#
# The build goes to build-fuzz/ (or $BUILD_FUZZ); a failing input is written there
# as crash-*, leak-* or timeout-*, and the script exits non-zero.
set -euo pipefail

duree=${1:-60}
racine=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_FUZZ:-$racine/build-fuzz}
corpus=$racine/fuzz/corpus

CC=clang CXX=clang++ cmake -S "$racine/fuzz" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

nouveaux=$(mktemp -d)
trap 'rm -rf "$nouveaux"' EXIT
mkdir -p "$corpus"

# New inputs go to the scratch folder; the kept corpus is only read.
"$build/fuzz_texte" -max_len=64 -max_total_time="$duree" -timeout=5 -rss_limit_mb=2048 \
    -dict="$racine/fuzz/texte.dict" -artifact_prefix="$build/" -print_final_stats=1 \
    "$nouveaux" "$corpus"

"$build/fuzz_texte" -merge=1 -max_len=64 -artifact_prefix="$build/" "$corpus" "$nouveaux" \
    2>&1 | grep -E 'MERGE-OUTER: [0-9]+ new files' || true
echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
