#!/usr/bin/env bash
# Started from another folder (/ and /tmp), with a sound output stored and the splash off:
# the device comes up with its sound, no error is reported, the main window carries the
# icon, Escape ends it with status 0, and the stored choice of sound and splash is intact.
# Usage: anywhere_test.sh GAME_DIR
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
store="$E2E_TMP/config/Quillon/Zornibak50.conf"

for dir in / /tmp; do
    e2e_store SoundMode=0 SplashScreen=0 FullscreenMode=0
    e2e_run_from "$dir"
    wid=$(e2e_wait_window) || exit 1
    size=$(xdotool getwindowgeometry --shell "$wid" | awk -F= '/^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print w "x" h}')
    [ "$size" = "$(e2e_ini_value Common GameWidth)x$(e2e_ini_value Common GameHeight)" ] ||
        e2e_fail "started from $dir: the window on screen ($size) is not the device"
    [ -s "$E2E_TMP/err" ] && grep -v '^QStandardPaths: ' "$E2E_TMP/err" | grep -q . &&
        e2e_fail "started from $dir: errors reported"
    xprop -id "$wid" _NET_WM_ICON | grep -q '^_NET_WM_ICON(CARDINAL) = ' ||
        e2e_fail "started from $dir: the main window has no icon"
    xdotool windowfocus --sync "$wid" key Escape 2>/dev/null
    e2e_wait_status 10 || e2e_fail "started from $dir: Escape did not end the simulator"
    [ "$E2E_STATUS" = 0 ] || e2e_fail "started from $dir: exit status $E2E_STATUS"
    for kv in SoundMode=0 SplashScreen=0; do
        grep -qx "$kv" "$store" || e2e_fail "started from $dir: the store lost $kv: $(cat "$store")"
    done
    echo "started from $dir: sound on, no error, store intact"
done
echo "PASS"
