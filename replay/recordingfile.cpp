#include "replay/recordingfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zn::replay {

ReadResult readRecordingFile(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) return {std::nullopt, {0, std::string("cannot be opened: ") + std::strerror(errno)}};
    std::string text;
    char buffer[65536];
    while (text.size() <= kMaxBytes) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, f.get());
        text.append(buffer, n);
        if (n < sizeof buffer) break;
    }
    if (std::ferror(f.get()))
        return {std::nullopt, {0, std::string("cannot be read: ") + std::strerror(errno)}};
    return readRecording(text);
}

std::string describeProblem(const std::string& path, const ReadProblem& problem) {
    std::string out;
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
    out += ": ";
    if (problem.line > 0) out += "line " + std::to_string(problem.line) + ": ";
    return out + problem.reason;
}

}  // namespace zn::replay
