#!/usr/bin/env bash
# Checks the installation of a built tree (default build-check/, after its
# tests took the guide's pictures): installs into a scratch DESTDIR,
# validates the menu entry and the AppStream metainfo, renders the man page,
# starts the installed program with --help, and builds the Debian package
# and reads its declared dependencies.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-check}"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
# A sanitizer build's leak report would fail --help.
export ASAN_OPTIONS=detect_leaks=0

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
root="$stage/usr"
fail() { echo "install-check: $*" >&2; exit 1; }

desktop="$(ls "$root"/share/applications/*.desktop)"
metainfo="$(ls "$root"/share/metainfo/*.metainfo.xml)"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
# The metainfo launches the menu entry by its file name.
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "the metainfo does not name $(basename "$desktop")"
MANPAGER=cat MANWIDTH=80 man -l "$root/share/man/man1/tarvolt-mssprint.1.gz" >"$stage/man.txt"
grep -q 'import-adif' "$stage/man.txt" || fail "the man page lacks the commands"
for size in 16 32 48 256; do
    [ -s "$root/share/icons/hicolor/${size}x${size}/apps/tarvolt-mssprint.png" ] ||
        fail "no ${size}x${size} icon"
done
[ -s "$root/share/icons/hicolor/scalable/apps/tarvolt-mssprint.svg" ] || fail "no scalable icon"
# The program looks for its guide beside itself (bin/../share/...).
guide="$root/share/tarvolt-mssprint/hilfe"
[ -s "$guide/index.md" ] || fail "no guide in $guide"
for picture in $(grep -oh '(bilder/[^)]*\.png)' "$guide"/*.md | tr -d '()' | sort -u); do
    [ -s "$guide/$picture" ] || fail "the guide's picture $picture was not installed"
done
"$root/bin/tarvolt-mssprint" --help | grep -q '^usage: tarvolt-mssprint' ||
    fail "the installed program does not answer --help"

(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/tarvolt-mssprint_*.deb | head -n1)"
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6network6 \
    qt6-qpa-plugins libhamlib4 hamradio-files; do
    grep -q "\b$package\b" <<<"$depends" || fail "$deb does not depend on $package"
done
contents="$(dpkg-deb -c "$deb")"
for file in ./usr/bin/tarvolt-mssprint ./usr/share/tarvolt-mssprint/hilfe/index.md \
    ./usr/share/tarvolt-mssprint/hilfe/bilder/log-form.png ./usr/share/man/man1/tarvolt-mssprint.1.gz; do
    grep -q " $file\$" <<<"$contents" || fail "$deb lacks $file"
done
echo "install-check: installation, menu entry, metainfo, man page, guide and $(basename "$deb") checked"
