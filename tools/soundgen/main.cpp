// zn-soundgen OUTDIR: writes the device's eight sounds as WAV files (22050 Hz, mono,
// 16-bit) into OUTDIR/Sound/, under the names the game loads.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/soundgen/sounds.h"
#include "tools/soundgen/wav.h"

int main(int argc, char** argv) {
    using namespace zn::soundgen;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(root / "Sound", ec);
    if (ec) {
        std::fprintf(stderr, "zn-soundgen: cannot create %s: %s\n", (root / "Sound").c_str(),
                     ec.message().c_str());
        return 1;
    }
    for (const DeviceSound& s : deviceSounds()) {
        std::string error;
        if (!writeWav((root / s.file).string(), toPcm16(render(s.tune), s.peak), kRate, error)) {
            std::fprintf(stderr, "zn-soundgen: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
