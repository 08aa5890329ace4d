#!/usr/bin/env bash
# While the start dialog shows, nothing of the device is on the screen: no window of the
# device's title is mapped, and every pixel outside the dialog (with the window manager's
# frame) is the empty screen's. Windowed, at --zoom 200 and in full screen. Play then brings
# the device up centred; Escape, and under a window manager a close request, end the program
# with the device never mapped.
# Usage: hidden_start_test.sh GAME_DIR   (with E2E_WM=openbox under a window manager)
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1920x1080
e2e_copy_game "${1:?game folder}"
e2e_shot "$E2E_TMP/empty.png"
SPLASH="About this game..."
gw=$(e2e_ini_value Common GameWidth) gh=$(e2e_ini_value Common GameHeight)

# Every window of the device's title is unmapped; Qt may not have made one yet at all.
device_unmapped() {
    local pattern w
    pattern="^$(printf '%s' "$E2E_TITLE" | sed 's/[][()^$.*+?{}|\\]/\\&/g')\$"
    for w in $(xdotool search --name "$pattern" 2>/dev/null); do
        xwininfo -id "$w" | grep -q 'Map State: IsViewable' && return 1
    done
    return 0
}

# The dialog's rectangle on the screen with its frame, as "X0,Y0 X1,Y1" (corners included).
splash_frame() {
    local info x y w h l=0 r=0 t=0 b=0 ext
    info=$(xwininfo -id "$1")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/.*Width: *//p' <<<"$info")
    h=$(sed -n 's/.*Height: *//p' <<<"$info")
    ext=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p')
    [ -n "$ext" ] && IFS=', ' read -r l r t b <<<"$ext"
    echo "$((x - l)),$((y - t)) $((x + w + r - 1)),$((y + h + b - 1))"
}

# The screen now, outside the dialog's frame, is the empty screen pixel for pixel.
only_the_splash_shows() {
    local rect n
    rect=$(splash_frame "$1")
    e2e_shot "$E2E_TMP/shot.png"
    convert "$E2E_TMP/empty.png" -fill black -draw "rectangle $rect" "$E2E_TMP/a.png"
    convert "$E2E_TMP/shot.png" -fill black -draw "rectangle $rect" "$E2E_TMP/b.png"
    n=$(compare -metric AE "$E2E_TMP/a.png" "$E2E_TMP/b.png" "$E2E_TMP/diff.png" 2>&1)
    [ "${n%%.*}" = 0 ] && return 0
    echo "$n pixels outside the dialog ($rect) differ from the empty screen" >&2
    return 1
}

# Starts the program with a store that shows the dialog; checks the screen once the dialog
# has the keyboard. Prints the dialog's window.
start_with_splash() {  # CASE ARG...
    local what=$1 splash
    shift
    e2e_run_from "$E2E_GAME" "$@"
    splash=$(e2e_wait_window "$SPLASH") || exit 1
    e2e_wait_focus "$splash" || e2e_fail "$what: the dialog never got the keyboard"
    device_unmapped || e2e_fail "$what: the device is mapped while the dialog shows"
    only_the_splash_shows "$splash" || e2e_fail "$what: something besides the dialog is on the screen"
    echo "$splash"
}

stop_program() {
    kill "$E2E_PID" 2>/dev/null
    e2e_wait_exit || e2e_fail "the program did not end"
}

# windowed: play brings the device up centred
e2e_store FullscreenMode=0
start_with_splash windowed >/dev/null
xdotool key Down Down Down Return  # (no sound), and play
wid=$(e2e_wait_window) || exit 1
e2e_wait_device "$wid" || e2e_fail "windowed: the device was never drawn"
read -r wx wy < <(e2e_window_pos "$wid")
[ "$wx $wy" = "$(((1920 - gw) / 2)) $(((1080 - gh) / 2))" ] || e2e_fail "windowed: the device is at $wx,$wy"
e2e_wait_gone "$SPLASH" || e2e_fail "windowed: the dialog stayed after play"
stop_program

# --zoom 200, windowed: play brings it up centred, whole on the screen
e2e_store FullscreenMode=0 SoundMode=2
start_with_splash "--zoom 200" --zoom 200 >/dev/null
xdotool key Return
wid=$(e2e_wait_window) || exit 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$X $Y" = "$(((1920 - WIDTH) / 2)) $(((1080 - HEIGHT) / 2))" ] && [ "$Y" -ge 0 ] && [ "$HEIGHT" -le 1080 ] ||
    e2e_fail "--zoom 200: the device is ${WIDTH}x$HEIGHT at $X,$Y"
stop_program

# full screen: Escape ends the program; the device never came up
e2e_store FullscreenMode=1 SoundMode=2
start_with_splash "full screen" >/dev/null
xdotool key Escape
e2e_wait_exit || e2e_fail "full screen: Escape did not end the program"
[ "$E2E_STATUS" = 0 ] || e2e_fail "full screen: Escape ended the program with status $E2E_STATUS"

# full screen again: play covers the screen
start_with_splash "full screen" >/dev/null
xdotool key Return
wid=$(e2e_wait_window) || exit 1
e2e_wait_device "$wid" || e2e_fail "full screen: the device was never drawn"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$X $Y $WIDTH $HEIGHT" = "0 0 1920 1080" ] || e2e_fail "full screen: the device is ${WIDTH}x$HEIGHT at $X,$Y"
stop_program

# under a window manager, its close request on the dialog ends the program as Escape does
if [ -n "${E2E_WM:-}" ]; then
    start_with_splash "close request" >/dev/null
    xdotool key alt+F4
    e2e_wait_exit || e2e_fail "a close request on the dialog did not end the program"
fi
echo "PASS"
