#!/usr/bin/env bash
# The settings store survives the simulator being killed at any moment. RUNS starts (200 by
# default) one after the other, each from the store the one before left: each writes the key
# bindings and the sound choice as it starts, then is sent F12 and Ctrl++ (Ctrl+- at the
# largest zoom), and is ended with SIGKILL at a random moment: even runs between its start
# and the appearance of its window, odd runs up to 400 ms after its keys were sent. After
# each, the store must parse (a [General] line, then Name=value lines, each name once) and
# hold, for each setting, the value before the run or the one the run chose, and the line
# the simulator does not know, unchanged. STORE_KILL_SEED repeats a run's random moments.
# Usage: store_kill_test.sh GAME_DIR [RUNS]
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
runs=${2:-200}
seed=${STORE_KILL_SEED:-$$}
echo "seed $seed (STORE_KILL_SEED=$seed repeats it)"
RANDOM=$seed
store="$E2E_TMP/config/Quillon/Zornibak50.conf"
sender=""
trap '[ -n "$sender" ] && kill "$sender" 2>/dev/null; e2e_cleanup' EXIT

e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1 Zoom=100 \
    Key1=2 Key2=3 Key3=4 Key4=37 Key5=39 Key6=40 Key7=38 "Other=kept as it was"
names="CtrlrOverlay FullscreenMode Key1 Key2 Key3 Key4 Key5 Key6 Key7 Other SoundMode SplashScreen Zoom"

# The store as "Name=value" lines in name order; fails, saying why, unless it parses.
parse_store() {
    [ -s "$store" ] || { echo "the store is missing or empty"; return 1; }
    awk 'NR == 1 { if ($0 != "[General]") { print "line 1 is \"" $0 "\""; bad = 1; exit } next }
         !/^[A-Za-z0-9]+=/ { print "line " NR " is \"" $0 "\""; bad = 1; exit }
         { n = substr($0, 1, index($0, "=") - 1); if (seen[n]++) { print n " twice"; bad = 1; exit } }
         END { exit bad }' "$store" >"$E2E_TMP/why" || { cat "$E2E_TMP/why"; return 1; }
    tail -n +2 "$store" | sort
}
value() { sed -n "s/^$1=//p" "$E2E_TMP/old"; }

# Waits for the run's window, gives it the keys, then marks that they were sent.
send_keys() {
    local win
    e2e_until 60 e2e_window_on_screen "$E2E_TITLE" || exit 0
    win=$E2E_FOUND
    xdotool windowfocus --sync "$win" 2>/dev/null
    # shellcheck disable=SC2086
    xdotool key $1 2>/dev/null
    : >"$E2E_TMP/sent"
}
random_ms() { echo $((RANDOM % $1)); }
pause_ms() { sleep "$(printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)))"; }

window_ms=1000  # time from a start to its window, as last seen; the first runs learn it
killed_writing=0
for run in $(seq "$runs"); do
    parse_store >"$E2E_TMP/old" || e2e_fail "before run $run: $(cat "$E2E_TMP/old")"
    mode=$(value FullscreenMode) zoom=$(value Zoom)
    if [ "$zoom" -lt 400 ]; then zoom_key=ctrl+plus new_zoom=$((zoom + 25)); else zoom_key=ctrl+minus new_zoom=$((zoom - 25)); fi
    # The zoom key works only in windowed mode: it goes before F12 or after it.
    if [ "$mode" = 0 ]; then keys="$zoom_key F12"; else keys="F12 $zoom_key"; fi
    rm -f "$E2E_TMP/sent"
    started=$(e2e_now_ms)
    e2e_run
    send_keys "$keys" &
    sender=$!
    if [ $((run % 2)) = 0 ]; then
        pause_ms "$(random_ms "$window_ms")"
    else
        e2e_until 60 test -e "$E2E_TMP/sent" || e2e_fail "run $run: no window to send keys to"
        window_ms=$(($(e2e_now_ms) - started))
        pause_ms "$(random_ms 400)"
    fi
    kill -KILL "$E2E_PID" 2>/dev/null
    wait "$E2E_PID" 2>/dev/null
    E2E_PID=""
    kill "$sender" 2>/dev/null
    wait "$sender" 2>/dev/null
    sender=""

    parse_store >"$E2E_TMP/new" || e2e_fail "after run $run (killed): $(cat "$E2E_TMP/new")"
    for name in $names; do
        old=$(value "$name")
        now=$(sed -n "s/^$name=//p" "$E2E_TMP/new")
        case $name in
            FullscreenMode) allowed="$old $((1 - old))" ;;
            Zoom) allowed="$old $new_zoom" ;;
            *) allowed="$old" ;;
        esac
        [[ " $allowed " == *" $now "* ]] ||
            e2e_fail "after run $run (killed): $name=$now, not one of: $allowed; store: $(cat "$store")"
    done
    cmp -s "$E2E_TMP/old" "$E2E_TMP/new" || killed_writing=$((killed_writing + 1))
done
echo "$runs runs killed; $killed_writing of them had changed the store"
echo "PASS"
