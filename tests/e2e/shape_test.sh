#!/usr/bin/env bash
# The windowed display is shaped by the key colour: a press on a key-coloured pixel
# inside the window's rectangle does not reach the simulator (no drag starts there),
# while a drag on the device's body moves the window.
# Usage: shape_test.sh GAME_DIR
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1
e2e_run
wid=$(e2e_wait_window) || exit 1
e2e_wait_device "$wid" || e2e_fail "the device was never drawn"
read -r wx wy < <(e2e_window_pos "$wid")
gw=$(e2e_ini_value Common GameWidth)
e2e_shot "$E2E_TMP/desk.png"

# a see-through point: the window's top-left corner shows the desktop, not the key colour
corner=$(e2e_pixel "$E2E_TMP/desk.png" "$((wx + 1))" "$((wy + 1))")
[ "$corner" = "0,0,0" ] || e2e_fail "the corner shows $corner, not the desktop"
xdotool mousemove "$((wx + 1))" "$((wy + 1))"
[ -n "$(e2e_pointer_window)" ] && ! e2e_pointer_on "$wid" ||
    e2e_fail "the see-through corner belongs to the window ($(e2e_pointer_window))"
xdotool mousemove "$((wx + gw / 2))" "$((wy + 20))"
e2e_pointer_on "$wid" || e2e_fail "the body does not belong to the window ($(e2e_pointer_window))"

# A drag from the key-coloured corner by 60,-40, then a drag on the body, just inside the
# top edge in the middle, which is solid, by 60,40. Only the second may move the window.
# The program handles the two in order, so once the window rests at 60,40 the first drag is
# known to have done nothing: had it moved the window, no step of the two drags would
# leave it at 60,40 (30,-20 and 60,-40, then 90,-20 and 120,0, or no move at all when the
# second press then misses the body).
e2e_drag "$((wx + 1))" "$((wy + 1))" 60 -40
e2e_drag_window "$wid" "$((wx + gw / 2))" "$((wy + 20))" 60 40
read -r x y < <(e2e_window_pos "$wid")
[ "$x $y" = "$((wx + 60)) $((wy + 40))" ] || e2e_fail "the window is at $x,$y, not moved by 60,40 by the body drag alone"
echo "PASS"
