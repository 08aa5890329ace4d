# The toolkit-free libraries and zn.wasm for wasm32-wasi, with Debian 12's clang 19 and its
# wasm32 libraries (clang-19 lld-19 libc++-19-dev-wasm32 libc++abi-19-dev-wasm32
# libclang-rt-19-dev-wasm32 wasi-libc). web/CMakeLists.txt configures this tree with it and
# ZN_WASM_ONLY=ON.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-19)
set(CMAKE_CXX_COMPILER clang++-19)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)

# Debian's clang searches the host's /usr/local/include and /usr/include after the wasm32
# headers for this target too; only the wasm32 C++ and C headers are searched, in clang's own
# order (libc++, clang's built-in headers, wasi-libc).
set(ZN_WASI_INCLUDE /usr/include/wasm32-wasi)
set(zn_wasi_c_includes "-nostdlibinc -idirafter ${ZN_WASI_INCLUDE}")
set(zn_wasi_cxx_includes "-nostdlibinc -isystem ${ZN_WASI_INCLUDE}/c++/v1 -idirafter ${ZN_WASI_INCLUDE}")
# Optimised for size, each function in a section of its own, which the link drops when nothing
# calls it; C++ without exceptions (nothing could catch them) or RTTI.
set(zn_wasm_flags "-Os -ffunction-sections -fdata-sections")
set(CMAKE_C_FLAGS_INIT "${zn_wasi_c_includes} ${zn_wasm_flags}")
set(CMAKE_CXX_FLAGS_INIT "${zn_wasi_cxx_includes} -fno-exceptions -fno-rtti ${zn_wasm_flags}")

