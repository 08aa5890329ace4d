#!/usr/bin/env bash
# Recordings across the two native front ends. A seeded script recorded by the script driver
# plays in the window (--replay) to the same figures and state at its hold as the driver's own
# replay prints, while the player's keys go nowhere; the hold keeps the screen still; the
# first key after it hands the game over, and --record keeps the take-over as a recording
# that the driver plays to the same end. A game played with keys in the window (--record)
# replays in the window to what the driver makes of the same file. A file that is no
# recording: one line on standard error naming it and its line, status 1, before any display.
# Usage: replay_test.sh GAME_DIR SCRIPT_DRIVER
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_copy_game "${1:?game folder}"
script=${2:?script driver}
t=$E2E_TMP
final() { "$script" --replay "$1" | grep -v '^sound '; }  # the driver's figures and state at the end

# A bad file is refused before any display is looked for.
printf 'zorpy-nibbo-replay 1\nseed 1\nstart off\n0P\n20Q\nend 0\n' >"$t/bad.znreplay"
(env -u DISPLAY "$E2E_GAME/zorpy-nibbo" --replay "$t/bad.znreplay") >"$t/out" 2>"$t/err"
status=$?
[ "$status" = 1 ] && [ "$(wc -l <"$t/err")" = 1 ] && grep -q "bad.znreplay: line 5: unknown control 'Q'" "$t/err" ||
    e2e_fail "a bad recording: status $status, standard error: $(cat "$t/err")"

e2e_start_x 1280x1024
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1
# play FILE [ARGS...]: the window plays FILE; its end log is $t/end.txt
play() {
    rm -f "$t/end.txt"
    ZN_REPLAY_END_LOG="$t/end.txt" e2e_run_from "$E2E_GAME" --replay "$@"
    wid=$(e2e_wait_window) || e2e_fail "no window for $1"
}

# About 12 s of game 2: turns, pills, ghosts on their seeded ways.
{
    printf 'seed 20261208\npress power\nwait 3000\npress select\nrelease select\npress select\nrelease select\n'
    printf 'press start\nrelease start\nwait 400\n'
    for d in left up right down left up left down right up; do printf 'press %s\nwait 900\nrelease %s\nwait 150\n' $d $d; done
} | "$script" --record "$t/a.znreplay" >/dev/null || e2e_fail "the driver did not record"
final "$t/a.znreplay" >"$t/a.want"

play "$t/a.znreplay" --record "$t/b.znreplay"
sleep 1
xdotool key 1  # power, while the recording plays: ignored
e2e_until 30 test -s "$t/end.txt" || e2e_fail "the replay never reached its end"
diff "$t/a.want" "$t/end.txt" >"$t/diff" || e2e_fail "the window's replay ends elsewhere than the driver's: $(cat "$t/diff")"
read -r wx wy < <(e2e_window_pos "$wid")
read -r l tp w h < <(e2e_image_rect im_background_screen)
e2e_shot "$t/hold1.png"
sleep 1
e2e_shot_same "$t/hold2.png" "$t/hold1.png" $((wx + l)) $((wy + tp)) "$w" "$h" || e2e_fail "the screen moved during the hold"
xdotool key 1  # the first press after the end: power off, the player's
e2e_wait_change "$t/hold1.png" $((wx + l)) $((wy + tp)) "$w" "$h" "$t/taken.png" || e2e_fail "the first press did not hand over"
xdotool key Escape
e2e_wait_exit || e2e_fail "Escape did not end the replay"
final "$t/b.znreplay" | grep -q '^panel screen=0 power=0' || e2e_fail "the take-over was not recorded: $(cat "$t/b.znreplay")"
head -n -1 "$t/a.znreplay" | cmp -s - <(head -n "$(($(wc -l <"$t/a.znreplay") - 1))" "$t/b.znreplay") ||
    e2e_fail "the re-recording does not start with the recording played"

# A game played with keys in the window, recorded there, then replayed there.
e2e_run_from "$E2E_GAME" --record "$t/c.znreplay"
wid=$(e2e_wait_window) || e2e_fail "no window to record in"
xdotool key 1
sleep 3.2
xdotool key 2 3
for d in Left Up Right Down Left; do xdotool keydown "$d"; sleep 0.7; xdotool keyup "$d"; done
xdotool key Escape
e2e_wait_exit || e2e_fail "Escape did not end the recording run"
final "$t/c.znreplay" >"$t/c.want"
play "$t/c.znreplay"
e2e_until 30 test -s "$t/end.txt" || e2e_fail "the window's own recording never reached its end"
diff "$t/c.want" "$t/end.txt" >"$t/diff" || e2e_fail "the window's recording replays elsewhere: $(cat "$t/diff")"
xdotool key Escape
e2e_wait_exit || e2e_fail "Escape did not end the second replay"
echo "PASS: $(grep -c '' "$t/a.znreplay") and $(grep -c '' "$t/c.znreplay") lines replayed to the driver's end"
