#!/usr/bin/env bash
# A first start with an empty settings store: the splash dialog comes up; "(no sound)"
# and Enter bring the device on screen, centred and switched off, and it takes the
# keyboard at once. The store then holds the seven default bindings.
# Usage: startup_test.sh GAME_DIR
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
e2e_store FullscreenMode=0
e2e_run
splash=$(e2e_wait_window "About this game...") || exit 1
# The device is out of sight until play: its window is unmapped, or mapped wholly off the screen.
hidden=$(e2e_find_window)
if [ -n "$hidden" ]; then
    read -r _ _ hw hh < <(e2e_visible_rect "$hidden")
    [ "$hw" -eq 0 ] || [ "$hh" -eq 0 ] ||
        e2e_fail "the device is in sight before play: ${hw}x$hh of it shows, the window at $(e2e_geometry "$hidden")"
fi
e2e_wait_focus "$splash" || e2e_fail "the splash never got the keyboard"
xdotool key Down Down Down Return  # the last item, (no sound), and play
wid=$(e2e_wait_window) || exit 1
e2e_wait_device "$wid" || e2e_fail "the device was never drawn"
read -r wx wy < <(e2e_window_pos "$wid")
gw=$(e2e_ini_value Common GameWidth); gh=$(e2e_ini_value Common GameHeight)
[ "$wx $wy" = "$(((1280 - gw) / 2)) $(((1024 - gh) / 2))" ] || e2e_fail "the device is at $wx,$wy, not centred"

store="$E2E_TMP/config/Quillon/Zornibak50.conf"
for kv in Key1=2 Key2=3 Key3=4 Key4=37 Key5=39 Key6=40 Key7=38 SoundMode=2; do
    e2e_wait_store "${kv%%=*}" "${kv#*=}" || e2e_fail "the store lacks $kv: $(cat "$store")"
done

read -r l t w h < <(e2e_image_rect im_background_screen)  # lit while the device is on
xdotool mousemove 0 0
e2e_wait_gone "About this game..." || e2e_fail "the splash is still on the screen"
e2e_shot "$E2E_TMP/off.png"
xdotool key 1
e2e_wait_change "$E2E_TMP/off.png" $((wx + l)) $((wy + t)) "$w" "$h" "$E2E_TMP/on.png" ||
    e2e_fail "the power key did not reach the device after the splash"
echo "PASS"
