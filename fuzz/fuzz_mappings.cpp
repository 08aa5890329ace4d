// libFuzzer target: arbitrary bytes as the user's controller mapping file, read in memory and
// every mapping handed to SDL.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/mapping_properties.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zn::fuzz::resetMappings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // SDL keeps every mapping it is given and looks each new one up in that list: a fresh
    // list now and then keeps the run's memory and pace even.
    static unsigned inputs = 0;
    if (++inputs % 4096 == 0) zn::fuzz::resetMappings();
    const std::string broken =
        zn::fuzz::checkMappingText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken property: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
