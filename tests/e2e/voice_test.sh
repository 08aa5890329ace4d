#!/usr/bin/env bash
# The device told to a screen reader on the desktop: the program in an Xvfb with an AT-SPI bus
# of its own (run under dbus-run-session), a listener hearing what Orca would. A quick game
# (quick_game_over below, recorded by the script driver) played by --replay: power on, the game
# chosen and started, Nibbo caught, game over, and F8's whole state at the end reach it in the
# narrator's words; F7 and F6 say the speed.
# Usage: dbus-run-session -- voice_test.sh GAME_DIR SCRIPT_DRIVER
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "SKIPPED: no D-Bus session (run under dbus-run-session)"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "SKIPPED: needs at-spi2-core and python3-pyatspi"; exit 77; }
e2e_start_x 1280x1024
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0
# Game 1, seed 15, the joystick turned every 480 ms as a small generator picks: caught three
# times, game over at 2090.
quick_game_over() {
    local r=$(((112 * 2654435761 + 1) & 0xffffffff)) held='' d i names=(right up left down)
    printf 'seed 15\npress power\nwait 2980\npress select\nrelease select\npress start\nrelease start\n'
    for ((i = 0; i < 60; i++)); do
        r=$(((r * 1103515245 + 12345) & 0xffffffff))
        d=${names[$(((r >> 16) & 3))]}
        [ -n "$held" ] && echo "release $held"
        printf 'press %s\nwait 480\n' "$d"
        held=$d
    done
    printf 'release %s\nwait 4000\n' "$held"
}
quick_game_over | "${2:?script driver}" --record "$E2E_TMP/game.znreplay" >/dev/null ||
    e2e_fail "the script driver could not record the game"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
heard=$E2E_TMP/heard.txt
/usr/bin/python3 "$(dirname "$0")/atspi_listen.py" zorpy-nibbo >"$heard" 2>"$E2E_TMP/listener.err" &
listener=$!
trap 'kill $listener $bus 2>/dev/null; e2e_cleanup' EXIT
e2e_until "$E2E_DEADLINE" grep -q listening "$heard" || e2e_fail "the AT-SPI listener did not start"
e2e_run_from "$E2E_GAME" --replay "$E2E_TMP/game.znreplay"
win=$(e2e_wait_window) || exit 1
e2e_wait_device "$win" || e2e_fail "the device was never drawn"

key() { xdotool windowfocus --sync "$win" 2>/dev/null; xdotool key "$1"; }
said() { grep -qxF "description	$1" "$heard"; }
wait_said() { e2e_until "${2:-$E2E_DEADLINE}" said "$1" || e2e_fail "never heard \"$1\"; heard: $(cut -f2 "$heard" | tr '\n' '|')"; }

wait_said "Power on."
wait_said "Game 1 chosen."
wait_said "Game 1 started. 2 lives left."
wait_said "Caught! 1 life left." 60
wait_said "Caught! No lives left." 60
wait_said "Game over. Score 2090." 60
key F8
wait_said "Game 1 over. Score 2090."
key F6
wait_said "Speed 75 percent."
e2e_wait_store Speed 75 || e2e_fail "F6 did not store the speed"
key F7
wait_said "Speed 100 percent."
key Escape
e2e_wait_exit || e2e_fail "Esc did not end the simulator"
echo "voice end to end: passed ($(wc -l <"$heard") lines heard)"
