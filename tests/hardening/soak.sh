#!/usr/bin/env bash
# soak.sh GAME_DIR: the real simulator in a private Xvfb under random input for SOAK_SECONDS
# (default 120): the seven bound keys, F1 (about dialog) and Escape to close it, F2/F3 (documents;
# the opener is a stub that only logs), F12, random left clicks in the window, popup menu commands
# (the key settings dialog among them, closed with Escape), power cycling and display-mode switches. Every PROBE_SECONDS (default 15) the program must answer: F12 has to
# change the window's geometry and a second F12 change it back; the resident memory is sampled
# then. The samples after the warm-up (the first fifth) are split into halves: the later half's
# peak must stay within the slack (SOAK_RSS_SLACK_KB, default 15 % of the earlier peak, at least
# 16 MiB) of the earlier half's. Peaks, because the display mode in use moves the resident memory
# by some 20 MB either way. A deliberate exit (status 0, e.g. Escape reached the main window) restarts the
# program; a crash, a hang or any other exit fails the soak. The seed of the random input is
# printed first; SOAK_SEED=N runs the same input again (the program's own timing still varies).
# After a step that opens or changes something the soak waits, a few seconds at most, for it to
# show before the next step; whether the program still answers is for the probes to judge.
set -u
. "$(dirname "$0")/../e2e/e2e_lib.sh"

game=${1:?game folder}
seconds=${SOAK_SECONDS:-120}
probe_every=${PROBE_SECONDS:-15}
seed=${SOAK_SEED:-$$}
RANDOM=$seed
echo "soak: seed $seed (SOAK_SEED=$seed repeats this input)"
keys=(1 2 3 Up Left Right Down)

e2e_init
e2e_start_x 1280x1024
e2e_copy_game "$game"
e2e_store "SoundMode=2" "SplashScreen=0" "FullscreenMode=0" "CtrlrOverlay=1"

# Documents and links open through a stub, so the soak starts no other program and reaches no network.
mkdir -p "$E2E_TMP/bin"
for opener in xdg-open gio kde-open kde-open5 gnome-open sensible-browser x-www-browser www-browser; do
    printf '#!/bin/sh\necho "$0 $*" >>"%s/opened"\n' "$E2E_TMP" >"$E2E_TMP/bin/$opener"
    chmod +x "$E2E_TMP/bin/$opener"
done
export PATH="$E2E_TMP/bin:$PATH" BROWSER=true

samples=()
restarts=0 presses=0 clicks=0 probes=0 dialogs=0 menus=0 closed=0 power_cycles=0 switches=0
WID=""

start() {
    e2e_run
    WID=$(e2e_wait_window)
    xdotool windowfocus --sync "$WID" 2>/dev/null
}

rss_kb() { awk '/^VmRSS:/{print $2}' "/proc/$E2E_PID/status" 2>/dev/null; }

# Fails unless the program is still running; restarts it after a deliberate exit.
alive_or_restart() {
    kill -0 "$E2E_PID" 2>/dev/null && return 0
    wait "$E2E_PID"
    local rc=$?
    [ "$rc" -eq 0 ] || e2e_fail "the simulator ended with status $rc after $presses keys and $clicks clicks"
    restarts=$((restarts + 1))
    samples=()
    start
}

geometry() { xdotool getwindowgeometry "$WID" 2>/dev/null | tr -d '\n'; }

# Waits a few seconds at most for a step's effect; the soak goes on either way.
soon() { e2e_until 5 "$@" || true; }

# The program's visible windows other than the main window: dialogs, menus, tooltips.
others() { xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null | grep -vx "$WID"; }
other_shown() { [ -n "$(others)" ]; }
shown() { xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null | grep -qx "$1"; }
not_shown() { ! shown "$1"; }
opened() { wc -l <"$E2E_TMP/opened" 2>/dev/null || echo 0; }
opened_over() { [ "$(opened)" -gt "$1" ]; }
overlay_is() { [ "$(e2e_stored CtrlrOverlay)" = "$1" ]; }
geometry_not() { [ "$(geometry)" != "$1" ]; }

# Closes every other visible window of the program (about or key settings dialog, a menu) with Escape.
close_dialogs() {
    local w
    for w in $(others); do
        closed=$((closed + 1))
        echo "$(xdotool getwindowname "$w" 2>/dev/null)" >>"$E2E_TMP/closed"
        xdotool windowfocus --sync "$w" key Escape 2>/dev/null
        soon not_shown "$w"
    done
    xdotool windowfocus --sync "$WID" 2>/dev/null
}

geometry_changed_or_ended() { geometry_not "$1" || ! kill -0 "$E2E_PID" 2>/dev/null; }
wait_geometry_change() {
    e2e_until "$E2E_DEADLINE" geometry_changed_or_ended "$1" && kill -0 "$E2E_PID" 2>/dev/null
}

# The program answers when F12 switches the display mode there and back.
probe() {
    local before state
    for attempt in 1 2 3; do
        alive_or_restart
        close_dialogs
        alive_or_restart
        before=$(geometry)
        xdotool key F12
        if wait_geometry_change "$before"; then
            before=$(geometry)
            xdotool key F12
            if wait_geometry_change "$before"; then
                probes=$((probes + 1))
                switches=$((switches + 2))
                rss=$(rss_kb)
                echo "soak: ${SECONDS}s answered; resident memory $rss kB"
                [ $SECONDS -ge $warm_up ] && [ -n "$rss" ] && samples+=("$rss")
                return 0
            fi
        fi
        kill -0 "$E2E_PID" 2>/dev/null || continue
        state=$(awk '{print $3}' "/proc/$E2E_PID/stat" 2>/dev/null)
        echo "soak: probe $attempt got no answer (process state $state)" >&2
    done
    e2e_fail "the simulator does not answer: F12 changed nothing three times"
}

# A point of the window that is on the screen (the window may reach past its edges).
window_point() {
    local pos x y
    pos=$(e2e_window_pos "$WID")
    x=$(( ${pos%% *} + RANDOM % 692 )) y=$(( ${pos##* } + RANDOM % 747 ))
    echo "$(( x < 0 ? 0 : (x > 1279 ? 1279 : x) )) $(( y < 0 ? 0 : (y > 1023 ? 1023 : y) ))"
}

# Enabled items of the popup menu, by how many Down presses reach them: 1 about, 2 Readme,
# 3 Whatsnew, 4 configuration file, 5 key settings, 6 full screen, 8 controller overlays. Never 7
# (the splash at the next start would hide the window from a restart) nor 9 (exit).
menu_items=(1 2 3 4 5 6 8)

# Opens the popup menu at a random point of the window and runs its item N (Down presses),
# waiting for the menu to show, to go, and for what the item does.
menu_command() {
    local n=$1 docs overlay before menu
    docs=$(opened) overlay=$(e2e_stored CtrlrOverlay) before=$(geometry)
    overlay=${overlay:-1}
    xdotool mousemove $(window_point) click 3
    soon other_shown
    menu=$(others | head -n1)
    xdotool key --repeat "$n" --delay 60 Down key Return
    [ -n "$menu" ] && soon not_shown "$menu"
    case $n in
        1 | 5) soon other_shown ;;              # the about or the key settings dialog
        2 | 3 | 4) soon opened_over "$docs" ;;  # a document handed to the opener
        6) soon geometry_not "$before" ;;       # the other display mode
        8) soon overlay_is $((1 - overlay)) ;;  # the overlays switched
    esac
}

# One random step. Its pauses (a key held for up to 0.9 s, a power key pressed twice, the gap
# before the next step) are the rhythm of the random input, not waits for the program.
random_step() {
    local r=$((RANDOM % 100)) k before
    if [ $r -lt 50 ]; then
        k=${keys[RANDOM % 7]}
        [ "$k" = 1 ] && power_cycles=$((power_cycles + 1))
        if [ $((RANDOM % 3)) -eq 0 ]; then
            xdotool keydown "$k" sleep "0.$((RANDOM % 9 + 1))" keyup "$k"
        else
            xdotool key "$k"
        fi
        presses=$((presses + 1))
    elif [ $r -lt 72 ]; then
        xdotool mousemove $(window_point) click 1
        clicks=$((clicks + 1))
    elif [ $r -lt 78 ]; then
        xdotool key F1
        soon other_shown
        dialogs=$((dialogs + 1))
        close_dialogs
    elif [ $r -lt 85 ]; then
        menu_command "${menu_items[RANDOM % 7]}"
        menus=$((menus + 1))
        close_dialogs
    elif [ $r -lt 90 ]; then
        xdotool key "F$((RANDOM % 2 + 2))"
        presses=$((presses + 1))
    elif [ $r -lt 95 ]; then
        before=$(geometry)
        xdotool key F12
        soon geometry_not "$before"
        switches=$((switches + 1))
    else
        xdotool key 1 sleep 0.2 key 1  # power off and on again at once
        power_cycles=$((power_cycles + 2))
    fi
    sleep "0.0$((RANDOM % 9 + 1))"
}

start
end=$((SECONDS + seconds))
warm_up=$((SECONDS + seconds / 5))
next_probe=$((SECONDS + probe_every))
while [ $SECONDS -lt $end ]; do
    alive_or_restart
    random_step
    if [ $SECONDS -ge $next_probe ]; then
        probe
        next_probe=$((SECONDS + probe_every))
    fi
done
probe
echo "soak: ${seconds}s, $presses keys, $clicks clicks, $dialogs about dialogs, $menus popup menu commands, $switches display switches," \
    "$power_cycles power presses, $probes answered probes, $restarts deliberate exits"
echo "soak: $closed windows closed with Escape:" \
    "$(sort "$E2E_TMP/closed" 2>/dev/null | uniq -c | awk '{n=$1; $1=""; printf "%s x%s;", $0, n}')" \
    "$(wc -l <"$E2E_TMP/opened" 2>/dev/null || echo 0) documents or links handed to the opener"
n=${#samples[@]}
if [ "$n" -ge 4 ]; then
    early=0 late=0
    for i in "${!samples[@]}"; do
        v=${samples[$i]}
        if [ "$i" -lt $((n / 2)) ]; then [ "$v" -gt "$early" ] && early=$v; else [ "$v" -gt "$late" ] && late=$v; fi
    done
    slack=${SOAK_RSS_SLACK_KB:-$(( early * 15 / 100 > 16384 ? early * 15 / 100 : 16384 ))}
    echo "soak: peak resident memory ${early} kB in the earlier half, ${late} kB in the later (slack ${slack} kB)"
    [ "$late" -le $((early + slack)) ] || e2e_fail "resident memory grew from $early kB to $late kB"
else
    echo "soak: only $n memory samples since the last start; memory not compared"
fi
echo "PASS"
