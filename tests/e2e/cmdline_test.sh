#!/usr/bin/env bash
# The command line and the failures that end the start:
#  --help and --version answer on standard output with status 0; an unknown option or a
#  --zoom that is no zoom prints the usage on standard error with status 2; without a display one line on standard error
#  names DISPLAY, status 1; a game folder without Config.ini and one without its sounds
#  each say so on standard error with the path looked at, show the box, and end with 1.
# Usage: cmdline_test.sh GAME_DIR VERSION
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
e2e_copy_game "${1:?game folder}"
version=${2:?version}
exe="$E2E_GAME/zorpy-nibbo"
out="$E2E_TMP/out" err="$E2E_TMP/err"

# run ARGS...: the program from /tmp without a display; sets status.
run() {
    (cd /tmp && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
        XDG_CONFIG_HOME="$E2E_TMP/config" "$exe" "$@") >"$out" 2>"$err"
    status=$?
}
expect() {  # STATUS WHAT
    [ "$status" = "$1" ] || e2e_fail "$2: status $status, not $1; out: $(cat "$out") err: $(cat "$err")"
}

run --help
expect 0 "--help"
grep -q '^Usage: zorpy-nibbo \[options\]' "$out" && grep -q -- '--version' "$out" &&
    grep -q -- '--replay <FILE>' "$out" && grep -q -- '--record <FILE>' "$out" || e2e_fail "--help: $(cat "$out")"
[ -s "$err" ] && e2e_fail "--help wrote to standard error: $(cat "$err")"

run --version
expect 0 "--version"
[ "$(cat "$out")" = "zorpy-nibbo $version" ] || e2e_fail "--version says '$(cat "$out")', not $version"

run --bogus
expect 2 "--bogus"
grep -q "Unknown option 'bogus'" "$err" && grep -q '^Usage: zorpy-nibbo' "$err" || e2e_fail "--bogus: $(cat "$err")"
[ -s "$out" ] && e2e_fail "--bogus wrote to standard output: $(cat "$out")"

# a zoom that is no step of 50..400 is a usage error, before any display is needed
for z in 60 425 25 abc ""; do
    run --zoom "$z"
    expect 2 "--zoom '$z'"
    grep -q "^zorpy-nibbo: --zoom '$z' is not a zoom" "$err" && grep -q '^Usage: zorpy-nibbo' "$err" ||
        e2e_fail "--zoom '$z': $(cat "$err")"
done
run --zoom
expect 2 "--zoom without a value"
run --zoom 75 --version
expect 0 "--zoom 75 --version"

run
expect 1 "no display"
[ "$(wc -l <"$err")" = 1 ] && grep -q DISPLAY "$err" || e2e_fail "no display: standard error is: $(cat "$err")"
echo "command line: help, version, unknown option and no display as expected"

# The failures that end the start, in an X server: the box is answered with Return.
e2e_start_x 1280x1024
answer_box() {
    local w
    for _ in $(seq 150); do
        for w in $(xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null); do
            xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && {
                xdotool windowfocus --sync "$w" key Return 2>/dev/null
                return 0
            }
        done
        kill -0 "$E2E_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
fatal_case() {  # WHAT MESSAGE PATH
    e2e_run_from /tmp
    answer_box || e2e_fail "$1: no error box"
    e2e_wait_status 10 || e2e_fail "$1: the simulator did not end after the box"
    [ "$E2E_STATUS" = 1 ] || e2e_fail "$1: exit status $E2E_STATUS, not 1"
    grep -qF "$2" "$E2E_TMP/err" && grep -qF "$3" "$E2E_TMP/err" ||
        e2e_fail "$1: standard error lacks the message or $3"
    echo "$1: reported on standard error, status 1"
}

# Without Config.ini beside the program, the installed data folder (../share/games/zorpy-nibbo
# from the copy) is looked for too; there is none here, so the copy's own place is named.
mv "$E2E_GAME/Config.ini" "$E2E_TMP/Config.ini"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0
fatal_case "missing Config.ini" "Configuration file (Config.ini) not found." "$E2E_GAME/Config.ini"
mv "$E2E_TMP/Config.ini" "$E2E_GAME/Config.ini"

rm -r "$E2E_GAME/Sound"
e2e_store SoundMode=0 SplashScreen=0 FullscreenMode=0
fatal_case "missing sounds" "Sound folder unproperly installed." "$E2E_GAME/Sound/Bonus.wav"
grep -qx SoundMode=-1 "$E2E_TMP/config/Quillon/Zornibak50.conf" || e2e_fail "the failed sound start kept its choice"
echo "PASS"
