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

splash_visible() {
    xdotool search --onlyvisible --name '^About this game\.\.\.$' >/dev/null 2>&1
}

# Keys reach the splash only once it has the keyboard.
wait_focus() {
    for _ in $(seq 50); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    e2e_fail "the splash never got the keyboard"
}

wait_splash_gone() {
    for _ in $(seq 30); do
        splash_visible || return 0
        sleep 0.1
    done
    e2e_fail "splash still shown after play"
}

# First start, left with Escape.
e2e_run
wid=$(e2e_wait_window "$splash_title")
wait_focus "$wid"
read -r x y < <(e2e_window_pos "$wid")
[ "$x $y" = "410 302" ] || e2e_fail "splash at $x $y, not centred on 1280x1024"
e2e_shot "$E2E_TMP/splash.png"
face=$(e2e_pixel "$E2E_TMP/splash.png" $((x + 180)) $((y + 156)))
IFS=, read -r r g b <<<"$face"
[ "$r" -gt 150 ] && [ "$g" -lt 110 ] || e2e_fail "no box picture in the splash (pixel $face)"
xdotool key Escape
e2e_wait_exit 5 || e2e_fail "Escape in the splash did not end the simulator"
if grep -qE '^(SoundMode|SplashScreen)=' "$store"; then e2e_fail "Escape stored a choice: $(cat "$store")"; fi

# Second start: "(no sound)" and Enter.
e2e_run
wid=$(e2e_wait_window "$splash_title")
wait_focus "$wid"
xdotool key Down Down Down Return
e2e_wait_window >/dev/null
wait_splash_gone
for line in SoundMode=2 SplashScreen=1 Key1=2 Key2=3 Key3=4 Key4=37 Key5=39 Key6=40 Key7=38; do
    grep -qx "$line" "$store" || e2e_fail "store lacks $line: $(cat "$store")"
done
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null; E2E_PID=""

# Third start: untick the box (Tab to it, Space) and play with the digit 1.
e2e_run
wid=$(e2e_wait_window "$splash_title")
wait_focus "$wid"
xdotool key Tab space 1
e2e_wait_window >/dev/null
grep -qx "SplashScreen=0" "$store" || e2e_fail "unticked box not stored: $(cat "$store")"
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null; E2E_PID=""

# Fourth start: straight to the device, the splash never seen.
e2e_run
e2e_wait_window >/dev/null
splash_visible && e2e_fail "splash shown although switched off"
echo "PASS"
