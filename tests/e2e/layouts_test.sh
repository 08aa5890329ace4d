#!/usr/bin/env bash
# The digit row works the device on any keyboard layout. Under us, fr and de, the physical
# keys "1", "2" and "3" (X key codes 10, 11, 12) play in the splash dialog, then, first
# without and then with Shift, power the device on, select a game and start it. On fr the
# unshifted keys type & é " and Shift gives the digits; on de Shift+3 types §.
# Usage: layouts_test.sh GAME_DIR
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
command -v setxkbmap >/dev/null || e2e_fail "setxkbmap is missing (package x11-xkb-utils)"
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"

region() {  # screen rectangle of image $1 as "X Y W H"
    local l t w h
    read -r l t w h < <(e2e_image_rect "$1")
    echo "$((wx + l)) $((wy + t)) $w $h"
}
changed() {  # changed REF IMAGE: the image looks different on the latest shot than on REF
    e2e_region_differs "$E2E_TMP/$1.png" "$E2E_TMP/now.png" $(region "$2")
}
unchanged() { ! changed "$@"; }
# press KEYS [again] -- WHAT TEST...: presses the keys, then takes shots until TEST succeeds;
# with "again" the keys are pressed before every shot (game select does nothing while
# the power-on tune plays).
press() {
    local keys=$1 again=0 what
    shift
    [ "$1" = again ] && { again=1; shift; }
    shift  # --
    what=$1
    shift
    xdotool key "$keys"
    for _ in $(seq 50); do
        e2e_shot "$E2E_TMP/now.png"
        "$@" && return 0
        sleep 0.2
        [ "$again" = 1 ] && xdotool key "$keys"
    done
    e2e_fail "layout $layout, key $keys: $what"
}

for layout in us fr de; do
    setxkbmap -layout "$layout" || e2e_fail "setxkbmap $layout"
    setxkbmap -query | grep -qx "layout: *$layout" || e2e_fail "the layout is not $layout"
    e2e_store SoundMode=2 SplashScreen=1 FullscreenMode=0
    e2e_run
    e2e_wait_window "About this game..." >/dev/null || exit 1
    xdotool key 10  # plays, as Enter does
    wid=$(e2e_wait_window) || exit 1
    read -r wx wy < <(e2e_window_pos "$wid")
    xdotool mousemove 0 0
    e2e_shot "$E2E_TMP/off.png"

    for shift in "" shift+; do
        # the lit screen; the rightmost score digit, 0 after power-on and blank while a game
        # number shows; Nibbo at its start cell
        press "${shift}10" -- "the screen did not light up" changed off im_background_screen
        cp "$E2E_TMP/now.png" "$E2E_TMP/on.png"
        press "${shift}11" again -- "no game number" changed on im_panel_digit_pos_5
        cp "$E2E_TMP/now.png" "$E2E_TMP/select.png"
        press "${shift}12" -- "no game started" changed select im_nibbo_06_03
        press "${shift}10" -- "the device did not switch off" unchanged off im_background_screen
    done

    xdotool key Escape
    e2e_wait_exit 5 || e2e_fail "Escape did not end the simulator under $layout"
done
echo "PASS"
