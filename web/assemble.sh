#!/usr/bin/env bash
# assemble.sh BUILD_DIR
#
# Lays the web edition into BUILD_DIR/web/ as plain static files that any web server can
# serve: the page (web/site/), the engine (BUILD_DIR/web/zn.wasm, built there beforehand) and
# the game's own files from BUILD_DIR/game/ (Config.ini, the skin's pictures with their @2x
# partners, the backdrop and logo, the eight sounds, the dialogs' artwork, Readme.txt,
# Whatsnew.txt and their pages made by zn-docpage, the icons). The service worker gets the list
# of every file and a cache name made from a hash of their contents, so a new build replaces the
# cache of the old one.
#
# Made here for the page and not for the desktop: the sounds as MP3 (lame), the page's code and
# the engine under names that carry a hash of their contents (js/zn.HASH.js, zn.HASH.wasm, which
# a host may let browsers keep for a year), and beside every text file and the engine its gzip
# (and, with Debian's brotli installed, brotli) compressed copy, for a server to send as it is.
set -euo pipefail

build=${1:?usage: assemble.sh BUILD_DIR}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
site="$here/site"
game="$build/game"
out="$build/web"

[ -d "$site" ] || { echo "assemble.sh: no page at $site" >&2; exit 1; }
[ -f "$game/Config.ini" ] || { echo "assemble.sh: no game folder at $game (Config.ini missing)" >&2; exit 1; }
[ -f "$out/zn.wasm" ] || { echo "assemble.sh: $out/zn.wasm is missing: build the engine first" >&2; exit 1; }

command -v lame >/dev/null || { echo "assemble.sh: lame is missing (apt-get install lame)" >&2; exit 1; }
mkdir -p "$out"
# The page's own files; what an older build laid there and the page no longer has goes.
rm -rf "$out/js" "$out/game" "$out/icons"
find "$out" -maxdepth 1 -type f \( -name '*.gz' -o -name '*.br' -o -name 'zn.*.wasm' \) -delete
cp -R "$site/." "$out/"

# The page's modules joined into one, js/zn.js, so the browser fetches one file rather than a
# dozen over its few connections before the device can be drawn. Each module becomes a function
# whose result is its exports; an import is a look-up of an earlier module's result, a dynamic
# import the same look-up at the time it runs. The order puts every module after those it
# imports statically, worked out from the imports themselves: main.js and what it imports, then
# the modules main.js (or one of those) imports dynamically, evaluated when main.js waits for
# the first time, as a browser evaluates them later too.
modules="" visiting=" "
visit() {
  case " $modules " in *" $1 "*) return ;; esac
  case "$visiting" in *" $1 "*) echo "assemble.sh: $1.js imports itself through its imports" >&2; exit 1 ;; esac
  local src="$site/js/$1.js" dep
  [ -f "$src" ] || { echo "assemble.sh: $src is missing" >&2; exit 1; }
  visiting="$visiting$1 "
  for dep in $(sed -nE "s#^import \{[^}]*\} from '\./([a-z]+)\.js';.*#\1#p" "$src"); do visit "$dep"; done
  modules="$modules $1"
}
visit main
while :; do
  before=$modules
  for m in $before; do
    for dynamic in $(grep -oE "import\('\./[a-z]+\.js'\)" "$site/js/$m.js" | sed -E "s#import\('\./([a-z]+)\.js'\)#\1#"); do
      visit "$dynamic"
    done
  done
  [ "$modules" != "$before" ] || break
done
for m in "$site"/js/*.js; do
  case " $modules " in *" $(basename "$m" .js) "*) ;; *) echo "assemble.sh: $m is not imported by the page" >&2; exit 1 ;; esac
done
{
  defined=" "
  for m in $modules; do
    src="$site/js/$m.js"
    [ -f "$src" ] || { echo "assemble.sh: $src is missing" >&2; exit 1; }
    # Only the forms the page uses: one-line named imports, exported declarations.
    bad=$(grep -nE "^(import|export)[[:space:]{]" "$src" |
      grep -vE "^[0-9]+:(import \{[^}]*\} from '\./[a-z]+\.js';|export (async function|function|class|const) )" || true)
    [ -z "$bad" ] || { echo "assemble.sh: $src: cannot join a module with $bad" >&2; exit 1; }
    for dep in $(sed -nE "s#^import \{[^}]*\} from '\./([a-z]+)\.js';.*#\1#p" "$src"); do
      case "$defined" in *" $dep "*) ;; *) echo "assemble.sh: $m.js imports $dep.js, which comes later" >&2; exit 1 ;; esac
    done
    names=$(sed -nE 's/^export (async function|function|class|const) +([A-Za-z_$][A-Za-z0-9_$]*).*/\2/p' "$src" | paste -sd, -)
    printf 'const __zn_%s = (() => {\n' "$m"
    sed -E -e "s#^import \{([^}]*)\} from '\./([a-z]+)\.js';#const {\1} = __zn_\2;#" \
      -e 's/^export (async function|function|class|const) /\1 /' \
      -e "s#import\('\./([a-z]+)\.js'\)#Promise.resolve(__zn_\1)#g" "$src"
    printf 'return { %s };\n})();\n' "$names"
    defined="$defined$m "
  done
} > "$out/js/zn.js.full"
# The browser parses the joined file before the first picture: lines that are only a comment,
# and the indentation, are left out of what it is served (a third of the text). A template
# literal over several lines would lose its own lines' spaces: there must be none.
multi=$(awk -F'`' 'NF > 0 && NF % 2 == 0 { print FILENAME ":" FNR }' "$out/js/zn.js.full" | head -1)
[ -z "$multi" ] || { echo "assemble.sh: a template literal spans lines in the joined modules ($multi)" >&2; exit 1; }
{
  echo "// The page's modules (web/site/js/*.js) joined by assemble.sh, without their comments."
  sed -E -e '/^[[:space:]]*\/\//d' -e 's/^[[:space:]]+//' "$out/js/zn.js.full"
} > "$out/js/zn.js.new"
rm "$out/js/zn.js.full"
find "$out/js" -name '*.js' ! -name zn.js.new -delete
# The code's names carry their contents' hash: the engine's first, as the code names it.
hash8() { sha256sum "$1" | cut -c1-8; }
wasm="zn.$(hash8 "$out/zn.wasm").wasm"
ln -f "$out/zn.wasm" "$out/$wasm" 2>/dev/null || cp "$out/zn.wasm" "$out/$wasm"
for f in "$out/js/zn.js.new" "$out/index.html"; do
  grep -q "'zn.wasm'" "$f" || { echo "assemble.sh: $f does not name 'zn.wasm'" >&2; exit 1; }
  sed -i "s#'zn\.wasm'#'$wasm'#g" "$f"
done
code="js/zn.$(hash8 "$out/js/zn.js.new").js"
mv "$out/js/zn.js.new" "$out/$code"
grep -q '<script type="module" src="js/main.js"></script>' "$out/index.html" ||
  { echo "assemble.sh: index.html does not load js/main.js as expected" >&2; exit 1; }
sed -i -e '/<link rel="modulepreload"/d' -e "s#<script type=\"module\" src=\"js/main.js\"></script>#<script type=\"module\" src=\"$code\"></script>#" "$out/index.html"

# The game folder as the page reads it: everything but programs and build leftovers.
mkdir -p "$out/game"
cp "$game/Config.ini" "$out/game/"
for doc in Readme.txt Whatsnew.txt Readme.html Whatsnew.html; do
  [ -f "$game/$doc" ] && cp "$game/$doc" "$out/game/"
done
[ -f "$game/icon.png" ] && cp "$game/icon.png" "$out/game/"
for dir in Graphics/Skin Graphics/Backdrop Graphics/Dialogs; do
  if [ -d "$game/$dir" ]; then
    mkdir -p "$out/game/$dir"
    cp -R "$game/$dir/." "$out/game/$dir/"
  fi
done
# The sounds as MP3 (audio.js asks for X.mp3 where the desktop plays X.wav), encoded again only
# when the WAV changed: the encoder's copies are kept in BUILD_DIR/web-mp3.
mkdir -p "$out/game/Sound" "$build/web-mp3"
for wav in "$game"/Sound/*.wav; do
  [ -f "$wav" ] || continue
  mp3="$build/web-mp3/$(basename "${wav%.*}").mp3"
  if [ ! "$mp3" -nt "$wav" ]; then
    lame --quiet -b 64 "$wav" "$mp3.new" || { echo "assemble.sh: lame could not encode $wav" >&2; exit 1; }
    mv "$mp3.new" "$mp3"
  fi
  cp "$mp3" "$out/game/Sound/"
done

# The pictures index.html fetches before the modules load, without asking files.json: the site
# must have each, and its @2x partner.
first=$(sed -nE "s/^ *var firstPictures = \[(.*)\];.*/\1/p" "$site/index.html" | tr -d " '" | tr , ' ')
[ -n "$first" ] || { echo "assemble.sh: index.html lists no first pictures (var firstPictures)" >&2; exit 1; }
for p in $first; do
  for f in "$p.png" "$p@2x.png"; do
    [ -f "$out/game/Graphics/Skin/$f" ] || { echo "assemble.sh: index.html fetches game/Graphics/Skin/$f, which the skin does not have" >&2; exit 1; }
  done
done
# Those come before the first drawn device: their data compressed harder by optipng (when
# installed), the pixels, colour type and bit depth as they were. Kept in BUILD_DIR/web-png, made
# again only when the picture changed.
if command -v optipng >/dev/null; then
  mkdir -p "$build/web-png"
  for p in $first; do
    for f in "$p.png" "$p@2x.png"; do
      small="$build/web-png/$f"
      if [ ! "$small" -nt "$game/Graphics/Skin/$f" ]; then
        rm -f "$small.new"
        optipng -quiet -o2 -nc -nb -np -out "$small.new" "$game/Graphics/Skin/$f" ||
          { echo "assemble.sh: optipng could not compress $f" >&2; exit 1; }
        mv "$small.new" "$small"
      fi
      cp "$small" "$out/game/Graphics/Skin/$f"
    done
  done
else
  echo "assemble.sh: optipng is missing, so the first frame's pictures stay as large as made (apt-get install optipng)" >&2
fi

# The installable app's icons, painted by zn-artgen.
mkdir -p "$out/icons"
for size in 192 512; do
  icon="$game/Graphics/Icons/${size}x${size}/apps/zorpy-nibbo.png"
  [ -f "$icon" ] || { echo "assemble.sh: $icon is missing" >&2; exit 1; }
  cp "$icon" "$out/icons/icon-$size.png"
done

# Every file the page may fetch, for the service worker to cache at its installation: the
# page's own files, the engine and the game folder (BUILD_DIR/web may hold build files too).
list=$(mktemp)
trap 'rm -f "$list"' EXIT
(
  cd "$out"
  { find "$site" -type f ! -name sw.js ! -path "$site/js/*" -printf '%P\n'; echo "$code"; echo "$wasm"; find game icons -type f; } | LC_ALL=C sort -u
) > "$list"
{
  printf '['
  sep=''
  while IFS= read -r f; do
    printf '%s\n  "%s"' "$sep" "$(printf '%s' "$f" | sed 's/\\/\\\\/g; s/"/\\"/g')"
    sep=','
  done < "$list"
  printf '\n]\n'
} > "$out/files.json"

# The cache's name follows the contents: any changed file makes a new one.
version=$(cd "$out" && xargs -d '\n' sha256sum < "$list" | sha256sum | cut -c1-16)
sed "s/__ZN_CACHE_VERSION__/$version/" "$site/sw.js" > "$out/sw.js"

# The compressed copies a server sends in the files' stead (nginx's gzip_static and
# brotli_static): of what compresses, pictures and sounds being compressed already.
compressed=$(cd "$out" && find . -maxdepth 1 -type f \( -name '*.html' -o -name '*.css' -o -name '*.json' \
  -o -name '*.webmanifest' -o -name 'sw.js' -o -name "$wasm" \) -printf '%P\n'; echo "$code";
  find game -type f \( -name '*.ini' -o -name '*.txt' \))
for f in $compressed; do
  gzip -9 -n -k -f "$out/$f"
  if command -v brotli >/dev/null; then brotli -q 11 -k -f "$out/$f"; fi
done
echo "assemble.sh: the web edition is in $out (cache zn-$version)"
