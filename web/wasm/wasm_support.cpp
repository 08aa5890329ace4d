// What Debian's wasm32 runtime libraries expect of a program and the page's WASI shim does not
// give: the stack protector's guard value and its failure handler (the libraries are built
// with the protector; our own code is not).
#include <cstdint>
#include <cstdlib>

extern "C" {
std::uintptr_t __stack_chk_guard = 0x5a4e2d31;
[[noreturn]] void __stack_chk_fail() { std::abort(); }
}

// Small objects (the skin reader makes some fifteen hundred as it reads Config.ini) come from
// free lists carved out of 64 KB blocks rather than from malloc, one call each: the browser
// compiles a function again, optimised, once it has run long enough, and malloc is a large
// function, so that compilation cost the page some 20 ms of processor time as it started.
// A block starts with a 16-byte header holding its size class (0: taken from malloc).
#include <cstddef>
#include <new>

namespace {

constexpr std::size_t kHeader = 16;  // keeps the 16-byte alignment operator new promises
constexpr std::size_t kClasses[] = {16, 32, 48, 64, 96, 128, 192, 256};
constexpr std::size_t kClassCount = sizeof(kClasses) / sizeof(kClasses[0]);
constexpr std::size_t kChunk = 64 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

FreeBlock* freeLists[kClassCount] = {};
char* chunkNext = nullptr;
char* chunkEnd = nullptr;

std::size_t classOf(std::size_t size) {
    for (std::size_t c = 0; c < kClassCount; ++c)
        if (size <= kClasses[c]) return c + 1;
    return 0;
}

void* allocate(std::size_t size) {
    const std::size_t c = classOf(size);
    char* block = nullptr;
    if (c == 0) {
        block = static_cast<char*>(std::malloc(size + kHeader));
    } else if (freeLists[c - 1]) {
        block = reinterpret_cast<char*>(freeLists[c - 1]) - kHeader;
        freeLists[c - 1] = freeLists[c - 1]->next;
    } else {
        const std::size_t whole = kClasses[c - 1] + kHeader;
        if (chunkEnd - chunkNext < static_cast<std::ptrdiff_t>(whole)) {
            // What is left of the last chunk stays unused.
            chunkNext = static_cast<char*>(std::malloc(kChunk));
            chunkEnd = chunkNext ? chunkNext + kChunk : nullptr;
        }
        if (chunkNext) {
            block = chunkNext;
            chunkNext += whole;
        }
    }
    if (!block) return nullptr;
    *reinterpret_cast<std::size_t*>(block) = c;
    return block + kHeader;
}

void release(void* p) {
    if (!p) return;
    char* block = static_cast<char*>(p) - kHeader;
    const std::size_t c = *reinterpret_cast<std::size_t*>(block);
    if (c == 0) {
        std::free(block);
        return;
    }
    auto* f = static_cast<FreeBlock*>(p);
    f->next = freeLists[c - 1];
    freeLists[c - 1] = f;
}

void* allocateOrFail(std::size_t size) {
    void* p = allocate(size);
    if (!p) std::abort();  // built without exceptions: nothing could catch std::bad_alloc
    return p;
}

}  // namespace

void* operator new(std::size_t size) { return allocateOrFail(size); }
void* operator new[](std::size_t size) { return allocateOrFail(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
