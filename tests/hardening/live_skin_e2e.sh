#!/usr/bin/env bash
# live_skin_e2e.sh GAME_DIR: the skin's files changed while the real simulator runs, in a
# private Xvfb. It starts in full screen and switches to the window at 150 %, where the body is
# drawn from its double-size partner (given a colour of its own). Then Config.ini gets a colour
# that is no integer, a picture is deleted, one is cut short, the backdrop is redrawn in another
# colour, the body's partner is deleted and a figure's partner cut short, and:
#  1. F12 to full screen: an error box, no part of the half-built window on the screen, and
#     after it the new backdrop.
#  2. F12 back to the window: the error box holds what a start with these files shows.
#  3. At 150 % and, after Ctrl and plus, at 175 %: the deleted picture is the red placeholder,
#     the body is drawn from its normal picture, the window's corner shows the desktop, and the
#     power switch still lights the screen.
set -u
. "$(dirname "$0")/../e2e/e2e_lib.sh"
game=${1:?game folder}
e2e_init
e2e_start_x 1600x1600
marker="0,160,255"    # the colour of the body's partner at the start
backdrop="200,40,120"  # the colour of the redrawn backdrop

# A visible dialog window of the program (the error box): sets BOX to it.
find_box() {
    local w
    BOX=""
    for w in $(xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG &&
            { BOX=$w; return 0; }
    done
    return 1
}
wait_box() { e2e_until "$E2E_DEADLINE" find_box || e2e_fail "no error box ($1)"; }
no_box() { ! find_box; }
answer_box() {
    xdotool windowfocus --sync "$BOX" key Return 2>/dev/null
    e2e_until "$E2E_DEADLINE" no_box || e2e_fail "the error box stayed ($1)"
}
# The box as the screen shows it, focused, into $1.
shoot_box() {
    local X="" Y="" WIDTH="" HEIGHT="" SCREEN="" WINDOW=""
    xdotool windowfocus --sync "$BOX" 2>/dev/null
    e2e_wait_focus "$BOX" || e2e_fail "the error box never got the keyboard"
    eval "$(xdotool getwindowgeometry --shell "$BOX")"
    e2e_shot "$E2E_TMP/screen.png"
    convert "$E2E_TMP/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}

break_skin() {
    local skin="$E2E_GAME/Graphics/Skin"
    sed -i 's/^TranspColor=.*/TranspColor=purple/' "$E2E_GAME/Config.ini"
    rm "$skin/arrow_up.png" "$skin/background@2x.png"
    convert -size 64x64 "xc:rgb($backdrop)" "$E2E_GAME/Graphics/Backdrop/backdrop.png"
    head -c 200 "$skin/digit_0.png" >"$skin/cut" && mv "$skin/cut" "$skin/digit_0.png"
    head -c 500 "$skin/ghost@2x.png" >"$skin/cut" && mv "$skin/cut" "$skin/ghost@2x.png"
}

# 1. A start with the changed files, for the error box it shows.
e2e_copy_game "$game"
break_skin
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1 Zoom=150
e2e_run
wait_box "start with the changed files"
shoot_box "$E2E_TMP/box_at_start.png"
answer_box "start"
kill "$E2E_PID"
e2e_wait_exit || e2e_fail "the first run did not end"
rm -rf "$E2E_GAME"

# 2. The same files changed while the program runs.
e2e_copy_game "$game"
partner="$E2E_GAME/Graphics/Skin/background@2x.png"
convert -size "$(identify -format '%wx%h' "$partner")" "xc:rgb($marker)" "PNG32:$partner"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=1 CtrlrOverlay=1 Zoom=150
e2e_run
wid=$(e2e_wait_window) || exit 1
e2e_wait_pos "$wid" 0 0 || e2e_fail "the start is not in full screen"
xdotool windowfocus --sync "$wid" key F12 2>/dev/null
gw=$(e2e_ini_value Common GameWidth) gh=$(e2e_ini_value Common GameHeight)
read -r ul ut _ _ < <(e2e_image_rect btn_ctrlr_overlay_up)
body_colour=$(e2e_body_colour)

# Screen point of skin point ($1, $2) at zoom $3 (percent), as "X Y".
at() {
    local wx wy
    read -r wx wy < <(e2e_window_pos "$wid")
    echo "$((wx + $1 * $3 / 100)) $((wy + $2 * $3 / 100))"
}
size() {
    local WIDTH="" HEIGHT="" X="" Y="" SCREEN="" WINDOW=""
    eval "$(xdotool getwindowgeometry --shell "$wid" 2>/dev/null)"
    echo "$WIDTH $HEIGHT"
}
has_size() { [ "$(size)" = "$1 $2" ]; }
scaled() { echo $((($1 * $2 + 50) / 100)); }
# Colours within 6 of each other on every channel (a smoothly scaled picture may shift by one).
near() {
    local a b i
    IFS=, read -r -a a <<<"$1"
    IFS=, read -r -a b <<<"$2"
    for i in 0 1 2; do
        [ "${a[i]:-999}" -ge $((b[i] - 6)) ] && [ "${a[i]:-999}" -le $((b[i] + 6)) ] || return 1
    done
}
# The screen shows colour $4 at skin point ($1, $2) at zoom $3, wherever the window is now.
skin_pixel_is() { e2e_pixel_is $(at "$1" "$2" "$3") "$4"; }
body_is() { near "$(e2e_screen_pixel $(at "$((gw / 2))" 20 "$2"))" "$1"; }

e2e_until "$E2E_DEADLINE" has_size "$(scaled "$gw" 150)" "$(scaled "$gh" 150)" || e2e_fail "the window is $(size), not 150 %"
e2e_until "$E2E_DEADLINE" body_is "$marker" 150 || e2e_fail "the body is not drawn from its partner at the start"

break_skin
xdotool windowfocus --sync "$wid" key F12 2>/dev/null
wait_box "F12 to full screen"
off_screen() {
    local X="" Y="" WIDTH="" HEIGHT="" SCREEN="" WINDOW=""
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    [ $((X + WIDTH)) -le 0 ] || [ $((Y + HEIGHT)) -le 0 ]
}
off_screen || e2e_fail "the window reaches onto the screen while the box is up: $(xdotool getwindowgeometry "$wid")"
answer_box "F12 to full screen"
e2e_wait_pos "$wid" 0 0 || e2e_fail "no full-screen window after the box"
e2e_wait_pixel 2 "$((E2E_SCREEN_H - 3))" "$backdrop" ||
    e2e_fail "the backdrop is $(e2e_screen_pixel 2 "$((E2E_SCREEN_H - 3))"), not the redrawn $backdrop"

xdotool windowfocus --sync "$wid" key F12 2>/dev/null
wait_box "F12 back to the window"
off_screen || e2e_fail "the window reaches onto the screen while the second box is up"
shoot_box "$E2E_TMP/box_at_switch.png"
n=$(compare -metric AE "$E2E_TMP/box_at_start.png" "$E2E_TMP/box_at_switch.png" null: 2>&1)
[ "$n" = "0" ] || e2e_fail "the box at the switch differs from the one at the start ($n pixels)"
echo "live skin: the switch shows the box of a start with these files"
answer_box "F12 back to the window"
e2e_until "$E2E_DEADLINE" has_size "$(scaled "$gw" 150)" "$(scaled "$gh" 150)" || e2e_fail "back windowed the window is $(size)"
e2e_wait_pos "$wid" $(((E2E_SCREEN_W - $(scaled "$gw" 150)) / 2)) $(((E2E_SCREEN_H - $(scaled "$gh" 150)) / 2)) ||
    e2e_fail "back windowed the window is not centred: $(e2e_window_pos "$wid")"

for zoom in 150 175; do
    if [ "$zoom" != 150 ]; then
        xdotool windowfocus --sync "$wid" key ctrl+plus 2>/dev/null
        e2e_until "$E2E_DEADLINE" has_size "$(scaled "$gw" "$zoom")" "$(scaled "$gh" "$zoom")" ||
            e2e_fail "Ctrl+plus left the window at $(size)"
    fi
    e2e_until "$E2E_DEADLINE" skin_pixel_is "$((ul + 5))" "$((ut + 5))" "$zoom" 255,0,0 ||
        e2e_fail "no placeholder for the deleted arrow at $zoom %"
    e2e_until "$E2E_DEADLINE" body_is "$body_colour" "$zoom" ||
        e2e_fail "at $zoom % the body is $(e2e_screen_pixel $(at "$((gw / 2))" 20 "$zoom")), not its picture's $body_colour"
    e2e_until "$E2E_DEADLINE" skin_pixel_is 1 1 "$zoom" 0,0,0 || e2e_fail "at $zoom % the window's corner is not see-through"
    echo "live skin: at $zoom % the placeholder and the body's own picture"
done

read -r pl pt pw ph < <(e2e_image_rect btn_power_top)
read -r sl st sw sh < <(e2e_image_rect im_background_screen)
read -r sx sy < <(at "$sl" "$st" 175)
e2e_shot "$E2E_TMP/off.png"
e2e_click $(at "$((pl + pw / 2))" "$((pt + ph / 2))" 175)
e2e_wait_change "$E2E_TMP/off.png" "$sx" "$sy" "$((sw * 7 / 4))" "$((sh * 7 / 4))" "$E2E_TMP/on.png" ||
    e2e_fail "the power switch did not light the screen"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the simulator ended"
echo "PASS"
