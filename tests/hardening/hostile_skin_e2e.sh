#!/usr/bin/env bash
# hostile_skin_e2e.sh GAME_DIR: the real simulator with hostile skins in a private Xvfb.
#  1. Config.ini of 50 MB: an error box, and after OK the program ends by itself.
#  2. Broken pictures (a truncated PNG, one claiming 30000 x 30000 pixels, random bytes, a folder
#     named like a picture): one error box; after OK the window is on screen and answers.
# In both the peak resident memory (VmHWM) stays under 500 MB.
set -u
. "$(dirname "$0")/../e2e/e2e_lib.sh"
game=${1:?game folder}
limit_kb=$((500 * 1024))

e2e_init
e2e_start_x 1280x1024

peak_kb() { awk '/^VmHWM:/{print $2}' "/proc/$E2E_PID/status" 2>/dev/null; }

# A visible dialog window of the program (the error box has the main window's title): sets
# BOX to it. Also succeeds, with BOX empty, once the program has ended.
find_box() {
    local w
    BOX=""
    for w in $(xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG &&
            { BOX=$w; return 0; }
    done
    ! kill -0 "$E2E_PID" 2>/dev/null
}

# Waits for the error box; prints its id, fails when none comes.
wait_box() {
    e2e_until "$E2E_DEADLINE" find_box && [ -n "$BOX" ] && echo "$BOX"
}

check_memory() {
    local peak
    peak=$(peak_kb)
    [ -n "$peak" ] && [ "$peak" -lt "$limit_kb" ] || e2e_fail "peak resident memory ${peak:-?} kB ($1)"
    echo "hostile: $1: peak resident memory $peak kB"
}

run_case() {
    rm -rf "$E2E_TMP/game"
    e2e_copy_game "$game"
    "$@"
    e2e_store "SoundMode=2" "SplashScreen=0" "FullscreenMode=0"
    e2e_run
}

# 1. Config.ini of 50 MB.
huge_config() { head -c $((50 << 20)) /dev/zero | tr '\0' 'x' >"$E2E_GAME/Config.ini"; }
run_case huge_config
box=$(wait_box) || e2e_fail "no error box for the Config.ini of 50 MB"
check_memory "Config.ini of 50 MB"
xdotool windowfocus --sync "$box" key Return 2>/dev/null
e2e_wait_exit || e2e_fail "the simulator did not end after the Config.ini error"
echo "hostile: Config.ini of 50 MB refused, the program ended"

# 2. Broken pictures.
broken_pictures() {
    local skin="$E2E_GAME/Graphics/Skin"
    head -c 300 "$skin/background.png" >"$skin/cut.png" && mv "$skin/cut.png" "$skin/background.png"
    printf '\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x75\x30\x00\x00\x75\x30\x08\x06\x00\x00\x00\x66\x27\xf8\xba\x00\x00\x00\x04\x49\x44\x41\x54\x78\x9c\x03\x00\x9b\x8c\x7d\x23\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82' >"$skin/screen.png"
    head -c 65536 /dev/urandom >"$skin/pill.png"
    rm -f "$skin/ghost.png" && mkdir "$skin/ghost.png"
}
run_case broken_pictures
box=$(wait_box) || e2e_fail "no error box for the broken pictures"
check_memory "broken pictures"
xdotool windowfocus --sync "$box" key Return 2>/dev/null
wid=$(e2e_wait_window)
before=$(xdotool getwindowgeometry "$wid" | tr -d '\n')
xdotool windowfocus --sync "$wid" key F12 2>/dev/null
# The display-mode switch re-reads the broken skin: a second box, answered the same way.
box=$(wait_box) || e2e_fail "no error box at the display switch"
xdotool windowfocus --sync "$box" key Return 2>/dev/null
geometry_changed() { [ "$(xdotool getwindowgeometry "$wid" 2>/dev/null | tr -d '\n')" != "$before" ]; }
e2e_until "$E2E_DEADLINE" geometry_changed || e2e_fail "F12 changed nothing"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the simulator ended"
check_memory "broken pictures after a display switch"
echo "PASS"
