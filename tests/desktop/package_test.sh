#!/usr/bin/env bash
# Builds the Debian package with scripts/package, into a temporary folder, and
# checks it: its file list, its control fields, lintian (no error), and the
# unpacked package's programs and desktop files.
# Usage: package_test.sh SOURCE_DIR. Exit 77 (skipped) off Debian.
set -uo pipefail
src="$(cd "$1" && pwd)"
if ! command -v dpkg >/dev/null || ! command -v apt-get >/dev/null; then
    echo "SKIP: not a Debian system (dpkg and apt-get are needed to build the package)"
    exit 77
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

start=$SECONDS
if ! ORV_PACKAGE_DIR="$tmp/dist" "$src/scripts/package"; then
    echo "FAIL: scripts/package"
    exit 1
fi
echo "ok: scripts/package in $((SECONDS - start)) s"

version="$(sed -n 's/^project(OrvGrille VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")"
arch="$(dpkg-architecture -qDEB_HOST_ARCH)"
deb="$tmp/dist/orvgrille_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "FAIL: no $(basename "$deb")"; exit 1; }

# Every file of the package, and nothing else.
dpkg-deb --fsys-tarfile "$deb" | tar -tf - | grep -v '/$' | sort >"$tmp/files"
sort >"$tmp/expected" <<'LIST'
./usr/bin/orvdico
./usr/bin/orvgrid
./usr/bin/orvgrille
./usr/share/applications/org.orvgrille.OrvGrille.desktop
./usr/share/doc/orvgrille/changelog.gz
./usr/share/doc/orvgrille/copyright
./usr/share/icons/hicolor/scalable/apps/org.orvgrille.OrvGrille.svg
./usr/share/lintian/overrides/orvgrille
./usr/share/man/fr/man1/orvdico.1.gz
./usr/share/man/fr/man1/orvgrid.1.gz
./usr/share/man/fr/man1/orvgrille.1.gz
./usr/share/man/man1/orvdico.1.gz
./usr/share/man/man1/orvgrid.1.gz
./usr/share/man/man1/orvgrille.1.gz
./usr/share/metainfo/org.orvgrille.OrvGrille.metainfo.xml
./usr/share/mime/packages/orvgrille-grid.xml
./usr/share/orvgrille/Dicogrd.dat
LIST
if diff -u "$tmp/expected" "$tmp/files"; then
    echo "ok: the package's file list"
else
    fail "the package's file list differs (- expected, + in the package)"
fi

for field in "Package:orvgrille" "Version:$version" "Architecture:$arch"; do
    value="$(dpkg-deb -f "$deb" "${field%%:*}")"
    [ "$value" = "${field#*:}" ] || fail "${field%%:*} is « $value », not « ${field#*:} »"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends does not name Qt's libraries"

if lintian --fail-on error "$deb" >"$tmp/lintian.txt" 2>&1; then
    echo "ok: lintian, no error"
else
    fail "lintian reports errors"
fi
grep -v 'running with root privileges' "$tmp/lintian.txt"

# The programs as packaged: orvgrille answers --version with no display at all.
root="$tmp/root"
dpkg-deb -x "$deb" "$root"
first="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/usr/bin/orvgrille" --version \
    2>&1 | head -n 1)"
[ "$first" = "orvgrille (Orv Grille) $version" ] && echo "ok: orvgrille --version" ||
    fail "the packaged orvgrille --version printed « $first »"
words="$("$root/usr/bin/orvdico" stats "$root/usr/share/orvgrille/Dicogrd.dat" 2>&1 |
    sed -n 's/^Mots : //p')"
[ "${words:-0}" -gt 100000 ] && echo "ok: the packaged dictionary holds $words words" ||
    fail "the packaged dictionary holds ${words:-no} words"
if command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null; then
    out="$(desktop-file-validate "$root/usr/share/applications/org.orvgrille.OrvGrille.desktop" 2>&1)"
    [ -z "$out" ] && echo "ok: desktop-file-validate" || fail "desktop-file-validate: $out"
    appstreamcli validate --no-net \
        "$root/usr/share/metainfo/org.orvgrille.OrvGrille.metainfo.xml" >"$tmp/as.txt" 2>&1 &&
        echo "ok: appstreamcli validate" || { fail "appstreamcli validate"; cat "$tmp/as.txt"; }
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "package: all checks passed"
