#!/usr/bin/env bash
# docs_test.sh SOURCE_DIR BUILD_DIR
#
# The documents against themselves and against the programs, since hand-kept lists drift:
#  - Readme.txt's contents list names its section headings, in order, and each heading is
#    underlined to its length; its section 8 lists what the build puts in the game folder;
#  - our own texts spell "full screen" one way: no "fullscreen" or "full-screen" but in the
#    names the program uses (the menu item, the settings, the Config.ini section);
#  - every option a program's --help names is in its manual page;
#  - the manual pages format without a warning, as lintian and man read them.
set -u
src=$(realpath "${1:?source folder}") build=$(realpath "${2:?build folder}")
fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }

# --- Readme.txt: contents and headings -----------------------------------------------------------
readme=$src/docs/Readme.txt
contents=$(awk '/^Contents$/ {on = 1; next} on && /^$/ {exit} on {sub(/^ +/, ""); print}' "$readme")
headings=$(awk 'prev ~ /^[0-9]+\. / && /^-+$/ {print prev} {prev = $0}' "$readme")
[ -n "$contents" ] || fail "Readme.txt: no contents list under 'Contents'"
[ "$contents" = "$headings" ] ||
    fail "Readme.txt: the contents list (<) and the section headings (>) differ:
$(diff <(echo "$contents") <(echo "$headings"))"
bad=$(awk 'prev ~ /^[0-9]+\. / && /^-+$/ && length($0) != length(prev) {print prev} {prev = $0}' "$readme")
[ -z "$bad" ] || fail "Readme.txt: headings underlined to another length: $bad"

# --- section 8 lists the game folder as the build lays it out --------------------------------------
listed=$(awk '/^The game folder \(section 2\) holds:$/ {on = 1; next} on && /^$/ && n {exit}
              on && /^  [^ ]/ {print $1; n++}' "$readme" | sort)
built=$(cd "$build/game" 2>/dev/null && for e in *; do
    if [ "$e" = Graphics ]; then for g in Graphics/*/; do echo "$g"; done
    elif [ -d "$e" ]; then echo "$e/"
    elif [ "$e" != zorpy-nibbo ]; then echo "$e"; fi
done | sort)
[ -n "$listed" ] || fail "Readme.txt: no list under 'The game folder (section 2) holds:'"
[ "$listed" = "$built" ] || fail "Readme.txt's section 8 (<) and the built game folder (>) differ:
$(diff <(echo "$listed") <(echo "$built"))"

# --- one spelling of "full screen" -----------------------------------------------------------------
# The program's names that keep their spelling: settings, the Config.ini section, the menu item.
names='FullscreenMode|FullscreenFit|\[Fullscreen\]|Display in fullscreen mode'
for f in README.md docs/Readme.txt docs/Whatsnew.txt docs/zorpy-nibbo.6.in docs/zorpy-nibbo-skin-check.6.in \
    packaging/changelog packaging/zorpy-nibbo.metainfo.xml.in packaging/zorpy-nibbo.desktop cmake/install.cmake; do
    [ -f "$src/$f" ] || { fail "$f is missing"; continue; }
    other=$(sed -E "s/$names//g" "$src/$f" | grep -n -i -E 'full-?screen|full-\s*$')
    [ -z "$other" ] || fail "$f spells full screen another way: $other"
done

# --- each program's options are in its manual page ------------------------------------------------
for entry in "game/zorpy-nibbo|zorpy-nibbo.6" "zorpy-nibbo-skin-check|zorpy-nibbo-skin-check.6"; do
    exe=$build/${entry%%|*} page=$build/packaging/src/${entry#*|}
    [ -x "$exe" ] && [ -f "$page" ] || { fail "no $exe or no $page: build the project first"; continue; }
    help=$(env -u DISPLAY "$exe" --help) || fail "$exe --help: exit status $?"
    options=$(grep -o -E -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
    [ -n "$options" ] || fail "$exe --help names no option"
    for o in $options; do
        grep -q -F -- "${o//-/\\-}" "$page" || fail "$(basename "$page") does not describe $o"
    done
done

# --- the manual pages format cleanly -------------------------------------------------------------
for page in "$build"/packaging/src/*.6; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

[ "$fails" -eq 0 ] || exit 1
echo "PASS: Readme.txt's contents, the spelling of full screen, the manual pages' options and format"
