// libFuzzer target: arbitrary bytes as a script, read line by line by the script driver in
// memory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/script_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broken =
        zn::fuzz::checkScriptText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken property: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
