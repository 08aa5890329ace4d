#!/usr/bin/env bash
# replay_desktop.sh GAME_DIR RECORDING OUT_DIR: the desktop plays RECORDING in Xvfb as desktop_shots.sh
# runs it; at the hold OUT_DIR/end.txt (ZN_REPLAY_END_LOG) and end.png, the window over a root of a
# colour the device never shows, made transparent.
. "$(dirname "$0")/../e2e/e2e_lib.sh"
out=${3:?output folder} && mkdir -p "$out"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1
ZN_REPLAY_END_LOG="$out/end.txt" e2e_run_from "$E2E_GAME" --replay "${2:?recording}"
wid=$(e2e_wait_window) || exit 1
e2e_until 120 test -s "$out/end.txt" || e2e_fail "the recording never reached its end"
read -r X Y W H < <(e2e_geometry "$wid")
convert -size 8x8 xc:'#01fe03' "$E2E_TMP/root.png" && display -window root "$E2E_TMP/root.png" 2>/dev/null
sleep 0.5  # the hold's last frame drawn
import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$E2E_TMP/a.png" 2>/dev/null &&
    convert "$E2E_TMP/a.png" -depth 8 -transparent '#01fe03' "$out/end.png" || e2e_fail "no shot of the window"
