#!/usr/bin/env bash
# The window at twice its size (--zoom 200): the window is twice the skin's game area, it
# follows a drag pixel for pixel, the power switch works where it is drawn, Ctrl and minus and Ctrl and the wheel make it smaller
# and store the zoom, and a window grows no larger than the screen takes.
# Usage: zoom_test.sh GAME_DIR
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1600x1600
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1
e2e_run_from "$E2E_GAME" --zoom 200
wid=$(e2e_wait_window) || exit 1
e2e_wait_focus "$wid" || e2e_fail "the window never got the keyboard"
gw=$(e2e_ini_value Common GameWidth) gh=$(e2e_ini_value Common GameHeight)

size() {
    local w h
    read -r _ _ w h < <(e2e_geometry "$wid")
    echo "$w $h"
}
has_size() { [ "$(size)" = "$1 $2" ]; }
# The size at a zoom in percent, rounded as the program rounds.
scaled() { echo $((($1 * $2 + 50) / 100)); }

e2e_until "$E2E_DEADLINE" has_size $((2 * gw)) $((2 * gh)) || e2e_fail "the window is $(size), not twice $gw x $gh"
e2e_wait_settled "$wid" || e2e_fail "the window never came to rest at 200 %"
[ -z "$(e2e_stored Zoom)" ] || e2e_fail "--zoom was stored: Zoom=$(e2e_stored Zoom)"

# a drag on the body, just inside its top edge: the grabbed point stays under the pointer
read -r wx wy < <(e2e_window_pos "$wid")
e2e_drag_window "$wid" "$((wx + gw))" "$((wy + 40))" -60 -40 || e2e_fail "the window did not follow a drag at 200 %"

read -r wx wy < <(e2e_window_pos "$wid")
at() {  # screen point at the centre of image $1 at 200 %
    local l t w h
    read -r l t w h < <(e2e_image_rect "$1")
    echo "$((wx + 2 * l + w)) $((wy + 2 * t + h))"
}
region() {  # screen rectangle of image $1 at 200 %, as "X Y W H"
    local l t w h
    read -r l t w h < <(e2e_image_rect "$1")
    echo "$((wx + 2 * l)) $((wy + 2 * t)) $((2 * w)) $((2 * h))"
}
e2e_shot "$E2E_TMP/off.png"
e2e_click $(at btn_power_top)
e2e_wait_change "$E2E_TMP/off.png" $(region im_background_screen) "$E2E_TMP/on.png" ||
    e2e_fail "the screen did not light up after a click on the power switch at 200 %"

xdotool key ctrl+minus
e2e_until "$E2E_DEADLINE" has_size "$(scaled "$gw" 175)" "$(scaled "$gh" 175)" || e2e_fail "Ctrl+minus left the window at $(size)"
e2e_wait_store Zoom 175 || e2e_fail "Ctrl+minus stored Zoom=$(e2e_stored Zoom)"

# Ctrl and the wheel turned towards the user, over the device's body. The program moves the
# window after giving it its new size, and a window manager may take a while more: the wheel
# is aimed once the window rests, and turned once the pointer is on it there.
e2e_wait_settled "$wid" || e2e_fail "the window never came to rest after Ctrl+minus"
read -r wx wy < <(e2e_window_pos "$wid")
xdotool mousemove "$((wx + $(scaled "$gw" 175) / 2))" "$((wy + 40))"
e2e_until "$E2E_DEADLINE" e2e_pointer_on "$wid" || e2e_fail "the pointer is not on the window's body"
xdotool keydown ctrl click 5 keyup ctrl
e2e_until "$E2E_DEADLINE" has_size "$(scaled "$gw" 150)" "$(scaled "$gh" 150)" || e2e_fail "Ctrl+wheel left the window at $(size)"
e2e_wait_store Zoom 150 || e2e_fail "Ctrl+wheel stored Zoom=$(e2e_stored Zoom)"

# 225 % is taller than the screen: the window stops at 200 %, whole on the screen
on_screen() {
    local x y w h
    read -r x y < <(e2e_window_pos "$wid")
    read -r w h < <(size)
    [ "$w" = "$(scaled "$gw" 200)" ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$E2E_SCREEN_W" ] &&
        [ $((y + h)) -le "$E2E_SCREEN_H" ]
}
xdotool key ctrl+plus ctrl+equal ctrl+KP_Add
e2e_until "$E2E_DEADLINE" on_screen || e2e_fail "at 200 % the window is at $(e2e_window_pos "$wid") with size $(size)"
e2e_wait_store Zoom 200 || e2e_fail "Ctrl+plus stored Zoom=$(e2e_stored Zoom)"
echo "PASS"
