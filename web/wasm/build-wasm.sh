#!/usr/bin/env bash
# Builds zn.wasm, the web edition's engine: the engine, the skin reader, the settings rules,
# the controls' operations, the key table and the web bridge (web/core/), compiled unchanged
# by clang 19 for wasm32-wasi as a reactor (no main; the page calls the exports).
#   web/wasm/build-wasm.sh OUTPUT.wasm [SOURCE_ROOT]
# CLANGXX (default clang++-19) names the compiler; ccache is used when installed. Needs Debian 12's clang-19, lld-19,
# libc++-19-dev-wasm32, libc++abi-19-dev-wasm32, libclang-rt-19-dev-wasm32, wasi-libc and
# libsimpleini-dev.
set -eu
out=${1:?usage: build-wasm.sh OUTPUT.wasm [SOURCE_ROOT]}
root=${2:-$(cd "$(dirname "$0")/../.." && pwd)}
cxx=${CLANGXX:-clang++-19}
command -v "$cxx" >/dev/null || { echo "build-wasm: $cxx not found (apt-get install clang-19 lld-19)" >&2; exit 2; }

simpleini=
for dir in /usr/include /usr/include/simpleini; do
  [ -f "$dir/SimpleIni.h" ] && simpleini=$dir/SimpleIni.h && break
done
[ -n "$simpleini" ] || { echo "build-wasm: SimpleIni.h not found (apt-get install libsimpleini-dev)" >&2; exit 2; }

# The host's /usr/include must not be on the wasm include path: SimpleIni gets a folder of its own.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/include"
ln -s "$simpleini" "$work/include/SimpleIni.h"

launcher=()
command -v ccache >/dev/null && launcher=(ccache)

cd "$root"
sources=(engine/*.cpp skin/*.cpp settings/*.cpp controls/*.cpp ui/*.cpp web/core/*.cpp
         web/wasm/wasm_support.cpp)
objects=()
for src in "${sources[@]}"; do
  obj=$work/$(echo "${src%.cpp}" | tr / _).o
  "${launcher[@]}" "$cxx" --target=wasm32-wasi -std=c++20 -Os -fno-exceptions -fno-rtti \
    -ffunction-sections -fdata-sections -DNDEBUG -Wall -Wextra \
    -I"$root" -isystem "$work/include" -c "$src" -o "$obj"
  objects+=("$obj")
done
mkdir -p "$(dirname "$out")"
# The skin description is a value of some 100 KB that the reader builds on the stack: 1 MB of
# stack rather than the linker's 64 KB.
"$cxx" --target=wasm32-wasi -mexec-model=reactor -Os -fno-exceptions -fno-rtti \
  -Wl,-z,stack-size=1048576 -Wl,--gc-sections -Wl,--strip-all -o "$out.tmp" "${objects[@]}"
mv "$out.tmp" "$out"
