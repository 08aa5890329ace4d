#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine: installs the Debian packages that are
# missing, configures and builds into build/ (or $BUILD_DIR), then runs the simulator or
# the tests.
#   ./build.sh run     build the simulator and start it from build/game
#   ./build.sh test    build it with the test suite and run every test through CTest
#   ./build.sh build   only build the simulator, as run does
#   ./build.sh web     build the web edition into build/web/ and serve it on
#                      http://127.0.0.1:8080/ (the port from WEB_PORT) until Ctrl+C
# run and build install only what building and playing need, and build without the tests;
# web also installs the WebAssembly compiler and nginx; test installs everything,
# adds the tests to the same build folder and builds the web edition too, whose tests run
# in Debian's Chromium. The
# benchmarks and the fuzz targets are built by bench/run.sh and fuzz/run.sh, which install
# what they need themselves.
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}
BUILD_DIR=${BUILD_DIR:-build}

# Building and playing: the compiler and CMake, Qt and SDL2_mixer, ALSA's headers (to keep
# its diagnostics off the terminal), the INI reader, and the fonts the artwork generators
# and the dialogs draw with.
RUN_PACKAGES=(
  cmake g++ pkg-config ninja-build
  qt6-base-dev libsdl2-mixer-dev libasound2-dev libsimpleini-dev
  fonts-liberation fonts-dejavu-core
)
# The tests: GoogleTest; zlib for the hostile-skin pictures; the end-to-end tests' X server,
# keyboard layouts, input, screenshots and window properties, and a window manager (openbox)
# for the window tests' second leg; a sound server of the tests' own (pulseaudio, and
# pulseaudio-utils to record and stop it); for the package test, what
# CPack's .deb needs (file, dpkg-shlibdeps) and the checkers (lintian, AppStream, desktop file);
# man for the manual pages' check; an accessibility bus (at-spi2-core) on a D-Bus session of the
# test's own (dbus-daemon's dbus-run-session) and Debian's pyatspi, to hear what a screen reader hears.
TEST_PACKAGES=(
  libgtest-dev zlib1g-dev
  xvfb x11-xkb-utils xdotool imagemagick x11-utils openbox
  pulseaudio pulseaudio-utils
  file dpkg-dev lintian appstream desktop-file-utils man-db
  at-spi2-core dbus-daemon python3-pyatspi
)

# The web edition: the engine compiled to WebAssembly by Debian's clang 19 with its wasm32
# C++ library; lame for the page's MP3 sounds, optipng for its first pictures, brotli for its
# compressed copies; nginx (with its brotli module) to serve it as a host would (web/serve.sh).
WEB_PACKAGES=(
  clang-19 lld-19 libc++-19-dev-wasm32 libc++abi-19-dev-wasm32 libclang-rt-19-dev-wasm32 wasi-libc
  lame optipng brotli nginx-light libnginx-mod-http-brotli-static
)
# The web edition's tests: Debian's Chromium, driven over its DevTools pipe by the tests' own
# Node.js script (Debian's nodejs, unless a Node.js is already installed).
WEB_TEST_PACKAGES=(chromium)
command -v node >/dev/null || WEB_TEST_PACKAGES+=(nodejs)

case "$what" in
  run | build) packages=("${RUN_PACKAGES[@]}") tests=OFF web=OFF ;;
  web) packages=("${RUN_PACKAGES[@]}" "${WEB_PACKAGES[@]}") tests=OFF web=ON ;;
  test)
    packages=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WEB_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}")
    tests=ON web=ON ;;
  *) echo "usage: $0 [run|test|build|web]" >&2; exit 2 ;;
esac

tools/install-packages.sh "${packages[@]}"

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZN_BUILD_TESTS=$tests -DZN_BUILD_BENCH=OFF \
  -DZN_BUILD_WEB=$web
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

case "$what" in
  run)
    cd "$BUILD_DIR/game"
    exec ./zorpy-nibbo ;;
  web)
    echo "The web edition is in $BUILD_DIR/web/."
    exec web/serve.sh "$BUILD_DIR/web" "${WEB_PORT:-8080}" ;;
  test)
    cd "$BUILD_DIR"
    exec ctest --output-on-failure --parallel "$(nproc)" --timeout 600 ;;
esac
