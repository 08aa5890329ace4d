#!/usr/bin/env bash
# The window's icon as task bars read it: _NET_WM_ICON on the X server holds the icon at 16,
# 32, 48, 64, 128 and 256 pixels, each one the picture painted at that size in the game
# folder (Graphics/Icons/NxN/apps/zorpy-nibbo.png), not another size scaled. The pixels are
# compared with a small tolerance: Qt's way from the file to the property rounds the colour
# of pixels that are partly transparent.
# Usage: icon_test.sh GAME_DIR
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0
e2e_run
win=$(e2e_wait_window) || exit 1

# The whole property: xprop's default length cuts a large icon off.
xprop -id "$win" -len 4000000 -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON |
    sed 's/^_NET_WM_ICON=//' | tr ',' '\n' | tr -d ' ' | grep -v '^$' >"$E2E_TMP/icon"
[ -s "$E2E_TMP/icon" ] || e2e_fail "the window has no _NET_WM_ICON"

# Splits the property into its pictures: "W H FILE" for each, FILE holding its pixels.
awk -v dir="$E2E_TMP" 'left == 0 && w == "" { w = $1; next }
    left == 0 && h == "" { h = $1; left = w * h; n++; out = dir "/got" n; print w, h, out; next }
    { print > out; if (--left == 0) { close(out); w = ""; h = "" } }
    END { if (left != 0) print "short", left }' "$E2E_TMP/icon" >"$E2E_TMP/pictures"
grep -q '^short' "$E2E_TMP/pictures" && e2e_fail "_NET_WM_ICON ends inside a picture"
sizes=$(awk '{ printf "%s%sx%s", (NR > 1 ? " " : ""), $1, $2 }' "$E2E_TMP/pictures")
[ "$sizes" = "16x16 32x32 48x48 64x64 128x128 256x256" ] || e2e_fail "icon sizes on the window: $sizes"

# The file's pixels as the property's ARGB numbers.
argb() {
    convert "$1" -depth 8 txt:- | sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3 \4/p' |
        awk '{ printf "%.0f\n", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 }'
}
while read -r w h got; do
    file="$E2E_GAME/Graphics/Icons/${w}x$h/apps/zorpy-nibbo.png"
    [ -f "$file" ] || e2e_fail "no $file"
    argb "$file" >"$E2E_TMP/want"
    off=$(paste "$E2E_TMP/want" "$got" | awk '
        function ch(v, s) { return int(v / s) % 256 }
        { for (s = 1; s <= 16777216; s *= 256) { d = ch($1, s) - ch($2, s); if (d > 8 || d < -8) { bad++; break } } }
        END { print bad + 0 }')
    [ "$(wc -l <"$got")" = $((w * h)) ] || e2e_fail "the ${w}x$h icon has $(wc -l <"$got") pixels"
    [ "$off" = 0 ] || e2e_fail "$off pixels of the ${w}x$h icon differ from $file"
done <"$E2E_TMP/pictures"
echo "PASS"
