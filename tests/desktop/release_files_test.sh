#!/usr/bin/env bash
# The files that name the version or the licence outside the code agree with
# the top-level CMake project: the newest entry of NEWS.md, of the AppStream
# release list and of debian/changelog, the licence text and its identifiers.
# Usage: release_files_test.sh SOURCE_DIR VERSION
set -uo pipefail
src="$1"
version="$2"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

news="$(grep -m1 '^## ' "$src/NEWS.md")"
case "$news" in
"## $version "* | "## $version") echo "ok: NEWS.md begins with $version" ;;
*) fail "the newest entry of NEWS.md is « $news », not $version" ;;
esac

metainfo="$src/data/org.orvgrille.OrvGrille.metainfo.xml"
release="$(grep -m1 -o '<release version="[^"]*"' "$metainfo" | sed 's/.*version="//; s/"$//')"
[ "$release" = "$version" ] && echo "ok: the AppStream file's newest release is $version" ||
    fail "the newest release of the AppStream file is « $release », not $version"
# The release's date is the one of NEWS.md.
date="$(grep -m1 -o '<release version="[^"]*" date="[^"]*"' "$metainfo" | sed 's/.*date="//; s/"$//')"
[ "$news" = "## $version ($date)" ] || fail "NEWS.md « $news » and the AppStream date $date differ"

changelog="$(head -n 1 "$src/debian/changelog")"
[ "$changelog" = "orvgrille ($version) unstable; urgency=medium" ] &&
    echo "ok: debian/changelog begins with $version" ||
    fail "debian/changelog begins with « $changelog »"

# The code's licence: the GPL's text, and its identifier wherever the licence is named.
grep -q '^                    GNU GENERAL PUBLIC LICENSE$' "$src/LICENSE" &&
    grep -q '^                       Version 3, 29 June 2007$' "$src/LICENSE" ||
    fail "LICENSE is not the text of the GNU GPL version 3"
grep -q 'GPL-3.0-or-later' "$src/README.md" || fail "the README does not name GPL-3.0-or-later"
grep -q 'CC BY-SA 4.0' "$src/README.md" || fail "the README lost the frequency data's licence"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
    "$src/debian/copyright" || fail "debian/copyright is not machine-readable"
for stanza in 'Files: \*' 'Files: data/scores_fr.txt' 'License: GPL-3+' 'License: CC-BY-SA-4.0'; do
    grep -q "^$stanza\$" "$src/debian/copyright" || fail "debian/copyright lacks « $stanza »"
done
grep -q 'CC BY-SA 4.0' "$src/data/scores_fr.txt" || fail "data/scores_fr.txt lost its attribution"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "release files: all checks passed"
