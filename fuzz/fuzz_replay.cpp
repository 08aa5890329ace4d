// libFuzzer target: arbitrary bytes as a recording's text, read by the recordings' reader.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/replay_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broken =
        zn::fuzz::checkRecordingText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken property: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
