#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs; builds the
# Debian package into a scratch folder and checks its contents (it installs nothing).
# Usage: installation.sh BUILD_DIR
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
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
# The icon at the sizes software centres ask for, and scalable.
for cote in 32 48 64 128 256; do
    icone=$prefixe/share/icons/hicolor/${cote}x${cote}/apps/trajel.png
    verifier "the ${cote} x ${cote} icon is installed" test -f "$icone"
    verifier "the icon is $cote x $cote" \
        test "$(identify -format '%m %wx%h' "$icone" 2>&1)" = "PNG ${cote}x${cote}"
    verifier "the $cote x $cote icon has transparent pixels" \
        test "$(identify -format '%[opaque]' "$icone" 2>&1 | tr A-Z a-z)" = false
done
svg=$prefixe/share/icons/hicolor/scalable/apps/trajel.svg
verifier "the scalable icon is installed" test -f "$svg"
verifier "the scalable icon is an SVG drawing 32 units square" \
    grep -q 'viewBox="0 0 32 32"' "$svg"
if command -v xmllint >/dev/null; then
    verifier "the scalable icon is well-formed XML" xmllint --noout "$svg"
fi
# The licences: the program's text at the root, the copyright file in Debian's format.
verifier "LICENSE is the GPL version 3" cmp -s "$source/LICENSE" /usr/share/common-licenses/GPL-3
copyright=$prefixe/share/doc/trajel/copyright
verifier "the copyright file is installed" test -f "$copyright"
# The licence of each paragraph, as "files: licence" lines.
licences=$(awk '/^Files:/ {f = substr($0, 8)} /^License:/ && f {print f ": " substr($0, 10); f = ""}' \
    "$copyright" 2>/dev/null)
verifier "the copyright file is in Debian's machine-readable format" \
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright"
verifier "Trajel is under the GPL 3 or later" grep -qx '\*: GPL-3+' <<<"$licences"
verifier "the coastline data is under the LGPL 3 or later" grep -qx 'data/cotes.txt: LGPL-3+' <<<"$licences"
verifier "the copyright file credits GSHHG's authors" \
    grep -q 'GSHHG.*Paul Wessel and Walter H. F. Smith' <<<"$(tr -s '\n ' '  ' <"$copyright")"
for l in GPL-3 LGPL-3; do
    verifier "the copyright file points to the $l text" grep -q "/usr/share/common-licenses/$l\"" "$copyright"
done
# The changelog of a native package: the version built, compressed without a name or a
# timestamp, signed by the maintainer the build names.
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$1/CPackConfig.cmake")
mainteneur=$(sed -n 's/^TRAJEL_MAINTAINER:STRING=//p' "$1/CMakeCache.txt")
changelog=$prefixe/share/doc/trajel/changelog.gz
verifier "the changelog is installed" test -f "$changelog"
verifier "the changelog's entry is version $version" \
    bash -c "zcat '$changelog' | head -n 1 | grep -q '^trajel ($version) '"
verifier "the changelog is signed by the maintainer" \
    bash -c "zcat '$changelog' | grep -qF -- ' -- $mainteneur  '"
verifier "the changelog is compressed without a timestamp" \
    test "$(od -An -tx1 -j3 -N5 "$changelog" | tr -d ' ')" = 0000000000
verifier "the maintainer is not at localhost" sh -c '! grep -qi "@localhost" <<EOF
$1
EOF' sh "$mainteneur"
metainfo=$prefixe/share/metainfo/fr.trajel.Trajel.metainfo.xml
verifier "the AppStream metainfo is installed" test -f "$metainfo"
verifier "the metainfo is valid" appstreamcli validate --no-net "$metainfo"
verifier "it launches the menu entry" grep -q '<launchable type="desktop-id">trajel.desktop<' "$metainfo"
verifier "its licence is GPL-3.0-or-later" \
    grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo"
manuel=$prefixe/share/man/man1/trajel.1.gz
verifier "the manual page is installed" test -f "$manuel"
verifier "the manual page is in French" bash -c "zcat '$manuel' | grep -qx '.SH NOM'"

# The Debian package.
deb=$paquets/trajel_${version}_amd64.deb
cpack -G DEB --config "$1/CPackConfig.cmake" -B "$paquets" >"$paquets/cpack.log" 2>&1 ||
    cat "$paquets/cpack.log"
verifier "cpack writes trajel_${version}_amd64.deb" test -f "$deb"
if [ -f "$deb" ]; then
    liste=$(dpkg-deb -c "$deb")
    contenu=$(awk '{print $6}' <<<"$liste")
    for f in ./usr/bin/trajel ./usr/share/applications/trajel.desktop \
        ./usr/share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/trajel.png \
        ./usr/share/icons/hicolor/scalable/apps/trajel.svg \
        ./usr/share/doc/trajel/copyright ./usr/share/doc/trajel/changelog.gz \
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
    verifier "the package's maintainer is TRAJEL_MAINTAINER" test "$(champ Maintainer)" = "$mainteneur"
    # Debian's own checker: no error.
    if command -v lintian >/dev/null; then
        rapport=$(lintian --fail-on error "$deb" 2>&1) && lintian_ok=1 || lintian_ok=0
        grep -E '^[EW]:' <<<"$rapport" || true
        verifier "lintian reports no error" sh -c '[ "$1" = 1 ] && ! grep -q "^E:" <<EOF
$2
EOF' sh "$lintian_ok" "$rapport"
    fi
fi
echo "$reussites passed, $echecs failed"
[ "$echecs" -eq 0 ]
