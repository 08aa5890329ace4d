#!/usr/bin/env bash
# The two menus as a person uses them, full screen, with a game running:
#   - F12 twice returns to full screen, windowed and centred in between, with the game
#     still running (checked first, before the idle Nibbo can lose the game);
#   - the game menu button opens the panel; row 11 switches the overlays off and closes
#     it; the button opens and closes it again without running anything;
#   - a right click on the open game menu opens the popup menu and closes the game menu;
#     Esc then closes the popup, not the simulator;
#   - by keyboard, Tab and Shift+Tab reach the button and the rows, Enter opens the menu and
#     runs a row;
#   - Esc ends the simulator.
# Every step waits for what it does before the next; a step that must do nothing is known
# to be over once a later step's effect shows, as the program handles input in order.
# Usage: e2e_menus.sh GAME_DIR
. "$(dirname "$0")/../e2e/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=1 CtrlrOverlay=1
e2e_run
win=$(e2e_wait_window) || exit 1
e2e_wait_device "$win" || e2e_fail "the device was never drawn"

key() { xdotool windowfocus --sync "$win" 2>/dev/null; xdotool key "$1"; }
row_y() { echo $((32 * $1 + 16)); }  # the game menu's rows lie below its 32-pixel button
geometry() { e2e_geometry "$win"; }
geometry_is() { [ "$(geometry)" = "$1" ]; }
popups() { xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null | wc -l; }
popups_are() { [ "$(popups)" -eq "$1" ]; }
popups_over() { [ "$(popups)" -gt "$1" ]; }
region() {  # screen rectangle of image $1 of the device, full screen, as "X Y W H"
    local ox oy l t w h
    read -r ox oy < <(e2e_device_origin "$win")
    read -r l t w h < <(e2e_image_rect "$1")
    echo "$((ox + l)) $((oy + t)) $w $h"
}
# The open game menu darkens its rows, on the backdrop left of the device.
menu_rows="0 32 256 416"
menu_opens() {
    e2e_click 18 16
    e2e_wait_change "$E2E_TMP/closed.png" $menu_rows "$E2E_TMP/open.png" || e2e_fail "the game menu did not open"
}
menu_closed() {
    e2e_wait_same "$E2E_TMP/closed.png" $menu_rows "$E2E_TMP/shut.png" || e2e_fail "the game menu did not close"
}

# Power on, then select game 1 and start it. The device ignores game select during its
# power-on tune (2980 ms), and nothing on the screen tells when the tune ends; so select,
# hold the start key until the pressed start button shows that both keys were
# handled, and look: the game runs when the select came after the tune, and nothing
# changed when it came before. A start always follows the select, so it stays game 1.
e2e_shot "$E2E_TMP/off.png"
key 1
e2e_wait_change "$E2E_TMP/off.png" $(region im_background_screen) "$E2E_TMP/on.png" || e2e_fail "the power key did not light the screen"
game_started() {
    key 2
    xdotool keydown 3
    e2e_wait_change "$E2E_TMP/on.png" $(region btn_start_down) "$E2E_TMP/play.png" || e2e_fail "the start key did not press the button"
    xdotool keyup 3
    e2e_wait_same "$E2E_TMP/on.png" $(region btn_start_down) "$E2E_TMP/up.png" || e2e_fail "the start button did not come up"
    e2e_region_differs "$E2E_TMP/on.png" "$E2E_TMP/play.png" $(region im_nibbo_06_03)
}
e2e_until "$E2E_DEADLINE" game_started || e2e_fail "no game started within ${E2E_DEADLINE}s of the power-on"

full=$(geometry)
[ "$full" = "0 0 1280 1024" ] || e2e_fail "full screen geometry is $full"
key F12
e2e_until "$E2E_DEADLINE" geometry_is "294 138 692 747" || e2e_fail "windowed geometry is $(geometry)"
e2e_wait_store FullscreenMode 0 || e2e_fail "F12 did not store windowed mode"
key F12
e2e_until "$E2E_DEADLINE" geometry_is "$full" || e2e_fail "second F12 gave $(geometry)"
e2e_wait_store FullscreenMode 1 || e2e_fail "F12 did not store full-screen mode"
e2e_wait_device "$win" || e2e_fail "the device was not drawn again in full screen"
e2e_shot "$E2E_TMP/closed.png"
e2e_wait_change "$E2E_TMP/closed.png" $(region im_background_screen) "$E2E_TMP/moved.png" ||
    e2e_fail "the game stopped across two display-mode switches"

menu_opens
e2e_click 60 "$(row_y 11)"
e2e_wait_store CtrlrOverlay 0 || e2e_fail "row 11 did not switch the overlays off"
menu_closed
e2e_click 60 "$(row_y 11)"  # the menu closed: this lands on the backdrop
menu_opens
[ "$(e2e_stored CtrlrOverlay)" = 0 ] || e2e_fail "a click below the closed menu ran a command"
e2e_click 18 16
menu_closed
e2e_click 60 "$(row_y 11)"
menu_opens
[ "$(e2e_stored CtrlrOverlay)" = 0 ] || e2e_fail "the menu button did not close the menu"
e2e_click 60 "$(row_y 11)"
e2e_wait_store CtrlrOverlay 1 || e2e_fail "row 11 did not switch the overlays back on"
menu_closed

before=$(popups)
menu_opens
e2e_click 60 "$(row_y 2)" 3
e2e_until "$E2E_DEADLINE" popups_over "$before" || e2e_fail "a right click did not open the popup menu"
xdotool key Escape
e2e_until "$E2E_DEADLINE" popups_are "$before" || e2e_fail "Esc did not close the popup menu"
e2e_wait_same "$E2E_TMP/closed.png" $menu_rows "$E2E_TMP/shut.png" || e2e_fail "the popup menu did not close the game menu"
e2e_click 60 "$(row_y 11)"  # the game menu is closed: this lands on the backdrop
menu_opens
kill -0 "$E2E_PID" 2>/dev/null && [ -n "$(e2e_find_window)" ] ||
    e2e_fail "Esc in the open popup menu ended the simulator"
[ "$(e2e_stored CtrlrOverlay)" = 1 ] || e2e_fail "a click where the game menu was before the popup ran a command"
e2e_click 18 16
menu_closed

# By keyboard: Tab to the button, Enter opens; Tab over the rows (past the separators and the
# disabled row) to row 11, whose Enter runs it and closes the menu; Shift+Tab goes round back.
menu_opens_by_key() {
    key Return
    e2e_wait_change "$E2E_TMP/closed.png" $menu_rows "$E2E_TMP/open.png" || e2e_fail "Enter on the button did not open the menu"
}
key Tab
menu_opens_by_key
for _ in 1 2 3 6 7 9 10 11; do key Tab; done
key Return
e2e_wait_store CtrlrOverlay 0 || e2e_fail "Tab to row 11 and Enter did not switch the overlays off"
menu_closed
menu_opens_by_key
for _ in 13 11; do key shift+Tab; done
key Return
e2e_wait_store CtrlrOverlay 1 || e2e_fail "Shift+Tab to row 11 and Enter did not switch the overlays on"
menu_closed

key Escape
e2e_wait_exit || e2e_fail "Esc did not end the simulator"
echo "menus end to end: passed"
