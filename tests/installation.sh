#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs; builds the
# Debian package into a scratch folder and checks its contents (it installs nothing).
# Usage: installation.sh BUILD_DIR
set -euo pipefail
prefixe=$(mktemp -d)
paquets=$(mktemp -d)
trap 'rm -rf "$prefixe" "$paquets"' EXIT
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
verifier "the entry starts trajel with the file opened" grep -qx 'Exec=trajel %f' "$entree"
verifier "the entry declares the lesson files' type" \
    grep -qx 'MimeType=application/x-trajel-lecon;' "$entree"
type_lecon=$prefixe/share/mime/packages/trajel-lecon.xml
verifier "the lesson files' type is installed" test -f "$type_lecon"
if command -v xmllint >/dev/null; then
    verifier "the lesson files' type is well-formed XML" xmllint --noout "$type_lecon"
fi
if command -v update-mime-database >/dev/null; then
    update-mime-database "$prefixe/share/mime" >/dev/null 2>&1
    verifier "*.trajel is known to the MIME database" \
        grep -q 'application/x-trajel-lecon:\*\.trajel' "$prefixe/share/mime/globs2"
    # xdg-mime reads the database through File::MimeInfo's mimetype; without it, it asks
    # file(1), which knows no prefix.
    if command -v xdg-mime >/dev/null && command -v mimetype >/dev/null; then
        lecon=$prefixe/essai.trajel
        echo '{"format": "trajel-lecon", "version": 1}' >"$lecon"
        verifier "xdg-mime names a lesson's type" test "$(XDG_DATA_DIRS=$prefixe/share:/usr/share \
            XDG_DATA_HOME=$prefixe/share xdg-mime query filetype "$lecon")" = application/x-trajel-lecon
    fi
fi
verifier "trajel --version answers" \
    test "$(QT_QPA_PLATFORM=offscreen "$prefixe/bin/trajel" --version)" = "Trajel 1.0.0"
verifier "trajel refuses an unknown option" \
    sh -c '! QT_QPA_PLATFORM=offscreen "$1" --inconnue 2>/dev/null' sh "$prefixe/bin/trajel"
verifier "the entry has a French comment" grep -q "^Comment=Visualisation d'orbites" "$entree"
icone=$prefixe/share/icons/hicolor/32x32/apps/trajel.png
verifier "the icon is installed" test -f "$icone"
verifier "the icon is 32 x 32" test "$(identify -format '%wx%h' "$icone")" = 32x32
metainfo=$prefixe/share/metainfo/fr.trajel.Trajel.metainfo.xml
verifier "the AppStream metainfo is installed" test -f "$metainfo"
verifier "the metainfo is valid" appstreamcli validate --no-net "$metainfo"
verifier "it launches the menu entry" grep -q '<launchable type="desktop-id">trajel.desktop<' "$metainfo"
manuel=$prefixe/share/man/man1/trajel.1.gz
verifier "the manual page is installed" test -f "$manuel"
verifier "the manual page is in French" bash -c "zcat '$manuel' | grep -qx '.SH NOM'"

# The Debian package.
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$1/CPackConfig.cmake")
deb=$paquets/trajel_${version}_amd64.deb
cpack -G DEB --config "$1/CPackConfig.cmake" -B "$paquets" >"$paquets/cpack.log" 2>&1 ||
    cat "$paquets/cpack.log"
verifier "cpack writes trajel_${version}_amd64.deb" test -f "$deb"
if [ -f "$deb" ]; then
    liste=$(dpkg-deb -c "$deb")
    contenu=$(awk '{print $6}' <<<"$liste")
    for f in ./usr/bin/trajel ./usr/share/applications/trajel.desktop \
        ./usr/share/icons/hicolor/32x32/apps/trajel.png \
        ./usr/share/metainfo/fr.trajel.Trajel.metainfo.xml ./usr/share/man/man1/trajel.1.gz; do
        verifier "the package holds $f" grep -qx "$f" <<<"$contenu"
    done
    verifier "the package's binary is executable" grep -q '^-rwxr-xr-x .* ./usr/bin/trajel$' <<<"$liste"
    champ() { dpkg-deb -f "$deb" "$1"; }
    verifier "package trajel" test "$(champ Package)" = trajel
    verifier "version $version" test "$(champ Version)" = "$version"
    verifier "architecture amd64" test "$(champ Architecture)" = amd64
    depend=$(champ Depends)
    for d in libqt6widgets6 libqt6gui6 libqt6svg6 libqt6printsupport6 libstdc++6 \
        qt6-translations-l10n fonts-liberation; do
        verifier "it depends on $d" grep -q "\b$d\b" <<<"$depend"
    done
    informations=$(dpkg-deb -I "$deb")
    verifier "dpkg-deb -I shows the Depends line" grep -q '^ Depends: ' <<<"$informations"
fi
echo "$reussites passed, $echecs failed"
[ "$echecs" -eq 0 ]
