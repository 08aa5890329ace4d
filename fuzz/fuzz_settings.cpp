// libFuzzer target: arbitrary bytes as a stored setting, through the read rule and every
// setting read from it, in each form the settings file may hand the value over; all in memory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/settings_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string broken = zn::fuzz::checkStoredText(bytes);
    if (broken.empty()) broken = zn::fuzz::checkStoredValue(bytes);
    if (!broken.empty()) {
        std::fprintf(stderr, "broken property: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
