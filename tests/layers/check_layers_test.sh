#!/usr/bin/env bash
# The layer check on small trees of its own: a clean tree passes, and each include that runs
# outward of a layer, one per tree, is found and named.
#   check_layers_test.sh CHECK_LAYERS_SCRIPT
set -u
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A tree whose every layer holds one file that includes only what it may.
clean_tree() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree"
  local layer
  for layer in engine skin settings controls ui replay display sound input gamepad shell web web/core; do
    mkdir -p "$work/tree/$layer"
  done
  printf '#include <vector>\n#include "engine/game.h"\n' >"$work/tree/engine/a.cpp"
  printf '#include <SimpleIni.h>\n#include <string_view>\n#include "engine/images.h"\n#include "skin/skinini.h"\n' \
    >"$work/tree/skin/a.cpp"
  printf '#include <optional>\n#include "settings/settingrules.h"\n' >"$work/tree/settings/a.cpp"
  printf '#include <QString>\n#include "skin/skinreader.h"\n#include "engine/game.h"\n' >"$work/tree/display/a.cpp"
  printf '#include <SDL_mixer.h>\n#include "engine/game.h"\n' >"$work/tree/sound/a.cpp"
  printf '#include <QWidget>\n#include "engine/game.h"\n#include "controls/controls.h"\n' >"$work/tree/input/a.cpp"
  printf '#include <SDL.h>\n#include "controls/controls.h"\n' >"$work/tree/gamepad/a.cpp"
  printf '#include <cstdint>\n#include "engine/game.h"\n#include "controls/controls.h"\n' >"$work/tree/controls/keydata.cpp"
  printf '#include <vector>\n#include "settings/settingrules.h"\n#include "controls/keydata.h"\n' >"$work/tree/ui/a.cpp"
  printf '#include <string>\n#include "engine/game.h"\n#include "controls/controls.h"\n' >"$work/tree/replay/a.cpp"
  printf '#include <string>\n#include "engine/game.h"\n#include "skin/skinreader.h"\n#include "settings/settingrules.h"\n#include "controls/keydata.h"\n#include "ui/zoomfit.h"\n#include "web/core/webgame.h"\n' \
    >"$work/tree/web/core/a.cpp"
  printf '#include <QSettings>\n#include "settings/settingrules.h"\n#include "skin/skinini.h"\n#include "display/gfxinit.h"\n' \
    >"$work/tree/shell/a.cpp"
}

failed=0
clean_tree
if ! out=$(bash "$check" "$work/tree"); then
  echo "FAIL: the clean tree is refused: $out"
  failed=1
fi

# the file, in the tree | the include added to it | a word the report must hold
cases=(
  'skin/b.h|#include "display/surface.h"|skin includes "display/surface.h"'
  'skin/b.h|#include <QString>|skin includes <QString>'
  'skin/b.h|#include <SDL.h>|skin includes <SDL.h>'
  'skin/b.h|#include "settings/settingrules.h"|skin includes "settings/settingrules.h"'
  'settings/b.h|#include "engine/game.h"|settings includes "engine/game.h"'
  'settings/b.h|#include <QSettings>|settings includes <QSettings>'
  'settings/b.h|#include <SimpleIni.h>|settings includes <SimpleIni.h>'
  'settings/b.h|#include "skin/skinini.h"|settings includes "skin/skinini.h"'
  'engine/b.h|#include "skin/skinini.h"|engine includes "skin/skinini.h"'
  'engine/b.h|#include <SimpleIni.h>|engine includes <SimpleIni.h>'
  'display/b.h|#include "settings/settingrules.h"|display includes "settings/settingrules.h"'
  'input/b.h|#include "skin/skinini.h"|input includes "skin/skinini.h"'
  'sound/b.h|#include <QString>|sound includes the Qt header <QString>'
  'web/core/b.h|#include "display/surface.h"|web includes "display/surface.h"'
  'web/core/b.h|#include "input/keytable.h"|web includes "input/keytable.h"'
  'web/core/b.h|#include <QString>|web includes <QString>'
  'web/core/b.h|#include <SimpleIni.h>|web includes <SimpleIni.h>'
  'controls/keydata.cpp|#include <QString>|controls includes <QString>'
  'replay/b.h|#include <QString>|replay includes <QString>'
  'replay/b.h|#include "ui/zoomfit.h"|replay includes "ui/zoomfit.h"'
  'controls/keydata.cpp|#include "input/dispatch.h"|controls includes "input/dispatch.h"'
  'controls/b.h|#include "skin/skinini.h"|controls includes "skin/skinini.h"'
  'ui/b.h|#include <QRect>|ui includes <QRect>'
  'ui/b.h|#include "display/surface.h"|ui includes "display/surface.h"'
  'gamepad/b.h|#include "input/keys.h"|gamepad includes "input/keys.h"'
  'skin/b.h|#include "web/core/webgame.h"|skin includes "web/core/webgame.h"'
)
for c in "${cases[@]}"; do
  IFS='|' read -r file include want <<<"$c"
  clean_tree
  printf '%s\n' "$include" >"$work/tree/$file.new"
  [ -f "$work/tree/$file" ] && cat "$work/tree/$file" >>"$work/tree/$file.new"
  mv "$work/tree/$file.new" "$work/tree/$file"
  out=$(bash "$check" "$work/tree")
  rc=$?
  if [ "$rc" -ne 1 ] || [[ $out != *"$file:1: $want"* ]]; then
    echo "FAIL: $file with '$include': exit $rc, said: $out"
    failed=1
  fi
done

if [ "$failed" -ne 0 ]; then exit 1; fi
echo "check_layers_test: the clean tree passes and ${#cases[@]} outward includes are found"
