#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs.
# Usage: installation.sh BUILD_DIR
set -euo pipefail
prefixe=$(mktemp -d)
trap 'rm -rf "$prefixe"' EXIT
cmake --install "$1" --prefix "$prefixe" >/dev/null
echecs=0; reussites=0
verifier() {
    if "${@:2}"; then echo "ok   - $1"; reussites=$((reussites + 1))
    else echo "FAIL - $1"; echecs=$((echecs + 1)); fi
}
verifier "the program is installed and executable" test -x "$prefixe/bin/trajel"
entree=$prefixe/share/applications/trajel.desktop
verifier "the menu entry is installed" test -f "$entree"
if command -v desktop-file-validate >/dev/null; then
    verifier "the menu entry is valid" desktop-file-validate "$entree"
fi
verifier "the entry starts trajel" grep -qx 'Exec=trajel' "$entree"
verifier "the entry has a French comment" grep -q "^Comment=Visualisation d'orbites" "$entree"
icone=$prefixe/share/icons/hicolor/32x32/apps/trajel.png
verifier "the icon is installed" test -f "$icone"
verifier "the icon is 32 x 32" test "$(identify -format '%wx%h' "$icone")" = 32x32
echo "$reussites passed, $echecs failed"
[ "$echecs" -eq 0 ]
