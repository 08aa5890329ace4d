// zorpy-nibbo-script: plays the game from a script on standard input, printing sounds,
// figures and state on standard output. Exit status 1 when any line was refused, 2 when
// standard input could not be read or standard output not written.
//   --record FILE   records the script's presses and releases, with its seed, into FILE
//   --replay FILE   plays the recording in FILE instead of a script (standard input is not
//                   read) and prints the figures and the state at its end; a file that is no
//                   valid recording is one line on standard error and status 1
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "replay/recordingfile.h"
#include "tools/script/script_driver.h"

namespace {

constexpr const char* kUsage =
    "usage: zorpy-nibbo-script [--record FILE] [--replay FILE]\n"
    "Reads one command a line from standard input (seed, rand, press, release, wait, show, state).\n"
    "  --record FILE  record the presses and releases, with the seed, into FILE\n"
    "  --replay FILE  play the recording in FILE instead of a script; print the figures and\n"
    "                 the state at its end\n";

// Written beside its place and renamed over it: the file is whole or as it was.
bool writeWhole(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) return false;
    }
    std::error_code e;
    std::filesystem::rename(temporary, path, e);
    if (e) std::filesystem::remove(temporary, e);
    return !e;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    std::optional<std::string> recordTo, replayFrom;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        std::optional<std::string>* target = a == "--record"   ? &recordTo
                                             : a == "--replay" ? &replayFrom
                                                               : nullptr;
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (!target || i + 1 >= argc || *target) {
            std::cerr << "zorpy-nibbo-script: "
                      << (target ? "--record and --replay take one FILE each"
                                 : "unknown option '" + std::string(a) + "'")
                      << "\n"
                      << kUsage;
            return 2;
        }
        *target = argv[++i];
    }

    // Without a `seed` command the ghosts differ from run to run.
    std::random_device device;
    const auto seed =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(device()) << 32);
    zn::ScriptDriver driver(std::cout, std::cerr, seed);
    int status = 0;
    if (replayFrom) {
        const zn::replay::ReadResult read = zn::replay::readRecordingFile(*replayFrom);
        if (!read.recording) {
            std::cerr << "zorpy-nibbo-script: " << zn::replay::describeProblem(*replayFrom, read.problem)
                      << '\n';
            return 1;
        }
        if (!driver.replay(*read.recording, recordTo.has_value())) {
            std::cerr << "error: the output could not be written\n";
            return 2;
        }
    } else {
        if (recordTo) driver.startRecording();
        status = driver.run(std::cin);
    }
    if (recordTo && !writeWhole(*recordTo, zn::replay::writeRecording(*driver.recording()))) {
        std::cerr << "zorpy-nibbo-script: the recording could not be written to " << *recordTo << '\n';
        return 2;
    }
    return status;
}
