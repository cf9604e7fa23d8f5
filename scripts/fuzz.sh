#!/usr/bin/env bash
# Builds the number-text fuzz target (fuzz/) with clang and libFuzzer and runs it for a
# bounded time on the kept corpus fuzz/corpus/, which it only reads: the inputs it
# finds go to a scratch folder and are thrown away.
#
#   scripts/fuzz.sh [seconds]               default 60
#   scripts/fuzz.sh --fusionner [seconds]   the same, then merges into fuzz/corpus/ the
#                                           new inputs that reach new code
#
# The build goes to build-fuzz/ (or $BUILD_FUZZ); a failing input is written there
# as crash-*, leak-* or timeout-*, and the script exits non-zero.
set -euo pipefail

fusionner=false
if [ "${1:-}" = --fusionner ]; then
  fusionner=true
  shift
fi
duree=${1:-60}
racine=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_FUZZ:-$racine/build-fuzz}
corpus=$racine/fuzz/corpus

CC=clang CXX=clang++ cmake -S "$racine/fuzz" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target fuzz_texte

nouveaux=$(mktemp -d)
trap 'rm -rf "$nouveaux"' EXIT

# New inputs go to the scratch folder; the kept corpus is only read.
"$build/fuzz_texte" -max_len=64 -max_total_time="$duree" -timeout=5 -rss_limit_mb=2048 \
    -dict="$racine/fuzz/texte.dict" -artifact_prefix="$build/" -print_final_stats=1 \
    "$nouveaux" "$corpus"

if $fusionner; then
  "$build/fuzz_texte" -merge=1 -max_len=64 -artifact_prefix="$build/" "$corpus" "$nouveaux" \
      2>&1 | grep -E 'MERGE-OUTER: [0-9]+ new files' || true
fi
echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
