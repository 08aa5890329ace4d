#!/usr/bin/env bash
# replay_desktop.sh GAME_DIR RECORDING OUT_DIR
#
# The desktop program plays RECORDING (--replay) in a private Xvfb (1280x1024, no window
# manager), zoom 100 %, no start dialog, silent, the controller overlays on, as
# desktop_shots.sh takes its pictures. At the recording's hold it writes OUT_DIR/end.txt (the
# figures and state as the script driver prints them, ZN_REPLAY_END_LOG) and OUT_DIR/end.png,
# the window as it shows, see-through pixels fully transparent: shot over a red and a blue root
# window, the pixels that differ are the see-through ones, the others must be equal.
. "$(dirname "$0")/../e2e/e2e_lib.sh"
game_dir=${1:?game folder}
recording=${2:?recording}
out=${3:?output folder}
mkdir -p "$out"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "$game_dir"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1
rm -f "$out/end.txt"
ZN_REPLAY_END_LOG="$out/end.txt" e2e_run_from "$E2E_GAME" --replay "$recording"
wid=$(e2e_wait_window) || exit 1
e2e_until 120 test -s "$out/end.txt" || e2e_fail "the recording never reached its end"
read -r X Y W H < <(e2e_geometry "$wid")
convert -size 8x8 xc:'#ff0000' "$E2E_TMP/root_red.png" && convert -size 8x8 xc:'#0000ff' "$E2E_TMP/root_blue.png" ||
    e2e_fail "convert cannot make pictures"
root_colour() { display -window root "$E2E_TMP/root_$1.png" 2>/dev/null; }
window_shot() { import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$1" 2>/dev/null || e2e_fail "no shot of the window"; }
root_colour red
sleep 0.5  # the hold's last frame drawn
window_shot "$E2E_TMP/a.png"
root_colour blue
window_shot "$E2E_TMP/b.png"
convert "$E2E_TMP/a.png" "$E2E_TMP/b.png" -compose difference -composite "$E2E_TMP/diff.png" || e2e_fail "no difference"
[ "$(convert "$E2E_TMP/diff.png" -fill black -opaque '#ff00ff' -format '%[max]' info:)" = 0 ] ||
    e2e_fail "the window changed during its hold"
convert "$E2E_TMP/diff.png" -colorspace gray -threshold 0 -negate "$E2E_TMP/mask.png" &&
    convert "$E2E_TMP/a.png" "$E2E_TMP/mask.png" -alpha off -compose CopyOpacity -composite "$out/end.png" ||
    e2e_fail "could not write $out/end.png"
echo "the desktop's hold of ${W}x${H} in $out"
