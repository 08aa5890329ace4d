// libFuzzer target: arbitrary bytes as a stored setting, through the pure read rule and, for
// short inputs, through a real settings file.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/settings_properties.h"

// The settings store of the run lives in a folder of its own, removed when the run ends.
// The simulator reads its settings with an application object in place, and a stored
// "@Variant(...)" may decode into a GUI type (a cursor, a pixmap) that needs one: the run has
// one too, on the offscreen platform.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string broken = zn::fuzz::checkStoredText(bytes);
    if (broken.empty() && size <= 256) broken = zn::fuzz::checkStoredFile(bytes);
    if (!broken.empty()) {
        std::fprintf(stderr, "broken property: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
