#!/usr/bin/env bash
# The start dialog in the real simulator, in an Xvfb of its own: a first start shows it
# centred with the box picture; Escape ends the simulator with no choice stored; "(no
# sound)" and Enter bring up the device centred and store the choices and the seven keys;
# with the box unticked the next start goes straight to the device.
source "$(dirname "$0")/../e2e/e2e_lib.sh"
game=${1:?game folder}
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "$game"
store="$E2E_TMP/config/Quillon/Zornibak50.conf"
splash_title="About this game..."

splash_visible() { [ -n "$(e2e_find_window "$splash_title")" ]; }

# The box picture is drawn once the pixel at its face is red.
box_drawn() {
    local r g b
    IFS=, read -r r g b <<<"$(e2e_screen_pixel "$1" "$2")"
    [ "${r:-0}" -gt 150 ] && [ "${g:-255}" -lt 110 ]
}

# The splash of a new start, with the keyboard: keys reach it only once it has the focus.
wait_splash() {
    wid=$(e2e_wait_window "$splash_title") || exit 1
    e2e_wait_focus "$wid" || e2e_fail "the splash never got the keyboard"
}

# First start, left with Escape.
e2e_run
wait_splash
e2e_wait_centred "$wid" || e2e_fail "splash at $(e2e_geometry "$wid") in a frame $(e2e_frame "$wid"), not centred on 1280x1024"
read -r x y < <(e2e_window_pos "$wid")
e2e_until "$E2E_DEADLINE" box_drawn $((x + 180)) $((y + 156)) ||
    e2e_fail "no box picture in the splash (pixel $(e2e_screen_pixel $((x + 180)) $((y + 156))))"
xdotool key Escape
e2e_wait_exit || e2e_fail "Escape in the splash did not end the simulator"
if grep -qE '^(SoundMode|SplashScreen)=' "$store"; then e2e_fail "Escape stored a choice: $(cat "$store")"; fi

# Second start: "(no sound)" and Enter.
e2e_run
wait_splash
xdotool key Down Down Down Return
e2e_wait_window >/dev/null || exit 1
e2e_wait_gone "$splash_title" || e2e_fail "splash still shown after play"
for line in SoundMode=2 SplashScreen=1 Key1=2 Key2=3 Key3=4 Key4=37 Key5=39 Key6=40 Key7=38; do
    e2e_wait_store "${line%%=*}" "${line#*=}" || e2e_fail "store lacks $line: $(cat "$store")"
done
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null; E2E_PID=""

# Third start: untick the box (Tab to it, Space) and play with the digit 1.
e2e_run
wait_splash
xdotool key Tab space 1
e2e_wait_window >/dev/null || exit 1
e2e_wait_store SplashScreen 0 || e2e_fail "unticked box not stored: $(cat "$store")"
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null; E2E_PID=""

# Fourth start: straight to the device, the splash never seen.
e2e_run
e2e_wait_window >/dev/null || exit 1
splash_visible && e2e_fail "splash shown although switched off"
echo "PASS"
