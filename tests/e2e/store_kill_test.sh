#!/usr/bin/env bash
# The settings store survives the simulator being killed at any moment. RUNS starts (200 by
# default) in two chains that share one X server, each chain's starts one after the other
# from the store the one before left. Each start writes the key bindings and the sound
# choice, is then sent F12 and Ctrl++ (Ctrl+- at the largest zoom), and is ended with SIGKILL
# at a random moment: even runs between the start and the appearance of the window, odd runs
# up to 300 ms after the keys were sent. After each, the store must parse (a [General] line,
# then Name=value lines, each name once) and hold, for each setting, the value before the run
# or the one the run chose, and the line the simulator does not know, unchanged.
# STORE_KILL_SEED repeats a run's random moments.
# Usage: store_kill_test.sh GAME_DIR [RUNS]
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
runs=${2:-200}
seed=${STORE_KILL_SEED:-$$}
echo "seed $seed (STORE_KILL_SEED=$seed repeats it)"
names="CtrlrOverlay FullscreenMode Key1 Key2 Key3 Key4 Key5 Key6 Key7 Other SoundMode SplashScreen Zoom"

# The store $1 as "Name=value" lines in name order; fails, saying why, unless it parses.
parse_store() {
    [ -s "$1" ] || { echo "the store is missing or empty"; return 1; }
    awk 'NR == 1 { if ($0 != "[General]") { print "line 1 is \"" $0 "\""; bad = 1; exit } next }
         !/^[A-Za-z0-9]+=/ { print "line " NR " is \"" $0 "\""; bad = 1; exit }
         { n = substr($0, 1, index($0, "=") - 1); if (seen[n]++) { print n " twice"; bad = 1; exit } }
         END { exit bad }' "$1" || return 1
    tail -n +2 "$1" | sort
}
value() { sed -n "s/^$1=//p" "$2"; }
title_pattern="^$(printf '%s' "$E2E_TITLE" | sed 's/[][()^$.*+?{}|\\]/\\&/g')\$"
random_ms() { echo $((RANDOM % $1)); }
pause_ms() { sleep "$(printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)))"; }

# The window of process $1 mapped on the screen; sets E2E_FOUND.
window_of() {
    local pos
    E2E_FOUND=$(xdotool search --all --onlyvisible --pid "$1" --name "$title_pattern" 2>/dev/null | head -n1)
    [ -n "$E2E_FOUND" ] || return 1
    pos=$(e2e_window_pos "$E2E_FOUND" 2>/dev/null)
    [ "${pos%% *}" -ge 0 ] 2>/dev/null && [ "${pos##* }" -ge 0 ] 2>/dev/null
}

# Gives process $1's window the keys $2 once it is on the screen, then touches $3. The two
# chains take turns at the keyboard, so that each one's keys reach its own window.
send_keys() {
    e2e_until 60 window_of "$1" || exit 0
    (
        flock 8
        xdotool windowfocus --sync "$E2E_FOUND" 2>/dev/null
        # shellcheck disable=SC2086
        xdotool key $2 2>/dev/null
    ) 8>"$E2E_TMP/keyboard"
    : >"$3"
}

# Chain $1 of $2 runs. Prints the number of runs whose kill left a changed store; exits 1,
# saying why, at the first store that is not the old one or the new one.
chain() {
    # Globals of the chain's own subshell, so that its exit trap still sees them.
    id=$1 count=$2 dir="$E2E_TMP/chain$1"
    store="$dir/config/Quillon/Zornibak50.conf" pid="" sender="" changed=0 window_ms=1000
    trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; [ -n "$sender" ] && kill "$sender" 2>/dev/null' EXIT
    RANDOM=$((seed + id))
    mkdir -p "$dir/config/Quillon"
    printf '%s\n' "[General]" SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1 Zoom=100 \
        Key1=2 Key2=3 Key3=4 Key4=37 Key5=39 Key6=40 Key7=38 "Other=kept as it was" >"$store"
    for run in $(seq "$count"); do
        parse_store "$store" >"$dir/old" || { echo "chain $id before run $run: $(cat "$dir/old")"; exit 1; }
        mode=$(value FullscreenMode "$dir/old") zoom=$(value Zoom "$dir/old")
        if [ "$zoom" -lt 400 ]; then zoom_key=ctrl+plus new_zoom=$((zoom + 25)); else zoom_key=ctrl+minus new_zoom=$((zoom - 25)); fi
        # The zoom key works only in windowed mode: it goes before F12 or after it.
        if [ "$mode" = 0 ]; then keys="$zoom_key F12"; else keys="F12 $zoom_key"; fi
        rm -f "$dir/sent"
        started=$(e2e_now_ms)
        (cd "$E2E_GAME" && XDG_CONFIG_HOME="$dir/config" HOME="$dir" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
            exec ./zorpy-nibbo) >"$dir/log" 2>&1 &
        pid=$!
        send_keys "$pid" "$keys" "$dir/sent" &
        sender=$!
        if [ $((run % 2)) = 0 ]; then
            pause_ms "$(random_ms "$window_ms")"
        else
            e2e_until 60 test -e "$dir/sent" || { echo "chain $id run $run: no window to send keys to"; exit 1; }
            window_ms=$(($(e2e_now_ms) - started))
            pause_ms "$(random_ms 300)"
        fi
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        pid=""
        kill "$sender" 2>/dev/null
        wait "$sender" 2>/dev/null
        sender=""

        parse_store "$store" >"$dir/new" || { echo "chain $id after run $run (killed): $(cat "$dir/new")"; exit 1; }
        for name in $names; do
            old=$(value "$name" "$dir/old") now=$(value "$name" "$dir/new")
            case $name in
                FullscreenMode) allowed="$old $((1 - old))" ;;
                Zoom) allowed="$old $new_zoom" ;;
                *) allowed="$old" ;;
            esac
            [[ " $allowed " == *" $now "* ]] || {
                echo "chain $id after run $run (killed): $name=$now, not one of: $allowed; store: $(cat "$store")"
                exit 1
            }
        done
        cmp -s "$dir/old" "$dir/new" || changed=$((changed + 1))
    done
    echo "$changed" >"$dir/changed"
}

(chain 1 $((runs / 2))) >"$E2E_TMP/chain1.out" 2>&1 &
first=$!
(chain 2 $((runs - runs / 2))) >"$E2E_TMP/chain2.out" 2>&1
second=$?
wait "$first"
first=$?
[ "$first" = 0 ] || e2e_fail "$(cat "$E2E_TMP/chain1.out")"
[ "$second" = 0 ] || e2e_fail "$(cat "$E2E_TMP/chain2.out")"
changed=$(($(cat "$E2E_TMP/chain1/changed") + $(cat "$E2E_TMP/chain2/changed")))
cat "$E2E_TMP/chain1.out" "$E2E_TMP/chain2.out"
echo "$runs runs killed; after $changed of them the store held new values"
echo "PASS"
