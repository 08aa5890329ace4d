#!/usr/bin/env bash
# A settings store that cannot be written, in the real simulator. Every start writes the key
# bindings, so the first write fails at once. For each way the store can fail (its folder
# under /proc, a plain file where its folder belongs, a full tmpfs: skipped with the reason
# when no tmpfs can be mounted):
#   - a message box "Settings not saved" comes up, and standard error names the file and
#     the reason, once;
#   - the game goes on: F12 still switches the display mode, and that second failing write
#     tells nothing more;
#   - the file on the full disk is left as it was; once space is free, the next write
#     stores every value of the run (the zoom chosen while the disk was full too).
# Usage: store_failure_test.sh GAME_DIR
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
box_title="Settings not saved"
full="X=0 Y=0 WIDTH=1280 HEIGHT=1024 "
mounted=""
trap '[ -n "$mounted" ] && umount -l "$mounted"; e2e_cleanup' EXIT

start() {  # XDG_CONFIG_HOME of the run
    (cd "$E2E_GAME" && XDG_CONFIG_HOME="$1" HOME="$E2E_TMP" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        exec ./zorpy-nibbo) >"$E2E_TMP/log" 2>"$E2E_TMP/err" &
    E2E_PID=$!
}
stop() { kill "$E2E_PID" 2>/dev/null; wait "$E2E_PID" 2>/dev/null; E2E_PID=""; }
told() { grep -c "cannot be saved to $1: $2" "$E2E_TMP/err"; }
geometry() { xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=' | tr '\n' ' '; }
geometry_is() { [ "$(geometry "$1")" = "$2" ]; }
geometry_is_not() { [ "$(geometry "$1")" != "$2" ]; }
key() { xdotool windowfocus --sync "$1" 2>/dev/null; xdotool key "$2"; }

# The box is up and the reason is told once; Enter on the box closes it.
box_told_and_closed() {  # FILE REASON
    local box
    box=$(e2e_wait_window "$box_title") || exit 1
    [ "$(told "$1" "$2")" = 1 ] || e2e_fail "standard error does not name $1 and \"$2\" once"
    key "$box" Return
    e2e_wait_gone "$box_title" || e2e_fail "Enter did not close the box"
}

# F12 switches from full screen to windowed and back; the second failing write tells nothing.
f12_still_works() {  # WID FILE REASON
    local win=$1
    e2e_until "$E2E_DEADLINE" geometry_is "$win" "$full" || e2e_fail "not full screen: $(geometry "$win")"
    key "$win" F12
    e2e_until "$E2E_DEADLINE" geometry_is_not "$win" "$full" || e2e_fail "F12 did not leave full screen"
    key "$win" F12
    e2e_until "$E2E_DEADLINE" geometry_is "$win" "$full" || e2e_fail "the second F12 gave $(geometry "$win")"
    [ -z "$(e2e_find_window "$box_title")" ] || e2e_fail "the box came up a second time"
    [ "$(told "$2" "$3")" = 1 ] || e2e_fail "standard error told it more than once"
}

# The store cannot be read either: defaults, so the start dialog comes up after the box.
for case in proc file; do
    case $case in
        proc) home=/proc/zn-none reason="the folder /proc/zn-none cannot be created: " ;;
        file) home="$E2E_TMP/plain" reason="$E2E_TMP/plain is a file, not a folder"
              echo "not a folder" >"$home" ;;
    esac
    start "$home"
    box_told_and_closed "$home/Quillon/Zornibak50.conf" "$reason"
    splash=$(e2e_wait_window "About this game...") || exit 1
    key "$splash" Down; xdotool key Down Down Return  # no sound, and play
    win=$(e2e_wait_window) || exit 1
    f12_still_works "$win" "$home/Quillon/Zornibak50.conf" "$reason"
    stop
    echo "ok: $case"
done

# A full disk under a store that exists: full screen, no start dialog.
store_dir="$E2E_TMP/config/Quillon"
store="$store_dir/Zornibak50.conf"
if ! mount -t tmpfs -o size=64k tmpfs "$store_dir" 2>"$E2E_TMP/mount.err"; then
    echo "SKIP: full disk: cannot mount a tmpfs: $(cat "$E2E_TMP/mount.err")"
    echo "PASS"
    exit 0
fi
mounted=$store_dir
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=1 Other=kept
cp "$store" "$E2E_TMP/old.conf"
head -c 100000 /dev/zero >"$store_dir/filler" 2>/dev/null
start "$E2E_TMP/config"
box_told_and_closed "$store" "No space left on device"
win=$(e2e_wait_window) || exit 1
f12_still_works "$win" "$store" "No space left on device"
cmp -s "$store" "$E2E_TMP/old.conf" || e2e_fail "the store changed on the full disk: $(cat "$store")"
key "$win" F12
e2e_until "$E2E_DEADLINE" geometry_is_not "$win" "$full" || e2e_fail "F12 did not leave full screen"
small=$(geometry "$win")
key "$win" ctrl+plus
e2e_until "$E2E_DEADLINE" geometry_is_not "$win" "$small" || e2e_fail "Ctrl++ did not zoom the window"
rm "$store_dir/filler"
key "$win" F12
e2e_until "$E2E_DEADLINE" geometry_is "$win" "$full" || e2e_fail "F12 did not return to full screen"
for line in FullscreenMode=1 Zoom=125 SoundMode=2 SplashScreen=0 Other=kept Key1=2 Key7=38; do
    e2e_wait_store "${line%%=*}" "${line#*=}" || e2e_fail "once space was free the store lacks $line: $(cat "$store")"
done
stop
echo "ok: full disk"
echo "PASS"
