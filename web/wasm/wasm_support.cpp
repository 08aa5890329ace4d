// What Debian's wasm32 runtime libraries expect of a program and the page's WASI shim does not
// give: the stack protector's guard value and its failure handler (the libraries are built
// with the protector; our own code is not).
#include <cstdint>
#include <cstdlib>

extern "C" {
std::uintptr_t __stack_chk_guard = 0x5a4e2d31;
[[noreturn]] void __stack_chk_fail() { std::abort(); }
}
