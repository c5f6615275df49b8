#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree as a desktop
# would see it: the desktop entry, the AppStream file, the grid files' type,
# the icon, the manual pages, the default dictionary, and a first start of the
# installed program that prepares the user's data folder.
# Usage: installed_tree_test.sh BUILD_DIR VERSION. Exit 77 (skipped) without
# the tools.
set -uo pipefail
build="$1"
version="$2"
missing=()
for tool in desktop-file-validate appstreamcli man update-mime-database; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -ne 0 ]; then
    echo "SKIP: missing tools: ${missing[*]} (Debian: desktop-file-utils appstream man-db shared-mime-info)"
    exit 77
fi
for program in orvgrille orvdico; do
    if [ ! -x "$build/$program" ]; then
        echo "FAIL: $build/$program is not built; build everything before this test"
        exit 1
    fi
done

tmp="$(mktemp -d)"
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
prefix="$tmp/prefix"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { # check DESCRIPTION COMMAND...
    local what="$1"
    shift
    local out
    if out="$("$@" 2>&1)"; then
        echo "ok: $what"
    else
        fail "$what"
        echo "$out"
    fi
}

if ! cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log"
    fail "cmake --install"
    exit 1
fi

id=org.orvgrille.OrvGrille
share="$prefix/share"
for f in bin/orvgrille bin/orvdico share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/mime/packages/orvgrille-grid.xml \
         share/man/fr/man1/orvgrille.1 share/man/fr/man1/orvdico.1 share/man/man1/orvgrille.1 \
         share/man/man1/orvdico.1; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
# orvgrid comes with its manual page, or neither is installed.
if [ -e "$build/orvgrid" ]; then
    [ -x "$prefix/bin/orvgrid" ] || fail "orvgrid is built but not installed"
    [ -e "$share/man/fr/man1/orvgrid.1" ] || fail "orvgrid's manual page is not installed"
fi

desktop="$share/applications/$id.desktop"
check "desktop-file-validate" desktop-file-validate "$desktop"
# Not even a hint (such as two main categories, which lists the program twice).
hints="$(desktop-file-validate "$desktop" 2>&1)"
[ -z "$hints" ] || fail "desktop-file-validate: $hints"
grep -q '^Categories=Education;$' "$desktop" || fail "the desktop entry is not under Education alone"
grep -q '^Exec=orvgrille %f$' "$desktop" || fail "the desktop entry does not pass the file to orvgrille"
grep -q '^MimeType=application/x-orvgrille-grid;application/x-orvgrille-arrow-grid;$' "$desktop" \
    || fail "the desktop entry lacks the grid types"
check "appstreamcli validate" appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$share/metainfo/$id.metainfo.xml" \
    || fail "the AppStream file does not name the desktop entry"

grep -q '<project_license>GPL-3.0-or-later AND CC-BY-SA-4.0</project_license>' \
    "$share/metainfo/$id.metainfo.xml" || fail "the AppStream file does not give the licences"

# The grid files' types: *.grd and *.fleches resolve to them once the MIME
# database is built.
check "update-mime-database" update-mime-database "$share/mime"
grep -q '^50:application/x-orvgrille-grid:\*\.grd$' "$share/mime/globs2" \
    || fail "*.grd does not map to application/x-orvgrille-grid"
grep -q '^50:application/x-orvgrille-arrow-grid:\*\.fleches$' "$share/mime/globs2" \
    || fail "*.fleches does not map to application/x-orvgrille-arrow-grid"

# The icon is an SVG document that Qt can read.
grep -q '<svg' "$share/icons/hicolor/scalable/apps/$id.svg" || fail "the icon is not an SVG"

for page in "$share"/man/fr/man1/*.1 "$share"/man/man1/*.1; do
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >"$tmp/page.txt")"
    if [ -n "$warnings" ] || ! grep -q '^NOM' "$tmp/page.txt" ||
        ! grep -q "Orv Grille $version" "$tmp/page.txt"; then
        fail "man -l $(basename "$page")"
        echo "$warnings"
    else
        echo "ok: man -l $(basename "$page")"
    fi
done

# The default dictionary, when the build made one, is a dictionary orvdico reads.
dictionary="$share/orvgrille/Dicogrd.dat"
if [ -e "$build/data/Dicogrd.dat" ]; then
    [ -e "$dictionary" ] || fail "the default dictionary is not installed"
    words="$("$prefix/bin/orvdico" stats "$dictionary" 2>&1 | sed -n 's/^Mots : //p')"
    if [ "${words:-0}" -gt 1000 ]; then
        echo "ok: the default dictionary holds $words words"
    else
        fail "orvdico reads ${words:-no} words in the installed dictionary"
    fi
fi

# --version of every installed program, without a display. orvgrille answers
# it before it needs one: forced onto X11 with no display, it would abort.
for program in orvgrille orvdico orvgrid; do
    [ -x "$prefix/bin/$program" ] || continue
    platform=()
    [ "$program" = orvgrille ] && platform=(QT_QPA_PLATFORM=xcb)
    first="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${platform[@]}" \
        "$prefix/bin/$program" --version 2>"$tmp/version.err" | head -n 1)"
    # orvgrille says nothing else: no platform was even loaded.
    if [ "$first" = "$program (Orv Grille) $version" ] &&
        { [ "$program" != orvgrille ] || [ ! -s "$tmp/version.err" ]; }; then
        echo "ok: $program --version"
    else
        fail "$program --version printed « $first »"
        cat "$tmp/version.err"
    fi
done

# A first start of the installed program, from a folder without data, makes the
# user's data folder with the default dictionary, then opens its window.
home="$tmp/home"
mkdir -p "$home" "$tmp/elsewhere"
(cd "$tmp/elsewhere" && HOME="$home" XDG_DATA_HOME="" QT_QPA_PLATFORM=offscreen \
    exec "$prefix/bin/orvgrille") \
    >"$tmp/app.log" 2>&1 &
app_pid=$!
folder="$home/.local/share/OrvGrille"
for _ in $(seq 1 100); do
    [ -e "$folder/Dicodef.dat" ] && break
    sleep 0.1
done
if [ -e "$folder/Dicogrd.dat" ] && [ -e "$folder/Dicodef.dat" ]; then
    echo "ok: first start prepared $folder"
    if [ -e "$dictionary" ]; then
        cmp -s "$dictionary" "$folder/Dicogrd.dat" || fail "the user's dictionary is not the default one"
    fi
else
    fail "the installed program did not prepare $folder"
    cat "$tmp/app.log"
fi
kill "$app_pid" 2>/dev/null
wait "$app_pid" 2>/dev/null
app_pid=""
[ -z "$(ls -A "$tmp/elsewhere")" ] || fail "the program wrote into the folder it was started from"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "installed tree: all checks passed"
