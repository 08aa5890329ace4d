#!/usr/bin/env bash
# desktop_shots.sh GAME_DIR OUT_DIR
#
# The desktop window's client area in the four states the web page must show pixel for pixel,
# taken from the real program in a private Xvfb (1280x1024, no window manager), zoom 100 %,
# no start dialog, silent, the controller overlays on:
#   off       as started
#   poweron   after the power key: lit, 00000 (the display stays so when the start tune ends)
#   select1   after the select key: game 1 chosen
#   game1     after the start key, before the fifth tick: the first ghost step is the
#             first change that a random draw decides, so until then the picture is fixed
# Each state is written as OUT_DIR/STATE.png, the window as it shows, see-through pixels
# (where the key colour shapes the window) fully transparent. A see-through pixel shows
# whatever lies behind the window, so each state is shot over two colours of the root
# window: the pixels that differ are the see-through ones, the others must be equal (which
# also proves the picture held still between the two shots).
. "$(dirname "$0")/../e2e/e2e_lib.sh"
game_dir=${1:?game folder}
out=${2:?output folder}
mkdir -p "$out"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "$game_dir"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1
export ZN_TICK_LOG="$E2E_TMP/ticks"
e2e_run
wid=$(e2e_wait_window) || exit 1
e2e_wait_device "$wid" || e2e_fail "the device was never drawn"
read -r X Y W H < <(e2e_geometry "$wid")

# (display paints the root window, then reports that it has no window of its own: its status
# says nothing; that the two shots differ where the window is see-through shows it worked)
root_colour() { display -window root "$E2E_TMP/root_$1.png" 2>/dev/null; }
convert -size 8x8 xc:'#ff0000' "$E2E_TMP/root_red.png" && convert -size 8x8 xc:'#0000ff' "$E2E_TMP/root_blue.png" ||
    e2e_fail "convert cannot make pictures"
# The window's rectangle of the screen (a shot of the window itself would give black where
# its shape leaves it out).
window_shot() { import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$1" 2>/dev/null || e2e_fail "no shot of the window"; }
same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]; }
shot_differs() { window_shot "$E2E_TMP/now.png" && ! same_image "$E2E_TMP/now.png" "$1"; }

# A picture of the window that two looks in a row agree on (the window done drawing).
E2E_LAST=""
steady_shot() {
    window_shot "$E2E_TMP/look.png"
    if [ -n "$E2E_LAST" ] && same_image "$E2E_TMP/look.png" "$E2E_LAST"; then
        return 0
    fi
    cp "$E2E_TMP/look.png" "$E2E_TMP/last.png"
    E2E_LAST="$E2E_TMP/last.png"
    return 1
}

# shoot STATE: the window over the red root, then over a blue one; the see-through mask from
# where they differ. Fails (status 1) when any pixel changed otherwise between the two shots.
shoot() {
    local a=$E2E_TMP/$1.a.png b=$E2E_TMP/$1.b.png n
    window_shot "$a"
    root_colour blue
    window_shot "$b"
    root_colour red
    convert "$a" "$b" -compose difference -composite "$E2E_TMP/$1.diff.png" || e2e_fail "no difference for $1"
    # the differences are red against blue (magenta) or none, and there are some: the root
    # window shows at the corners
    n=$(convert "$E2E_TMP/$1.diff.png" -fill black -opaque '#ff00ff' -format '%[max]' info:)
    [ "$n" = 0 ] || return 1
    n=$(convert "$E2E_TMP/$1.diff.png" -format '%[max]' info:)
    [ "$n" != 0 ] || e2e_fail "the root window kept its colour: no see-through pixels found ($1)"
    convert "$E2E_TMP/$1.diff.png" -colorspace gray -threshold 0 -negate "$E2E_TMP/$1.mask.png" &&
        convert "$a" "$E2E_TMP/$1.mask.png" -alpha off -compose CopyOpacity -composite "$out/$1.png" ||
        e2e_fail "could not write $out/$1.png"
}

ticks_since_start() {
    [ -f "$ZN_TICK_LOG" ] || { echo 0; return; }
    awk '$1 == "A" { n = 0 } $1 == "T" { n++ } END { print n + 0 }' "$ZN_TICK_LOG"
}

# press KEY: the key pressed and released; waits until the window shows a change.
press() {
    window_shot "$E2E_TMP/before.png"
    xdotool key "$1"
    e2e_until "$E2E_DEADLINE" shot_differs "$E2E_TMP/before.png" || e2e_fail "the key $1 changed nothing"
}
steady() {
    E2E_LAST=""
    e2e_until "$E2E_DEADLINE" steady_shot || e2e_fail "the window never held still ($1)"
}
# Select pressed until game 1 is chosen: the device takes it only once the start tune is over.
choose_game_1() {
    window_shot "$E2E_TMP/idle.png"
    xdotool key 2
    e2e_until 1 shot_differs "$E2E_TMP/idle.png"
}

xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
root_colour red

steady off
shoot off || e2e_fail "the window changed while it was shot (off)"

press 1
steady "power on"
shoot poweron || e2e_fail "the window changed while it was shot (power on)"

e2e_until "$E2E_DEADLINE" choose_game_1 || e2e_fail "the select key never chose game 1"
steady "game 1 chosen"
shoot select1 || e2e_fail "the window changed while it was shot (game 1 chosen)"

# Game 1 started, shot before its fifth tick. The program is stopped (SIGSTOP) while it is
# shot, so a slow shot costs no ticks: it runs between two looks only until it has ticked
# once more (its queued drawing done before that tick), and the picture is taken when two
# looks in a row agree, differ from game 1 chosen, and fewer than five ticks have passed. A
# machine too slow even for that switches off and on again, chooses game 1 and tries again.
stopped=0
halt() { kill -STOP "$E2E_PID" && stopped=1; }
go_on() { [ "$stopped" = 0 ] || { kill -CONT "$E2E_PID"; stopped=0; }; }
trap 'go_on; e2e_cleanup' EXIT
log_lines() { [ -f "$ZN_TICK_LOG" ] && wc -l <"$ZN_TICK_LOG" || echo 0; }
log_grew() { [ "$(log_lines)" -gt "$1" ]; }
ticked() { [ "$(ticks_since_start)" -gt "$1" ]; }
game1_steady() {
    local lines ticks
    lines=$(log_lines)
    xdotool key 3
    e2e_until "$E2E_DEADLINE" log_grew "$lines" || e2e_fail "the start key started no game"
    halt
    window_shot "$E2E_TMP/look.png"
    while :; do
        ticks=$(ticks_since_start)
        [ "$ticks" -lt 4 ] || return 1
        go_on
        e2e_until "$E2E_DEADLINE" ticked "$ticks" || e2e_fail "the game does not tick"
        halt
        cp "$E2E_TMP/look.png" "$E2E_TMP/last.png"
        window_shot "$E2E_TMP/look.png"
        [ "$(ticks_since_start)" -lt 5 ] || return 1
        if same_image "$E2E_TMP/look.png" "$E2E_TMP/last.png" &&
            ! same_image "$E2E_TMP/look.png" "$E2E_TMP/select1.a.png"; then
            shoot game1 || e2e_fail "the stopped window changed while it was shot"
            go_on
            return 0
        fi
    done
}
for try in 1 2 3 4 5 6; do
    game1_steady && break
    go_on
    echo "game 1: try $try found no steady picture before the fifth tick; again" >&2
    press 1
    press 1
    e2e_until "$E2E_DEADLINE" choose_game_1 || e2e_fail "the select key never chose game 1 again"
    steady "game 1 chosen again"
done
go_on
[ -f "$out/game1.png" ] || e2e_fail "no steady picture of game 1 before its fifth tick in $try tries"
echo "$W $H" >"$out/size"
echo "desktop shots of ${W}x${H} in $out"
