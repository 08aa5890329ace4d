#include "tools/soundgen/wav.h"

#include <fstream>

namespace zn::soundgen {

namespace {

void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void putTag(std::vector<uint8_t>& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> wavBytes(const std::vector<int16_t>& pcm, int rate) {
    const auto dataSize = static_cast<uint32_t>(pcm.size() * 2);
    std::vector<uint8_t> b;
    b.reserve(44 + dataSize);
    putTag(b, "RIFF");
    put32(b, 36 + dataSize);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1);  // PCM
    put16(b, 1);  // mono
    put32(b, static_cast<uint32_t>(rate));
    put32(b, static_cast<uint32_t>(rate) * 2);  // bytes per second
    put16(b, 2);                                // bytes per frame
    put16(b, 16);                               // bits per sample
    putTag(b, "data");
    put32(b, dataSize);
    for (int16_t s : pcm) put16(b, static_cast<uint16_t>(s));
    return b;
}

bool writeWav(const std::string& path, const std::vector<int16_t>& pcm, int rate, std::string& error) {
    const std::vector<uint8_t> bytes = wavBytes(pcm, rate);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) {
        error = "cannot create " + path;
        return false;
    }
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace zn::soundgen
