#!/usr/bin/env bash
# Checks that every #include of the eleven layers points inward:
#   shell -> display, sound, input -> engine;  shell -> gamepad -> controls;  sound -> ui
#   shell -> display -> skin, ui -> engine;  input -> ui, controls -> engine;  shell -> settings
#   web -> skin, settings, controls, ui -> engine;  shell, web -> replay -> controls
# The engine, the settings rules, the controls, ui and the replays include only the standard library and
# the toolkit-free layers they may, the skin reader SimpleIni too: they build without any
# toolkit, so the web edition compiles them unchanged. Display and input may use Qt but not
# SDL; sound and gamepad may use SDL but not Qt. The web edition's C++ (web/: the bridge
# compiled to WebAssembly) includes only the standard library and the toolkit-free layers. No
# layer includes tools, tests, benchmarks or fuzz targets.
# Prints each include that runs outward and fails when there is one.
#   tools/check_layers.sh [SOURCE_ROOT]
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || { echo "check_layers: no source tree at $root" >&2; exit 2; }

# The layers each layer may include, itself included.
declare -A may=(
  [engine]="engine"
  [skin]="skin engine"
  [settings]="settings"
  [controls]="controls engine"
  [ui]="ui engine settings controls skin"
  [display]="display skin ui engine"
  [sound]="sound ui engine"
  [input]="input ui controls engine"
  [gamepad]="gamepad controls engine"
  [replay]="replay controls settings engine"
  [shell]="shell display skin settings controls ui sound input gamepad engine replay"
  [web]="web engine skin settings controls ui replay"
)
layers="engine skin settings controls ui replay display sound input gamepad shell web"

outward=0
report() {
  echo "$1:$2: $3"
  outward=$((outward + 1))
}

checked=0
for layer in $layers; do
  [ -d "$layer" ] || { echo "check_layers: the layer folder $layer/ is missing" >&2; exit 2; }
  while IFS= read -r -d '' file; do
    checked=$((checked + 1))
    line=0
    while IFS= read -r text || [ -n "$text" ]; do
      line=$((line + 1))
      [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+)[\"\>] ]] || continue
      kind=${BASH_REMATCH[1]}
      name=${BASH_REMATCH[2]}
      if [ "$kind" = '"' ]; then
        # A name without a folder is its neighbour in the same folder.
        [[ $name == */* ]] || continue
        target=${name%%/*}
        case " ${may[$layer]} " in
          *" $target "*) ;;
          *) report "$file" "$line" "$layer includes \"$name\"" ;;
        esac
        continue
      fi
      case $layer in
        engine | settings | controls | ui | replay | web)
          # Standard C++ headers only: lower-case names without a folder or an extension.
          [[ $name =~ ^[a-z_]+$ ]] || report "$file" "$line" "$layer includes <$name>"
          ;;
        skin)
          [[ $name =~ ^[a-z_]+$ || $name == SimpleIni.h ]] || report "$file" "$line" "skin includes <$name>"
          ;;
        sound | gamepad)
          [[ $name =~ ^Q ]] && report "$file" "$line" "$layer includes the Qt header <$name>"
          ;;
        display | input)
          [[ $name =~ ^SDL ]] && report "$file" "$line" "$layer includes the SDL header <$name>"
          ;;
      esac
    done <"$file"
  done < <(find "$layer" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
done

if [ "$checked" -eq 0 ]; then
  echo "check_layers: no sources found under $root" >&2
  exit 2
fi
if [ "$outward" -gt 0 ]; then
  echo "check_layers: $outward include(s) run outward in $checked sources"
  exit 1
fi
echo "check_layers: $checked sources, every include points inward"
