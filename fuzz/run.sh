#!/usr/bin/env bash
# fuzz/run.sh [SECONDS] [BUILD_DIR]
# Builds the fuzz targets with clang in BUILD_DIR (default build-fuzz in the repository
# root, or $ZN_FUZZ_BUILD) and runs each for SECONDS (default $FUZZ_SECONDS, else 60) from its
# seed corpus in fuzz/corpus/<target>/. New inputs go to a scratch corpus, never into the repo.
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
cmake --build "$build" -j2 --target fuzz_skinini fuzz_settings

mkdir -p "$build/findings"
status=0
for target in fuzz_skinini fuzz_settings; do
    scratch="$build/corpus/$target"
    mkdir -p "$scratch"
    echo "fuzz: $target for ${seconds}s"
    if ! (cd "$build/findings" && QT_QPA_PLATFORM=offscreen "$build/$target" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=1024 -max_len=4096 -print_final_stats=1 \
        "$scratch" "$here/corpus/$target" >"$build/$target.log" 2>&1); then
        echo "fuzz: $target FAILED; see $build/$target.log and $build/findings/" >&2
        tail -n 30 "$build/$target.log" >&2
        status=1
    else
        grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$target.log" | sed "s/^/fuzz: $target /"
    fi
done
exit $status
