#!/usr/bin/env bash
# A person's first game in a window: the power switch clicked, game select by key, the
# start button clicked; the screen lights, Nibbo and the pills appear; Escape ends it.
# Usage: play_test.sh GAME_DIR
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1
e2e_run
wid=$(e2e_wait_window) || exit 1
read -r wx wy < <(e2e_window_pos "$wid")
gw=$(e2e_ini_value Common GameWidth); gh=$(e2e_ini_value Common GameHeight)
[ "$wx" -eq $(((1280 - gw) / 2)) ] && [ "$wy" -eq $(((1024 - gh) / 2)) ] ||
    e2e_fail "window at $wx,$wy is not centred for ${gw}x${gh}"

at() {  # screen point at the centre of image $1
    local l t w h
    read -r l t w h < <(e2e_image_rect "$1")
    echo "$((wx + l + w / 2)) $((wy + t + h / 2))"
}
region() {  # screen rectangle of image $1 as "X Y W H"
    local l t w h
    read -r l t w h < <(e2e_image_rect "$1")
    echo "$((wx + l)) $((wy + t)) $w $h"
}

xdotool mousemove "$((wx + gw / 2))" "$((wy + 10))"
e2e_shot "$E2E_TMP/off.png"
e2e_click $(at btn_power_top)
sleep 0.5
e2e_shot "$E2E_TMP/on.png"
e2e_region_differs "$E2E_TMP/off.png" "$E2E_TMP/on.png" $(region im_background_screen) || e2e_fail "the screen did not light up"
e2e_region_differs "$E2E_TMP/off.png" "$E2E_TMP/on.png" $(region btn_power_on) || e2e_fail "the switch did not move"

sleep 3  # the power-on tune
xdotool key 2  # game select: game 1
sleep 0.3
e2e_shot "$E2E_TMP/select.png"
e2e_click $(at btn_start_top)
sleep 0.5
e2e_shot "$E2E_TMP/play.png"
e2e_region_differs "$E2E_TMP/select.png" "$E2E_TMP/play.png" $(region im_nibbo_06_03) || e2e_fail "Nibbo (06,03) is not lit"
e2e_region_differs "$E2E_TMP/select.png" "$E2E_TMP/play.png" $(region im_pill_02_07) || e2e_fail "the pill (02,07) is not lit"
e2e_region_differs "$E2E_TMP/select.png" "$E2E_TMP/play.png" $(region im_panel_lives_1) || e2e_fail "no life marker"
# the game-over panel stays dark
e2e_region_differs "$E2E_TMP/select.png" "$E2E_TMP/play.png" $(region im_panel_gameover) && e2e_fail "the game-over panel is lit"

xdotool key Escape
e2e_wait_exit 5 || e2e_fail "Escape did not end the simulator"
echo "PASS"
