#!/usr/bin/env bash
# The sound through a sound server of the test's own: PulseAudio with a null sink, whose
# monitor the test records. With the output "PulseAudio" stored, the start tune is heard;
# the server is killed in the middle of a game, and the game goes on ticking; a new server
# comes up, the program finds it by itself, and the start tune is heard again; the stored
# output has not changed. The server then hangs for a while: what the game starts meanwhile
# does not come out late, and the sound goes on after it. Then starts with no server to reach and the ALSA output chosen:
# standard error holds our own lines and none of the audio libraries', unless ZN_DEBUG=1
# brings ALSA's back.
# Usage: sound_server_test.sh GAME_DIR
. "$(dirname "$0")/e2e_lib.sh"
e2e_init
for t in pulseaudio parec pactl od; do
    command -v "$t" >/dev/null || e2e_fail "$t is missing"
done
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"

# --- the sound server ---------------------------------------------------------------------
# Everything of the server lies in the test's folder: its runtime folder and socket, its
# configuration (-n: no default script; PULSE_CONFIG: no system daemon.conf), and the
# clients' configuration, which forbids starting a server of their own.
PA_RUN=$E2E_TMP/run
PA_SOCKET=$PA_RUN/pulse/native
PA_PID=""
REC_PID=""
mkdir -m 700 -p "$PA_RUN"
cat >"$E2E_TMP/server.pa" <<PA
load-module module-null-sink sink_name=zn_sink rate=22050 channels=2
set-default-sink zn_sink
load-module module-native-protocol-unix auth-anonymous=1 socket=$PA_SOCKET
PA
printf 'exit-idle-time = -1\nflat-volumes = no\n' >"$E2E_TMP/daemon.conf"
printf 'autospawn = no\n' >"$E2E_TMP/client.conf"
export XDG_RUNTIME_DIR=$PA_RUN PULSE_RUNTIME_PATH=$PA_RUN/pulse PULSE_STATE_PATH=$PA_RUN/state
export PULSE_CONFIG=$E2E_TMP/daemon.conf PULSE_CLIENTCONFIG=$E2E_TMP/client.conf
export PULSE_SERVER=unix:$PA_SOCKET PULSE_COOKIE=$E2E_TMP/cookie

sound_cleanup() {
    [ -n "$REC_PID" ] && kill "$REC_PID" 2>/dev/null
    [ -n "$PA_PID" ] && kill -9 "$PA_PID" 2>/dev/null
    e2e_cleanup
}
trap sound_cleanup EXIT

server_ready() { pactl info >/dev/null 2>&1; }
start_server() {
    # As root the server wants --system=no said; realtime and high priority would ask D-Bus.
    HOME=$E2E_TMP pulseaudio --system=no --daemonize=no --use-pid-file=no -n -F "$E2E_TMP/server.pa" \
        --exit-idle-time=-1 --realtime=no --high-priority=no --log-target=stderr \
        >>"$E2E_TMP/server.log" 2>&1 &
    PA_PID=$!
    e2e_until "$E2E_DEADLINE" server_ready || e2e_fail "the sound server did not start: $(cat "$E2E_TMP/server.log")"
}
kill_server() {
    kill -9 "$PA_PID"
    wait "$PA_PID" 2>/dev/null
    PA_PID=""
    [ -n "$REC_PID" ] && wait "$REC_PID" 2>/dev/null  # the recorder ends with its server
    REC_PID=""
    ! server_ready || e2e_fail "the sound server is still there"
}
# What reaches the sink, as the program mixes it: 22050 Hz, 16 bits, stereo.
record() {
    parec -d zn_sink.monitor --raw --format=s16le --rate=22050 --channels=2 --latency-msec=20 >"$1" 2>>"$E2E_TMP/parec.log" &
    REC_PID=$!
}
# The loudest sample of the recording on standard input.
peak() { od -An -v -t d2 | awk '{for (i = 1; i <= NF; i++) {v = $i < 0 ? -$i : $i; if (v > m) m = v}} END {print m + 0}'; }
# ... in the recording FILE from byte FROM on.
peak_after() { tail -c +"$(($2 + 1))" "$1" | peak; }
loud_after() { [ "$(peak_after "$1" "$2")" -gt 3000 ]; }
size_of() { stat -c %s "$1" 2>/dev/null || echo 0; }
# The program's stream on the sink (the recorder is a source's client, not the sink's).
program_playing() { [ -n "$(pactl list short sink-inputs 2>/dev/null)" ]; }

# --- the program --------------------------------------------------------------------------
TICKS=$E2E_TMP/ticks
run_sounding() {  # the copy with the stored output, sound through whatever the environment offers
    (cd "$E2E_GAME" && XDG_CONFIG_HOME="$E2E_TMP/config" HOME="$E2E_TMP" QT_QPA_PLATFORM=xcb \
        ZN_TICK_LOG="$TICKS" "$@" ./zorpy-nibbo) >"$E2E_TMP/log" 2>"$E2E_TMP/err" &
    E2E_PID=$!
}
ticks() {
    local n
    n=$(grep -c '^T' "$TICKS" 2>/dev/null)
    echo "${n:-0}"
}
ticks_beyond() { [ "$(ticks)" -ge "$1" ]; }
# The game's largest gap between two ticks from tick N on, in ms, pauses (Timer_Game
# stopped by the game itself: S ... A) left out.
largest_gap_from() {
    awk -v from="$1" '$1 == "T" {n++; if (n > from && last) {g = ($2 - last) / 1e6; if (g > m) m = g}; last = $2}
        $1 == "S" {last = 0} END {print int(m)}' "$TICKS"
}
power() { xdotool key --window "$wid" 1; }

start_server
record "$E2E_TMP/before.raw"
e2e_store SoundMode=0 SplashScreen=0 FullscreenMode=0
run_sounding env
wid=$(e2e_wait_window) || exit 1
e2e_wait_device "$wid" || e2e_fail "the device was never drawn"
e2e_until "$E2E_DEADLINE" program_playing || e2e_fail "the program has no stream on the server"

power
e2e_until "$E2E_DEADLINE" loud_after "$E2E_TMP/before.raw" 0 || e2e_fail "the start tune was not heard"

# Game select and start are taken once the power-on tune is over: pressed until the game
# ticks. The select always has a start right behind it, so it never goes beyond game 1.
game_ticking() { ticks_beyond 1 || { xdotool key --window "$wid" 2 3; return 1; }; }
e2e_until "$E2E_DEADLINE" game_ticking || e2e_fail "the game did not start"

kill_server
gone_at=$(ticks)
# 3.6 s of play without a server: ticks keep coming, without a stall of the game.
e2e_until "$E2E_DEADLINE" ticks_beyond $((gone_at + 30)) ||
    e2e_fail "the game stopped ticking without its sound server ($(ticks) ticks, $gone_at at the loss)"
gap=$(largest_gap_from "$gone_at")
# A tick is 120 ms; a game held up by its sound would show a gap of seconds.
[ "$gap" -lt 3000 ] || e2e_fail "the game stood still for $gap ms without its sound server"
echo "without a server: $(($(ticks) - gone_at)) ticks, largest gap $gap ms"

start_server
back_ms=$(e2e_now_ms)
record "$E2E_TMP/after.raw"
e2e_until "$E2E_DEADLINE" program_playing || e2e_fail "the program did not come back to the new server"
echo "the program's stream was back $(($(e2e_now_ms) - back_ms)) ms after the server"
# Off and on again: the start tune, on the new server.
power
power
from=$(size_of "$E2E_TMP/after.raw")
e2e_until "$E2E_DEADLINE" loud_after "$E2E_TMP/after.raw" "$from" || e2e_fail "no sound after the server came back"
[ "$(e2e_stored SoundMode)" = 0 ] || e2e_fail "the stored output changed to '$(e2e_stored SoundMode)'"

# A server that hangs without ending. The device is switched off first, which cuts every
# sound, so that nothing is playing when the server stops.
power
tail_quiet() { [ "$(size_of "$1")" -gt 44100 ] && [ "$(tail -c 44100 "$1" | peak)" -le 3000 ]; }  # last 0.5 s
e2e_until "$E2E_DEADLINE" tail_quiet "$E2E_TMP/after.raw" || e2e_fail "switching off did not silence the sound"
kill -STOP "$PA_PID"
# The hang lasts 3 s, longer than the 2 s after which the sound layer takes the device for
# stuck; this is the length of the outage, not a wait for the program.
sleep 3
power  # the start tune, started while the server hangs
kill -CONT "$PA_PID"
from=$(size_of "$E2E_TMP/after.raw")
has_seconds() { [ "$(size_of "$1")" -ge $(($2 + $3 * 88200 / 10)) ]; }  # FILE FROM TENTHS
e2e_until "$E2E_DEADLINE" has_seconds "$E2E_TMP/after.raw" "$from" 15 || e2e_fail "no recording after the hang"
[ "$(peak_after "$E2E_TMP/after.raw" "$from")" -le 3000 ] ||
    e2e_fail "the tune started while the server hung came out late, when it went on"
power
power
from=$(size_of "$E2E_TMP/after.raw")
e2e_until "$E2E_DEADLINE" loud_after "$E2E_TMP/after.raw" "$from" || e2e_fail "no sound after the server went on"
echo "a hung server: the tune started meanwhile was dropped, and the sound went on after it"
kill "$E2E_PID"
e2e_wait_exit || e2e_fail "the program did not end"

# --- starts with no server ---------------------------------------------------------------
# With no server the PulseAudio output falls back to ALSA; the ALSA output is stored here, so
# ALSA is opened first. This machine's ALSA configuration comes first (with no sound card,
# ALSA has eight lines to say about it); then one whose default device cannot open on any
# machine, so that ALSA surely has something to say.
kill_server
printf 'pcm.!default { type zn_no_such_plugin }\n' >"$E2E_TMP/alsa.conf"
BROKEN_ALSA=ALSA_CONFIG_PATH=$E2E_TMP/alsa.conf
OWN_LINE="zorpy-nibbo: Sound folder unproperly installed. Please reinstall the game. ($E2E_GAME/Sound/Bonus.wav)"

quiet_start() {  # ENV...: a start with the ALSA output stored, ended once the device shows
    e2e_store SoundMode=1 SplashScreen=0 FullscreenMode=0
    run_sounding env "$@"
    wid=$(e2e_wait_window) || exit 1
    e2e_wait_device "$wid" || e2e_fail "the device was never drawn"
    power  # the sound in use
    kill "$E2E_PID"
    e2e_wait_exit || e2e_fail "the program did not end"
}
# The error box of a failed start, answered with Return.
answer_box() {
    local w
    for w in $(xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG || continue
        xdotool windowfocus --sync "$w" key Return 2>/dev/null
        return 0
    done
    return 1
}
failed_start() {  # ENV...: a start whose first sample is missing; its one line is ours
    e2e_store SoundMode=1 SplashScreen=0 FullscreenMode=0
    run_sounding env "$@"
    e2e_until "$E2E_DEADLINE" answer_box || e2e_fail "no error box"
    e2e_wait_status || e2e_fail "the program did not end after its box"
    grep -qxF "$OWN_LINE" "$E2E_TMP/err" || e2e_fail "our own line is missing: $(cat "$E2E_TMP/err")"
}

quiet_start -u ZN_DEBUG
[ ! -s "$E2E_TMP/err" ] || e2e_fail "a start without a sound server printed: $(cat "$E2E_TMP/err")"
echo "no server: nothing on standard error"

mv "$E2E_GAME/Sound/Bonus.wav" "$E2E_TMP/Bonus.wav"
failed_start -u ZN_DEBUG "$BROKEN_ALSA"
[ "$(cat "$E2E_TMP/err")" = "$OWN_LINE" ] || e2e_fail "more than our own line: $(cat "$E2E_TMP/err")"
echo "no server, no first sample: standard error holds our own line alone"
failed_start ZN_DEBUG=1 "$BROKEN_ALSA"
grep -q '^ALSA lib ' "$E2E_TMP/err" || e2e_fail "ZN_DEBUG=1 did not bring ALSA's lines back: $(cat "$E2E_TMP/err")"
echo "ZN_DEBUG=1: $(grep -c '^ALSA lib ' "$E2E_TMP/err") ALSA lines, then our own"
echo "PASS"
