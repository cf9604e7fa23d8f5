#!/usr/bin/env bash
# Builds a fuzz target (fuzz/) with clang and libFuzzer and runs it for a bounded time on
# its kept corpus, which it only reads: the inputs it finds go to a scratch folder and
# are thrown away. The targets: fuzz_texte (the number texts, corpus fuzz/corpus/) and
# fuzz_lecon (the lesson reader, corpus fuzz/corpus_lecon/).
#
#   scripts/fuzz.sh [seconds] [target]               default 60 fuzz_texte
#   scripts/fuzz.sh --fusionner [seconds] [target]   the same, then merges into the corpus
#                                                    the new inputs that reach new code
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
cible=${2:-fuzz_texte}
racine=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_FUZZ:-$racine/build-fuzz}
case $cible in
  fuzz_texte) corpus=$racine/fuzz/corpus; dico=$racine/fuzz/texte.dict; longueur=64 ;;
  fuzz_lecon) corpus=$racine/fuzz/corpus_lecon; dico=$racine/fuzz/lecon.dict; longueur=4096 ;;
  *) echo "unknown target: $cible" >&2; exit 2 ;;
esac

CC=clang CXX=clang++ cmake -S "$racine/fuzz" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "$cible"

nouveaux=$(mktemp -d)
trap 'rm -rf "$nouveaux"' EXIT

# New inputs go to the scratch folder; the kept corpus is only read.
"$build/$cible" -max_len="$longueur" -max_total_time="$duree" -timeout=5 -rss_limit_mb=2048 \
    -dict="$dico" -artifact_prefix="$build/" -print_final_stats=1 \
    "$nouveaux" "$corpus"

if $fusionner; then
  "$build/$cible" -merge=1 -max_len="$longueur" -artifact_prefix="$build/" "$corpus" "$nouveaux" \
      2>&1 | grep -E 'MERGE-OUTER: [0-9]+ new files' || true
fi
echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
