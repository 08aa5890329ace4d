#pragma once
// Canonical RIFF/WAVE files: PCM, mono, 16-bit little-endian.
#include <cstdint>
#include <string>
#include <vector>

namespace zn::soundgen {

// The whole file as bytes: the 44-byte header followed by the samples.
std::vector<uint8_t> wavBytes(const std::vector<int16_t>& pcm, int rate);

// Writes the file; false with `error` filled when it could not be written completely.
bool writeWav(const std::string& path, const std::vector<int16_t>& pcm, int rate, std::string& error);

}  // namespace zn::soundgen
