#!/usr/bin/env bash
# A zoom larger than the screen takes: the window gets the largest step that fits (never less
# than 100 %), whole on the screen; --zoom says so in one line on standard error and is not
# stored; Ctrl and + stop at that step and store nothing; a stored Zoom beyond it is kept in
# the store for a larger screen, and Ctrl and - from there store the step below the one shown.
# Usage: zoomfit_test.sh GAME_DIR WxH PERCENT   (PERCENT: the step expected for --zoom 200 on
#        a WxH screen; with E2E_WM=openbox under a window manager)
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x "${2:?screen size}"
fit=${3:?expected zoom}
e2e_copy_game "${1:?game folder}"
gw=$(e2e_ini_value Common GameWidth) gh=$(e2e_ini_value Common GameHeight)

scaled() { echo $((($1 * $2 + 50) / 100)); }  # a side at a zoom, rounded as the program rounds
size() {
    local WIDTH="" HEIGHT="" X="" Y="" SCREEN="" WINDOW=""
    eval "$(xdotool getwindowgeometry --shell "$wid" 2>/dev/null)"
    echo "$WIDTH $HEIGHT"
}
# The window at zoom $1, its whole rectangle on the screen.
whole_at() {
    local x y w h
    read -r w h < <(size)
    read -r x y < <(e2e_window_pos "$wid")
    [ "$w $h" = "$(scaled "$gw" "$1") $(scaled "$gh" "$1")" ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ] &&
        [ $((x + w)) -le "$E2E_SCREEN_W" ] && [ $((y + h)) -le "$E2E_SCREEN_H" ]
}
expect_whole_at() {  # ZOOM WHAT
    e2e_until "$E2E_DEADLINE" whole_at "$1" ||
        e2e_fail "$2: the window is $(size) at $(e2e_window_pos "$wid"), not whole on the screen at $1 %"
}
start() {
    e2e_run_from "$E2E_GAME" "$@"
    wid=$(e2e_wait_window) || exit 1
    e2e_wait_focus "$wid" || e2e_fail "the window never got the keyboard"
}
stop_program() {
    kill "$E2E_PID" 2>/dev/null
    e2e_wait_exit || e2e_fail "the program did not end"
}

# the README's example
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0
start --zoom 200
expect_whole_at "$fit" "--zoom 200"
said() { grep -c '^zorpy-nibbo:' "$E2E_TMP/err"; }  # the program's own lines, not Qt's
if [ "$fit" -lt 200 ]; then
    [ "$(said)" = 1 ] && grep -q "^zorpy-nibbo: --zoom 200 does not fit on the screen (.*): $fit % instead$" "$E2E_TMP/err" ||
        e2e_fail "--zoom 200 on $2: standard error holds: $(cat "$E2E_TMP/err")"
else
    [ "$(said)" = 0 ] || e2e_fail "--zoom 200 fits, yet: $(cat "$E2E_TMP/err")"
fi
[ -z "$(e2e_stored Zoom)" ] || e2e_fail "--zoom was stored: Zoom=$(e2e_stored Zoom)"
# Ctrl and + at the limit do nothing: the minus after them lands one step below the limit
xdotool key ctrl+plus ctrl+minus
expect_whole_at $((fit - 25)) "Ctrl+plus at the limit, then Ctrl+minus"
e2e_wait_store Zoom $((fit - 25)) || e2e_fail "Ctrl+minus stored Zoom=$(e2e_stored Zoom)"
xdotool key ctrl+plus ctrl+plus
expect_whole_at "$fit" "Ctrl+plus twice up to the limit"
e2e_wait_store Zoom "$fit" || e2e_fail "Ctrl+plus stored Zoom=$(e2e_stored Zoom)"
stop_program

# a stored zoom beyond the screen: the same step, silently; the choice stays in the store
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 Zoom=400
start
expect_whole_at "$fit" "Zoom=400"
[ "$(said)" = 0 ] || e2e_fail "a stored zoom printed: $(cat "$E2E_TMP/err")"
xdotool key ctrl+plus ctrl+minus
expect_whole_at $((fit - 25)) "Ctrl+plus and Ctrl+minus from Zoom=400"
e2e_wait_store Zoom $((fit - 25)) || e2e_fail "Ctrl+minus from Zoom=400 stored Zoom=$(e2e_stored Zoom)"
echo "PASS"
