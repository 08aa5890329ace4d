#!/usr/bin/env bash
# bench/web/lighthouse.sh [BUILD_DIR]
#
# Builds the web edition in BUILD_DIR (default build/; configured with the web edition on when
# new) and audits its page on a first visit: Lighthouse 12 (mobile and desktop presets) and
# axe-core in Debian's headless Chromium, as a Markdown table (bench/web/lighthouse.mjs). The
# auditors come from npm into ~/.cache/zn-bench (ZN_BENCH_CACHE), installed on first use; Node
# and Chromium from Debian when missing. Not part of the tests: about two minutes once built.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath -m "${1:-$here/../../build}")
pkgs=(chromium optipng nginx-light libnginx-mod-http-brotli-static)
command -v node >/dev/null || pkgs+=(nodejs)
command -v npm >/dev/null || pkgs+=(npm)
"$here/../../tools/install-packages.sh" "${pkgs[@]}" >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here/../.." -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZN_BUILD_WEB=ON \
        -DZN_BUILD_TESTS=OFF >&2
fi
cmake --build "$build" --parallel 2 --target web_site >&2
exec node "$here/lighthouse.mjs" "$build/web"
