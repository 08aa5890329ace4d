#!/usr/bin/env bash
# bench/run.sh [-m SOAK_MINUTES] [-p PLAY_SECONDS] [-r REPEATS] [-w] [BUILD_DIR]
#
# Measures the running simulator side by side with a minimal Qt 6 Widgets program, in one
# private Xvfb of 1920x1080, and prints a Markdown table with the date and the machine:
#   - tick rhythm: intervals between Timer_Game events of the real program (ZN_TICK_LOG),
#     as median and 99th-percentile deviation from 120 ms, windowed and full screen, set
#     against zn-minimal-qt ticking a precise 120 ms timer for as long in the same run;
#   - cost of a tick with its repaint: instructions per tick under callgrind (collection
#     switched on for a stretch of play only), also windowed at 200 % (Zoom=200), and CPU
#     time per minute of play (/proc), also with a game controller connected and untouched
#     (ZN_VIRTUAL_GAMEPAD: watched through a silent pipe as a real controller's device node
#     is, so this is the cost of the node-watching path, not of the 8 ms fallback look);
#   - the largest area flushed to the screen during play, from Qt's painting log;
#   - start-up to the mapped window and resident memory, against zn-minimal-qt;
#   - memory after the soak (SOAK_MINUTES of windowed play, default 10);
#   - sound latency from the mixer's settings; the engine's tick alone (Google Benchmark);
#   - the web edition, when BUILD_DIR has it (-DZN_BUILD_WEB=ON): its code's size, its first
#     drawn device against a bare page drawing the same pictures, a tick's main-thread time,
#     the longest task while playing, key press to changed pixels (bench/web/measure.mjs, in
#     Debian's headless Chromium); its page audited on a first visit by Lighthouse and axe-core
#     (bench/web/lighthouse.mjs, from npm into ~/.cache/zn-bench). -w measures the web edition
#     alone (three minutes once built).
# Play is the game driven by xdotool: power, select, start, then the joystick held in
# turn in random directions, start pressed now and then (a new game after game over).
# Not part of CI: it runs for SOAK_MINUTES + about 8 minutes. Installs what it needs beyond the
# README's run command when missing (valgrind, Google Benchmark, Xvfb, xdotool; apt-get, with
# sudo unless root), then builds BUILD_DIR with the benchmarks switched on.
set -u

soak_min=10
play_s=60
repeats=5
web_only=0
while getopts "m:p:r:wh" opt; do
    case $opt in
        m) soak_min=$OPTARG ;;
        p) play_s=$OPTARG ;;
        r) repeats=$OPTARG ;;
        w) web_only=1 ;;
        *) sed -n '2,28p' "$0"; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath -m "${1:-$here/../build}")
game=$build/game
probe=$build/bench/zn-map-probe
minimal=$build/bench/zn-minimal-qt

fail() { echo "run.sh: $*" >&2; exit 1; }

# The web edition's rows (bench/web/measure.mjs), or one row saying why there are none. Node
# and Chromium from Debian where missing; the web tests' own driver runs the browser.
web_rows() {
    if [ ! -f "$build/web/index.html" ]; then
        echo "| Web edition | not built: configure $build with -DZN_BUILD_WEB=ON | - | - |"
        return
    fi
    local pkgs=(chromium)
    command -v node >/dev/null || pkgs+=(nodejs)
    command -v npm >/dev/null || pkgs+=(npm)
    "$here/../tools/install-packages.sh" "${pkgs[@]}" >&2 || fail "could not install the web edition's browser"
    node "$here/web/measure.mjs" "$build/web" "$repeats" 20 || fail "the web edition's measurement failed"
    node "$here/web/lighthouse.mjs" "$build/web" --rows || fail "the web edition's audit failed"
}
web_table() {
    cat <<EOF
### Web edition: $(date -u '+%Y-%m-%d %H:%M UTC')

Debian's Chromium $(chromium --version 2>/dev/null | awk '{print $2}'), headless, no GPU, driven over the devtools protocol; the site served
from $build/web by a local server with cross-origin isolation (microsecond timers). Median of $repeats cold loads.

| Measure | Result | Target | Met |
|---|---|---|---|
$(web_rows)
EOF
}
"$here/../tools/install-packages.sh" valgrind libbenchmark-dev xvfb xdotool >&2 ||
    fail "could not install the benchmark's tools"
# A new build folder gets the simulator and the benchmarks only; an existing one keeps its tests.
tests_off=()
[ -f "$build/CMakeCache.txt" ] || tests_off=(-DZN_BUILD_TESTS=OFF)
cmake -S "$here/.." -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZN_BUILD_BENCH=ON \
    "${tests_off[@]}" >&2 || fail "cmake could not configure $build"
cmake --build "$build" -j2 >&2 || fail "the build failed"
if [ "$web_only" = 1 ]; then
    web_table
    exit 0
fi
for t in Xvfb xdotool valgrind callgrind_control awk sort; do
    command -v "$t" >/dev/null || fail "$t is missing"
done
for f in "$game/zorpy-nibbo" "$probe" "$minimal" "$build/bench/zn-sound-latency" "$build/bench/bench_engine"; do
    [ -x "$f" ] || fail "$f is not built (cmake --build $build)"
done
awk -v m="$soak_min" -v p="$play_s" 'BEGIN { exit !(m > 0 && p >= 60) }' ||
    fail "the soak must be longer than 0 minutes and play at least 60 s"

tmp=$(mktemp -d)
xpid=""
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

note() { echo "[$(date +%H:%M:%S)] $*" >&2; }

# --- the X server and a private user -------------------------------------------------------
exec 9>"$tmp/display"
# -noreset: a program started just as the previous one left must not meet a server in reset.
Xvfb -displayfd 9 -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xpid=$!
exec 9>&-
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
[ -s "$tmp/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$tmp/display")"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run QT_QPA_PLATFORM=xcb
mkdir -p "$tmp/config/Quillon" "$tmp/run"
chmod 700 "$tmp/run"
clk_tck=$(getconf CLK_TCK)

# --- starting, driving and reading a program ---------------------------------------------------
# launch NAME TIMEOUT_S COMMAND...: runs COMMAND (from the game folder) under the map probe;
# sets PID, MAP_MS and WIN once its window is on screen.
launch() {
    local name=$1 timeout=$2
    shift 2
    (cd "$game" && exec "$probe" "$@") >"$tmp/$name.out" 2>"$tmp/$name.err" &
    pids+=($!)
    local line=""
    for _ in $(seq $((timeout * 20))); do
        line=$(grep -m1 '^MAPPED ' "$tmp/$name.out" 2>/dev/null) && break
        sleep 0.05
    done
    [ -n "$line" ] || { cat "$tmp/$name.err" >&2; fail "$name: no window within $timeout s"; }
    read -r _ MAP_MS PID WIN <<<"$line"
    pids+=("$PID")
}

stop() {
    kill "$1" 2>/dev/null
    for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
    kill -9 "$1" 2>/dev/null
}

# store FULLSCREEN [LINES]: the settings of the run: no start dialog, sound on (SDL's dummy
# output), and LINES (name=value, each ending in \n) added.
store() {
    printf '[General]\nSoundMode=0\nSplashScreen=0\nCtrlrOverlay=1\nFullscreenMode=%s\n%b' "$1" "${2:-}" \
        >"$tmp/config/Quillon/Zornibak50.conf"
}

sim_env=(env SDL_AUDIODRIVER=dummy)

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
anon_kb() { awk '/^RssAnon:/ {print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
now_s() { date +%s.%N; }

# Power on, wait for the start tune, select game 1, start.
start_game() {
    xdotool windowfocus --sync "$WIN" 2>/dev/null
    xdotool key 1
    sleep "${1:-3.3}"
    xdotool key 2
    sleep 0.3
    xdotool key 3
}

# play SECONDS: the joystick held in random directions, start pressed every fifth move.
play() {
    local until n=0 keys=(Left Up Right Down)
    until=$(awk -v t="$(now_s)" -v s="$1" 'BEGIN { printf "%.3f", t + s }')
    while awk -v t="$(now_s)" -v u="$until" 'BEGIN { exit !(t < u) }'; do
        local k=${keys[$((RANDOM % 4))]}
        xdotool keydown "$k"
        sleep 0.9
        xdotool keyup "$k"
        n=$((n + 1))
        [ $((n % 5)) -eq 0 ] && xdotool key 3
    done
}

# tick_stats LOG: "COUNT MEDIAN_MS P99_MS MAX_MS" of |interval - 120 ms|, counting only the
# intervals between a tick and the tick or (re)start of the timer just before it.
tick_stats() {
    awk '$1 == "T" && prev != "" && kind != "S" { d = ($2 - prev) / 1e6 - 120; print (d < 0 ? -d : d) }
         { kind = $1; prev = ($1 == "S") ? "" : $2 }' "$1" | sort -g >"$tmp/dev"
    awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "0 - - -"; exit }
        m = v[int((NR + 1) / 2)]; p = v[int(NR * 0.99 + 0.999)]; if (p == "") p = v[NR]
        printf "%d %.2f %.2f %.2f\n", NR, m, p, v[NR] }' "$tmp/dev"
}

median() { sort -g | awk '{ v[NR] = $1 } END { printf "%.0f", v[int((NR + 1) / 2)] }'; }

# --- 1. start-up and memory against the minimal program ----------------------------------------
note "start-up: $repeats runs each of the minimal program and of the simulator in both modes"
: >"$tmp/st_min" && : >"$tmp/st_win" && : >"$tmp/st_full"
: >"$tmp/rss_min" && : >"$tmp/rss_win" && : >"$tmp/rss_full"
: >"$tmp/anon_min" && : >"$tmp/anon_win" && : >"$tmp/anon_full"
RANDOM=2024
for i in $(seq "$repeats"); do
    launch min 30 "$minimal"
    echo "$MAP_MS" >>"$tmp/st_min"
    sleep 1
    rss_kb "$PID" >>"$tmp/rss_min"
    anon_kb "$PID" >>"$tmp/anon_min"
    stop "$PID"
    for mode in win full; do
        store $([ $mode = full ] && echo 1 || echo 0)
        launch sim 30 "${sim_env[@]}" ./zorpy-nibbo
        echo "$MAP_MS" >>"$tmp/st_$mode"
        sleep 1
        rss_kb "$PID" >>"$tmp/rss_$mode"
        anon_kb "$PID" >>"$tmp/anon_$mode"
        stop "$PID"
    done
done

# --- 2. tick rhythm, CPU and the soak, windowed and full screen --------------------------------
# play_run MODE SECONDS: writes MODE.ticks, and MODE.cpu (percent of one core), MODE.rss
# (kB at the start of play, after one minute, at the end). MODE pad is windowed with a
# virtual game controller connected.
play_run() {
    local mode=$1 secs=$2 c0 c1 t0 t1 r0 r1 r2 pad=0
    [ "$mode" = pad ] && pad=1
    store $([ "$mode" = full ] && echo 1 || echo 0)
    launch sim 30 env ZN_TICK_LOG="$tmp/$mode.ticks" ZN_VIRTUAL_GAMEPAD=$pad "${sim_env[@]}" ./zorpy-nibbo
    start_game
    sleep 1
    r0=$(rss_kb "$PID")
    c0=$(cpu_ticks "$PID")
    t0=$(now_s)
    if awk -v s="$secs" 'BEGIN { exit !(s > 60) }'; then
        play 60
        r1=$(rss_kb "$PID")
        play "$(awk -v s="$secs" 'BEGIN { print s - 60 }')"
    else
        play "$secs"
        r1=$(rss_kb "$PID")
    fi
    c1=$(cpu_ticks "$PID")
    t1=$(now_s)
    r2=$(rss_kb "$PID")
    stop "$PID"
    awk -v a="$c0" -v b="$c1" -v s="$t0" -v e="$t1" -v hz="$clk_tck" \
        'BEGIN { printf "%.2f %.0f\n", 100 * (b - a) / hz / (e - s), 60000 * (b - a) / hz / (e - s) }' \
        >"$tmp/$mode.cpu"
    echo "$r0 $r1 $r2 $(awk -v s="$t0" -v e="$t1" 'BEGIN { printf "%.1f", (e - s) / 60 }')" >"$tmp/$mode.rss"
}
note "windowed play and soak: $soak_min min"
play_run win "$(awk -v m="$soak_min" -v p="$play_s" 'BEGIN { s = m * 60; print (s > p ? s : p) }')"
note "full-screen play: $play_s s"
play_run full "$play_s"
note "windowed play with a game controller connected: $play_s s"
play_run pad "$play_s"
note "the minimal program ticking at 120 ms: $play_s s"
launch min 30 env ZN_TICK_LOG="$tmp/min.ticks" "$minimal"
sleep "$play_s"
stop "$PID"

# --- 3. repainted area during play, from Qt's painting log ------------------------------------
# paint_run MODE: "FLUSHES LARGEST_PX WINDOW_PX" for 20 s of play.
paint_run() {
    local mode=$1 mark w h
    store $([ "$mode" = full ] && echo 1 || echo 0)
    launch sim 30 env QT_LOGGING_RULES="qt.widgets.painting=true" "${sim_env[@]}" ./zorpy-nibbo
    start_game
    sleep 1
    mark=$(wc -l <"$tmp/sim.err")
    play 20
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    w=$WIDTH h=$HEIGHT
    stop "$PID"
    tail -n +"$((mark + 1))" "$tmp/sim.err" | grep '^qt.widgets.painting: Flushing QRegion' |
        awk -v win=$((w * h)) '{
            s = $0; i = index(s, "- ["); if (i) s = substr(s, i); a = 0
            while (match(s, /-?[0-9]+,-?[0-9]+ [0-9]+x[0-9]+/)) {
                r = substr(s, RSTART, RLENGTH); split(r, p, /[ x]/); a += p[2] * p[3]
                s = substr(s, RSTART + RLENGTH)
            }
            n++; if (a > big) big = a
        } END { printf "%d %d %d\n", n, big, win }' >"$tmp/$mode.paint"
}
note "repainted area, windowed and full screen: 20 s each"
paint_run win
paint_run full

# --- 4. instructions per tick under callgrind --------------------------------------------------
# cg_run MODE: "TICKS INSTRUCTIONS" for 40 s of play with collection on; MODE is win, full
# or win200 (windowed at Zoom=200).
cg_run() {
    local mode=$1 n0 n1 dump
    store $([ "$mode" = full ] && echo 1 || echo 0) "$([ "$mode" = win200 ] && echo 'Zoom=200\n')"
    launch cg 180 env ZN_TICK_LOG="$tmp/$mode.cgticks" "${sim_env[@]}" \
        valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$tmp/cg.$mode.%p" ./zorpy-nibbo
    start_game 6
    sleep 3
    n0=$(grep -c '^T' "$tmp/$mode.cgticks")
    callgrind_control -i on "$PID" >/dev/null 2>&1 || fail "callgrind_control could not reach $PID"
    play 40
    callgrind_control -i off "$PID" >/dev/null 2>&1
    n1=$(grep -c '^T' "$tmp/$mode.cgticks")
    callgrind_control -d "$PID" >/dev/null 2>&1
    stop "$PID"
    dump=$(ls "$tmp"/cg."$mode".*.1 2>/dev/null | head -n1)
    [ -n "$dump" ] || dump=$(ls "$tmp"/cg."$mode".* | head -n1)
    echo "$((n1 - n0)) $(awk '/^totals:/ { t = $2 } /^summary:/ { s = $2 } END { print (t != "" ? t : s) }' "$dump")" >"$tmp/$mode.cg"
}
note "callgrind, windowed, full screen and windowed at 200 %: 40 s of play each (slow start)"
cg_run win
cg_run full
cg_run win200

# --- 5. sound latency and the engine's tick alone ----------------------------------------------
(cd "$game" && "$build/bench/zn-sound-latency") >"$tmp/latency" 2>&1
"$build/bench/bench_engine" --benchmark_filter='^BM_GameTick$' --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /BM_GameTick"?$/ { printf "%.0f", $4 }' >"$tmp/engine_ns"

# --- the table ----------------------------------------------------------------------------------
read -r tw_n tw_med tw_p99 tw_max <<<"$(tick_stats "$tmp/win.ticks")"
read -r tf_n tf_med tf_p99 tf_max <<<"$(tick_stats "$tmp/full.ticks")"
read -r tm_n tm_med tm_p99 tm_max <<<"$(tick_stats "$tmp/min.ticks")"
read -r cpu_w cpums_w <"$tmp/win.cpu"
read -r cpu_f cpums_f <"$tmp/full.cpu"
read -r cpu_p cpums_p <"$tmp/pad.cpu"
read -r rw0 rw1 rw2 rwmin <"$tmp/win.rss"
read -r rf0 rf1 rf2 rfmin <"$tmp/full.rss"
read -r pw_n pw_big pw_win <"$tmp/win.paint"
read -r pf_n pf_big pf_win <"$tmp/full.paint"
read -r cw_n cw_ir <"$tmp/win.cg"
read -r cf_n cf_ir <"$tmp/full.cg"
read -r cz_n cz_ir <"$tmp/win200.cg"
st_min=$(median <"$tmp/st_min") st_win=$(median <"$tmp/st_win") st_full=$(median <"$tmp/st_full")
rss_min=$(median <"$tmp/rss_min") rss_win=$(median <"$tmp/rss_win") rss_full=$(median <"$tmp/rss_full")
anon_min=$(median <"$tmp/anon_min") anon_win=$(median <"$tmp/anon_win") anon_full=$(median <"$tmp/anon_full")
latency=$(awk '/latency/ { print $(NF-1); exit }' "$tmp/latency")
latency_driver=$(awk '/latency/ { print $4; exit }' "$tmp/latency")

ok() { awk "BEGIN { exit !($1) }" && echo yes || echo "**no**"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
per_tick() { awk -v i="$1" -v n="$2" 'BEGIN { if (n > 0) printf "%.0f", i / n; else print "-" }'; }
pct() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", 100 * a / b; else print "-" }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
qt=$(pkg-config --modversion Qt6Widgets 2>/dev/null || echo "6")
cat <<EOF
### Performance: $(date -u '+%Y-%m-%d %H:%M UTC')

Machine: $cpu, $(nproc) cores, Linux $(uname -r), Qt $qt, Xvfb 1920x1080x24 (no window manager),
sound on SDL's dummy output. Soak: $rwmin min of windowed play; full screen: $rfmin min.
Start-up and memory in both modes are set against zn-minimal-qt (median of $repeats runs each); the
full-screen start is measured from a store whose FullscreenMode is 1.

| Measure | Windowed | Full screen | Target | Met |
|---|---|---|---|---|
| Tick interval deviation from 120 ms, median / p99 (max) | $tw_med / $tw_p99 ms ($tw_max), $tw_n ticks | $tf_med / $tf_p99 ms ($tf_max), $tf_n ticks | p99 no worse than the minimal program's: $tm_med / $tm_p99 ms ($tm_max), $tm_n ticks (+0.1 ms resolution) | $(ok "$tw_p99 <= $tm_p99 + 0.1 && $tf_p99 <= $tm_p99 + 0.1") |
| Instructions per tick with its repaint (callgrind, 40 s of play) | $(per_tick "$cw_ir" "$cw_n") ($cw_n ticks) | $(per_tick "$cf_ir" "$cf_n") ($cf_n ticks) | ≤ 60 000 windowed, ≤ 50 000 full screen | $(ok "$(per_tick "$cw_ir" "$cw_n") <= 60000 && $(per_tick "$cf_ir" "$cf_n") <= 50000") |
| Instructions per tick windowed at 200 % (Zoom=200, callgrind, 40 s of play) | $(per_tick "$cz_ir" "$cz_n") ($cz_n ticks) | | ≤ 2 × windowed at 100 % | $(ok "$(per_tick "$cz_ir" "$cz_n") <= 2 * $(per_tick "$cw_ir" "$cw_n")") |
| CPU time per minute of play | $cpums_w ms = $cpu_w % of a core | $cpums_f ms = $cpu_f % of a core | ≤ 0.3 % | $(ok "$cpu_w <= 0.3 && $cpu_f <= 0.3") |
| CPU time per minute of play, a game controller connected (watched through its device node) | $cpums_p ms = $cpu_p % of a core | | recorded | - |
| Largest area flushed to the screen during play (20 s) | $(pct "$pw_big" "$pw_win") % of the window ($pw_n flushes) | $(pct "$pf_big" "$pf_win") % of the window ($pf_n flushes) | never the whole window | $(ok "$pw_big < $pw_win && $pf_big < $pf_win") |
| Start-up to the mapped window | $st_win ms = $(ratio "$st_win" "$st_min") × minimal ($st_min ms) | $st_full ms = $(ratio "$st_full" "$st_min") × minimal | ≤ 1.3 × windowed, ≤ 1.5 × full screen | $(ok "$st_win <= 1.3 * $st_min && $st_full <= 1.5 * $st_min") |
| Resident memory after start | $(mb "$rss_win") MB = $(ratio "$rss_win" "$rss_min") × minimal ($(mb "$rss_min") MB) | $(mb "$rss_full") MB = $(ratio "$rss_full" "$rss_min") × minimal | ≤ 1.25 × windowed, ≤ 1.4 × full screen | $(ok "$rss_win <= 1.25 * $rss_min && $rss_full <= 1.4 * $rss_min") |
| of which private (RssAnon, without shared libraries) | $(mb "$anon_win") MB = $(ratio "$anon_win" "$anon_min") × minimal ($(mb "$anon_min") MB) | $(mb "$anon_full") MB = $(ratio "$anon_full" "$anon_min") × minimal | - | - |
| Resident memory in play: start / 1 min / end | $(mb "$rw0") / $(mb "$rw1") / $(mb "$rw2") MB after $rwmin min | $(mb "$rf0") / $(mb "$rf1") / $(mb "$rf2") MB | no growth | $(ok "$rw2 <= $rw1 + 512 && $rf2 <= $rf1 + 512") |
| Sound latency (one mixing buffer) | $latency ms ($latency_driver) | | ≤ 12 ms | $(ok "${latency:-99} <= 12") |
| Engine tick alone, no drawing (bench_engine BM_GameTick) | $(cat "$tmp/engine_ns") ns | | recorded | - |
EOF

echo
web_table
