#!/usr/bin/env bash
# e2e_menus.sh GAME_DIR
#
# The two menus as a person uses them, on the real simulator in a private Xvfb with a
# throw-away settings store (no splash, no sound, full screen, overlays on):
#   - F12 twice returns to full screen, windowed and centred in between, with the game
#     still running (checked early, before the idle Nibbo can lose the game);
#   - the game menu button opens the panel; row 11 switches the overlays off and closes
#     it; the button opens and closes it again without running anything;
#   - a right click opens the popup menu and closes the game menu; Esc closes that
#     popup and not the simulator;
#   - Esc ends the simulator.
# Exit status 0 on success, 77 when a needed tool or the built program is missing.
set -u
game=${1:?game folder}
for t in Xvfb xdotool import compare; do command -v $t >/dev/null || { echo "missing $t"; exit 77; }; done
[ -x "$game/zorpy-nibbo" ] && [ -f "$game/Config.ini" ] || { echo "no built simulator in $game"; exit 77; }

tmp=$(mktemp -d)
xpid=""; pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

store="$tmp/config/Quillon/Zornibak50.conf"
mkdir -p "$tmp/config/Quillon"
printf '[General]\nSoundMode=2\nSplashScreen=0\nFullscreenMode=1\nCtrlrOverlay=1\n' > "$store"
stored() { sed -n "s/^$1=//p" "$store"; }

exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/display")"

(cd "$game" && XDG_CONFIG_HOME="$tmp/config" HOME="$tmp" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
  exec ./zorpy-nibbo) >"$tmp/log" 2>&1 &
pid=$!
win=""
for _ in $(seq 100); do win=$(xdotool search --pid "$pid" --onlyvisible 2>/dev/null | head -n1); [ -n "$win" ] && break; sleep 0.1; done
[ -n "$win" ] || { echo "no window appeared:"; cat "$tmp/log"; exit 1; }
sleep 0.7

key() { xdotool windowfocus --sync "$win" 2>/dev/null; xdotool key "$1"; sleep 0.4; }
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; sleep 0.4; }
geometry() { xdotool getwindowgeometry --shell "$win" | grep -E '^(X|Y|WIDTH|HEIGHT)=' | tr '\n' ' '; }
visible_windows() { xdotool search --pid "$pid" --onlyvisible 2>/dev/null | wc -l; }
# Pixels that differ between two screenshots of the device taken a second apart.
screen_changes() {
  import -window root "$tmp/a.png"; sleep 1.2; import -window root "$tmp/b.png"
  compare -metric AE "$tmp/a.png" "$tmp/b.png" null: 2>&1 | cut -d' ' -f1
}

# Switch the device on, wait for the power-on tune, select game 1 and start it.
key 1; sleep 3.3; key 2; key 3; sleep 0.5

# Display-mode switch there and back.
full=$(geometry)
[ "$full" = "X=0 Y=0 WIDTH=1280 HEIGHT=1024 " ] || fail "full screen geometry is $full"
key F12; sleep 0.5
windowed=$(geometry)
[ "$(stored FullscreenMode)" = 0 ] || fail "F12 did not store windowed mode"
[ "$windowed" = "X=294 Y=138 WIDTH=692 HEIGHT=747 " ] || fail "windowed geometry is $windowed"
key F12; sleep 0.5
[ "$(geometry)" = "$full" ] || fail "second F12 gave $(geometry), not $full"
[ "$(stored FullscreenMode)" = 1 ] || fail "F12 did not store full-screen mode"
running=0
for _ in 1 2 3; do [ "$(screen_changes)" -gt 0 ] && { running=1; break; }; done
[ "$running" = 1 ] || fail "the game no longer runs after two display-mode switches"

# Game menu: button at the top-left corner, rows of 32 pixels below it.
row_y() { echo $((32 * $1 + 16)); }
click 18 16
click 60 "$(row_y 11)"
[ "$(stored CtrlrOverlay)" = 0 ] || fail "row 11 did not switch the overlays off"
click 60 "$(row_y 11)"   # the menu closed: this click lands on the backdrop
[ "$(stored CtrlrOverlay)" = 0 ] || fail "a click below the closed menu ran a command"
click 18 16; click 18 16   # open, close
click 60 "$(row_y 11)"
[ "$(stored CtrlrOverlay)" = 0 ] || fail "the menu button did not close the menu"
click 18 16; click 60 "$(row_y 11)"
[ "$(stored CtrlrOverlay)" = 1 ] || fail "row 11 did not switch the overlays back on"

# Popup menu: a right click on an open game menu's row adds the popup's window and closes
# the game menu; Esc then closes only the popup.
before=$(visible_windows)
click 18 16; click 60 "$(row_y 2)" 3
[ "$(visible_windows)" -gt "$before" ] || fail "right click did not open the popup menu"
xdotool key Escape; sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "Esc in the open popup menu ended the simulator"
[ "$(visible_windows)" -eq "$before" ] || fail "Esc did not close the popup menu"
click 60 "$(row_y 11)"
[ "$(stored CtrlrOverlay)" = 1 ] || fail "the popup menu did not close the game menu"

# Esc ends the simulator.
key Escape
for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then fail "Esc did not end the simulator"; else wait "$pid"; pid=""; fi

[ "$failures" -eq 0 ] && echo "menus end to end: all passed"
exit $((failures > 0))
