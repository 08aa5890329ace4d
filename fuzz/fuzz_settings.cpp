// libFuzzer target: arbitrary bytes as a stored setting, through the read rule and every
// setting read from it, in each form the settings file may hand the value over; all in memory.
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/settings_properties.h"

// A stored "@Variant(...)" may decode into a GUI type (a cursor, a pixmap) that needs an
// application object, as the simulator has one when it reads its settings: the run has one
// too, on the offscreen platform. Its event loop never runs.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

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
