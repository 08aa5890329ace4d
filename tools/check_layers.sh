#!/usr/bin/env bash
# Checks that every #include of the nine layers points inward:
#   shell -> display, sound, input -> engine;  shell -> gamepad -> input
#   shell -> display -> skin -> engine;  shell -> settings
#   web -> skin, settings, the toolkit-free part of input -> engine
# The engine and the settings rules include only themselves and the standard library, the
# skin reader only the engine, the standard library and SimpleIni: the three build without
# any toolkit. Display and input may use Qt but not SDL; sound and gamepad may use SDL but
# not Qt. Of input, the controls' operations and the key table's data (input/controls.*,
# input/keydata.*) are toolkit-free: they include only the standard library, the engine and
# each other, and they are all of input the game controllers and the web edition see. The web
# edition's C++ (web/: the bridge compiled to WebAssembly) includes only the standard library
# and those toolkit-free layers. No layer includes tools, tests, benchmarks or fuzz targets.
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
  [display]="display skin engine"
  [sound]="sound engine"
  [input]="input engine"
  [gamepad]="gamepad input"
  [shell]="shell display skin settings sound input gamepad engine"
  [web]="web engine skin settings input"
)

# The toolkit-free files of input, which the game controllers and the web edition may include.
toolkit_free_input=" input/controls.h input/controls.cpp input/keydata.h input/keydata.cpp "
is_toolkit_free_input() { [[ $toolkit_free_input == *" $1 "* ]]; }

outward=0
report() {
  echo "$1:$2: $3"
  outward=$((outward + 1))
}

checked=0
for layer in engine skin settings display sound input gamepad shell web; do
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
        # The rest of input brings Qt along.
        if [[ $layer == gamepad || $layer == web ]] || is_toolkit_free_input "$file"; then
          if [ "$target" = input ] && ! is_toolkit_free_input "$name"; then
            report "$file" "$line" "$layer includes \"$name\", which uses Qt"
          elif is_toolkit_free_input "$file" && [[ $target != input && $target != engine ]]; then
            report "$file" "$line" "the toolkit-free $file includes \"$name\""
          fi
        fi
        continue
      fi
      case $layer in
        engine | settings | web)
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
          if is_toolkit_free_input "$file" && ! [[ $name =~ ^[a-z_]+$ ]]; then
            report "$file" "$line" "the toolkit-free $file includes <$name>"
          fi
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
