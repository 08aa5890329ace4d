#!/usr/bin/env bash
# fuzz/run.sh [SECONDS] [BUILD_DIR]
# Builds the fuzz targets with clang in BUILD_DIR (default build-fuzz in the repository
# root, or $ZN_FUZZ_BUILD) and runs each for SECONDS (default $FUZZ_SECONDS, else 60) from its
# seed corpus in fuzz/corpus/<target>/, with the words of its input in fuzz/dict/<target>.dict.
# New inputs go to a scratch corpus, never into the repo.
# FUZZ_RUNS=N runs each target for N inputs instead (SECONDS is then ignored); FUZZ_TARGETS
# names the targets to run (default all). Each target's time, executions and executions per
# second are printed when it ends.
# Exits non-zero when a target crashes, leaks, hangs (a run over 10 s) or breaks a property;
# the input that did it is left in BUILD_DIR/findings/. Once fixed, copy it into
# fuzz/corpus/<target>/: tests/hardening/fuzz_replay_test.cpp replays that folder in every build.
# Needs clang and libclang-rt-14-dev, and installs them (apt-get, with sudo unless root) when
# they are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
seconds=${1:-${FUZZ_SECONDS:-60}}
build=${2:-${ZN_FUZZ_BUILD:-$here/../build-fuzz}}

"$here/../tools/install-packages.sh" clang libclang-rt-14-dev
command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing" >&2; exit 2; }

# The whole project, every library instrumented, but only the fuzz targets built.
CC=clang CXX=clang++ cmake -S "$here/.." -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZN_BUILD_FUZZ=ON -DZN_BUILD_TESTS=OFF -DZN_BUILD_BENCH=OFF >/dev/null
all_targets=(fuzz_skinini fuzz_settings fuzz_mappings fuzz_script fuzz_replay)
read -r -a targets <<<"${FUZZ_TARGETS:-${all_targets[*]}}"
cmake --build "$build" -j2 --target "${targets[@]}"

if [ -n "${FUZZ_RUNS:-}" ]; then
    limit=(-runs="$FUZZ_RUNS") what="$FUZZ_RUNS inputs"
else
    limit=(-max_total_time="$seconds") what="${seconds}s"
fi
# SDL keeps every mapping it is given, so each input of fuzz_mappings would look like a leak to
# libFuzzer's per-input check (and pay for a full leak scan); the reader's own allocations are
# leak-checked when the sanitizer suite replays that corpus.
# Each input is capped where a longer one only repeats what a shorter one holds, since a run's
# cost grows with its input: a Config.ini of a few sections (the reader treats every section and
# key alike), a stored value (every setting is a number), a few mapping lines (each one costs SDL
# a search of its whole list), a script of about twenty lines (a line is short; longer scripts
# would only play longer); a recording of a few dozen lines (every event line is read alike).
declare -A extra=([fuzz_skinini]=-max_len=512 [fuzz_settings]=-max_len=256
    [fuzz_mappings]="-detect_leaks=0 -max_len=512" [fuzz_script]=-max_len=256 [fuzz_replay]=-max_len=1024)
mkdir -p "$build/findings"
status=0
for target in "${targets[@]}"; do
    scratch="$build/corpus/$target"
    mkdir -p "$scratch"
    echo "fuzz: $target for $what ($(date -u '+%F %T') UTC)"
    started=$(date +%s)
    if ! (cd "$build/findings" && QT_QPA_PLATFORM=offscreen SDL_JOYSTICK_DISABLE_UDEV=1 "$build/$target" \
        "${limit[@]}" -dict="$here/dict/$target.dict" -timeout=10 -rss_limit_mb=1024 -max_len=4096 \
        -print_final_stats=1 ${extra[$target]:-} \
        "$scratch" "$here/corpus/$target" >"$build/$target.log" 2>&1); then
        echo "fuzz: $target FAILED; see $build/$target.log and $build/findings/" >&2
        tail -n 30 "$build/$target.log" >&2
        status=1
    else
        took=$(($(date +%s) - started))
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$target.log")
        rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$build/$target.log")
        echo "fuzz: $target ${took}s, $runs executions ($((runs / (took > 0 ? took : 1))) a second), peak RSS ${rss} MB, 0 crashes"
    fi
done
exit $status
