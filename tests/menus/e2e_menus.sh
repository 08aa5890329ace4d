#!/usr/bin/env bash
# The two menus as a person uses them, full screen, with a game running:
#   - F12 twice returns to full screen, windowed and centred in between, with the game
#     still running (checked first, before the idle Nibbo can lose the game);
#   - the game menu button opens the panel; row 11 switches the overlays off and closes
#     it; the button opens and closes it again without running anything;
#   - a right click on the open game menu opens the popup menu and closes the game menu;
#     Esc then closes the popup, not the simulator;
#   - Esc ends the simulator.
# Usage: e2e_menus.sh GAME_DIR
. "$(dirname "$0")/../e2e/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=1 CtrlrOverlay=1
e2e_run
win=$(e2e_wait_window) || exit 1

stored() { sed -n "s/^$1=//p" "$E2E_TMP/config/Quillon/Zornibak50.conf"; }
key() { xdotool windowfocus --sync "$win" 2>/dev/null; xdotool key "$1"; sleep 0.4; }
click() { e2e_click "$@"; sleep 0.4; }
row_y() { echo $((32 * $1 + 16)); }  # the game menu's rows lie below its 32-pixel button
geometry() { xdotool getwindowgeometry --shell "$win" | grep -E '^(X|Y|WIDTH|HEIGHT)=' | tr '\n' ' '; }
popups() { xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null | wc -l; }
game_moves() {
    e2e_shot "$E2E_TMP/a.png"; sleep 1.2; e2e_shot "$E2E_TMP/b.png"
    e2e_region_differs "$E2E_TMP/a.png" "$E2E_TMP/b.png" 0 0 1280 1024
}

# Power on, wait for the power-on tune, select game 1 and start it.
key 1; sleep 3.3; key 2; key 3; sleep 0.5

full=$(geometry)
[ "$full" = "X=0 Y=0 WIDTH=1280 HEIGHT=1024 " ] || e2e_fail "full screen geometry is $full"
key F12; sleep 0.5
[ "$(geometry)" = "X=294 Y=138 WIDTH=692 HEIGHT=747 " ] || e2e_fail "windowed geometry is $(geometry)"
[ "$(stored FullscreenMode)" = 0 ] || e2e_fail "F12 did not store windowed mode"
key F12; sleep 0.5
[ "$(geometry)" = "$full" ] || e2e_fail "second F12 gave $(geometry)"
[ "$(stored FullscreenMode)" = 1 ] || e2e_fail "F12 did not store full-screen mode"
game_moves || game_moves || game_moves || e2e_fail "the game stopped across two display-mode switches"

click 18 16; click 60 "$(row_y 11)"
[ "$(stored CtrlrOverlay)" = 0 ] || e2e_fail "row 11 did not switch the overlays off"
click 60 "$(row_y 11)"  # the menu closed: this lands on the backdrop
[ "$(stored CtrlrOverlay)" = 0 ] || e2e_fail "a click below the closed menu ran a command"
click 18 16; click 18 16; click 60 "$(row_y 11)"
[ "$(stored CtrlrOverlay)" = 0 ] || e2e_fail "the menu button did not close the menu"
click 18 16; click 60 "$(row_y 11)"
[ "$(stored CtrlrOverlay)" = 1 ] || e2e_fail "row 11 did not switch the overlays back on"

before=$(popups)
click 18 16; click 60 "$(row_y 2)" 3
[ "$(popups)" -gt "$before" ] || e2e_fail "a right click did not open the popup menu"
xdotool key Escape; sleep 0.5
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "Esc in the open popup menu ended the simulator"
[ "$(popups)" -eq "$before" ] || e2e_fail "Esc did not close the popup menu"
click 60 "$(row_y 11)"
[ "$(stored CtrlrOverlay)" = 1 ] || e2e_fail "the popup menu did not close the game menu"

key Escape
e2e_wait_exit 3 || e2e_fail "Esc did not end the simulator"
echo "menus end to end: passed"
