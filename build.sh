#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine: installs the Debian packages that
# are missing, configures and builds, then runs the simulator or the tests.
#   ./build.sh run     build and start the simulator from build/game
#   ./build.sh test    build and run the whole test suite through CTest
#   ./build.sh build   only build
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}
BUILD_DIR=${BUILD_DIR:-build}

PACKAGES=(
  cmake g++ pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsdl2-mixer-dev libsimpleini-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool imagemagick x11-utils sox
  clang libclang-rt-14-dev zlib1g-dev valgrind
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

case "$what" in
  run)
    cd "$BUILD_DIR/game"
    exec ./zorpy-nibbo ;;
  test)
    cd "$BUILD_DIR"
    exec ctest --output-on-failure --parallel "$(nproc)" --timeout 600 ;;
  build) ;;
  *) echo "usage: $0 [run|test|build]" >&2; exit 2 ;;
esac
