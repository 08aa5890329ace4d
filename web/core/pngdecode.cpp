#include "web/core/pngdecode.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zn::web {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature{137, 80, 78, 71, 13, 10, 26, 10};
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 25;

std::uint32_t bigEndian(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

int channelsOf(int colourType) {
    switch (colourType) {
        case 0: case 3: return 1;
        case 2: return 3;
        case 4: return 2;
        case 6: return 4;
        default: return 0;
    }
}

std::uint8_t paeth(int a, int b, int c) {
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One line unfiltered in place over the line above (null on the first line); bpp: bytes a
// pixel, at least one.
bool unfilter(int filter, std::uint8_t* line, const std::uint8_t* above, std::size_t stride, std::size_t bpp) {
    const auto left = [&](std::size_t x) { return x >= bpp ? line[x - bpp] : 0; };
    const auto up = [&](std::size_t x) { return above ? above[x] : 0; };
    switch (filter) {
        case 0: return true;
        case 1: for (std::size_t x = bpp; x < stride; ++x) line[x] += line[x - bpp]; return true;
        case 2: if (above) for (std::size_t x = 0; x < stride; ++x) line[x] += above[x]; return true;
        case 3: for (std::size_t x = 0; x < stride; ++x) line[x] += (left(x) + up(x)) >> 1; return true;
        case 4:
            for (std::size_t x = 0; x < stride; ++x)
                line[x] += paeth(left(x), up(x), above && x >= bpp ? above[x - bpp] : 0);
            return true;
        default: return false;
    }
}

}  // namespace

std::optional<PngChunks> readPngChunks(std::span<const std::uint8_t> file) {
    if (file.size() < 8 || !std::equal(kSignature.begin(), kSignature.end(), file.begin())) return std::nullopt;
    PngChunks png;
    bool header = false, interlaced = false;
    for (std::size_t pos = 8; pos + 8 <= file.size();) {
        const std::size_t length = bigEndian(&file[pos]);
        const std::span<const std::uint8_t> type = file.subspan(pos + 4, 4);
        const std::span<const std::uint8_t> data = file.subspan(pos + 8, std::min(length, file.size() - pos - 8));
        const auto is = [&type](const char* name) { return std::memcmp(type.data(), name, 4) == 0; };
        if (is("IHDR") && data.size() >= 13) {
            header = true;
            png.width = static_cast<int>(std::min<std::uint32_t>(bigEndian(&data[0]), 0x7fffffff));
            png.height = static_cast<int>(std::min<std::uint32_t>(bigEndian(&data[4]), 0x7fffffff));
            png.depth = data[8];
            png.colourType = data[9];
            interlaced = data[12] != 0;
        } else if (is("PLTE")) {
            png.palette = data;
        } else if (is("tRNS")) {
            png.transparency = data;
        } else if (is("IDAT")) {
            png.data.push_back(data);
        } else if (is("IEND")) {
            break;
        }
        if (length > file.size() - pos) break;  // the last chunk, cut short
        pos += 12 + length;
    }
    const bool depthRead = png.colourType == 3 ? (png.depth == 1 || png.depth == 2 || png.depth == 4 || png.depth == 8)
                                               : png.depth == 8;
    if (!header || interlaced || png.width <= 0 || png.height <= 0 || channelsOf(png.colourType) == 0 || !depthRead ||
        std::int64_t{png.width} * png.height > kMaxPixels)
        return std::nullopt;
    return png;
}

bool expandPngLines(const PngChunks& png, std::span<const std::uint8_t> lines, std::uint8_t* rgba) {
    const int channels = channelsOf(png.colourType);
    const std::size_t width = static_cast<std::size_t>(png.width), height = static_cast<std::size_t>(png.height);
    const std::size_t bpp = std::max<std::size_t>(1, static_cast<std::size_t>(channels * png.depth) >> 3);
    const std::size_t stride = (width * static_cast<std::size_t>(channels * png.depth) + 7) / 8;
    if (lines.size() < (stride + 1) * height) return false;
    // RGBA lines are unfiltered where they land; the others in a line of their own first.
    std::vector<std::uint8_t> own(png.colourType == 6 ? 0 : stride * 2);
    const std::span<const std::uint8_t> t = png.transparency;
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* in = &lines[y * (stride + 1)];
        std::uint8_t* line = png.colourType == 6 ? rgba + y * stride : own.data() + (y & 1) * stride;
        const std::uint8_t* above = y == 0 ? nullptr : png.colourType == 6 ? line - stride : own.data() + ((y - 1) & 1) * stride;
        std::memcpy(line, in + 1, stride);
        if (!unfilter(in[0], line, above, stride, bpp)) return false;
        if (png.colourType == 6) continue;
        std::uint8_t* out = rgba + y * width * 4;
        for (std::size_t x = 0; x < width; ++x, out += 4) {
            if (png.colourType == 2) {
                std::memcpy(out, line + x * 3, 3);
                const bool clear = t.size() >= 6 && t[1] == out[0] && t[3] == out[1] && t[5] == out[2];
                out[3] = clear ? 0 : 255;
            } else if (png.colourType == 0 || png.colourType == 4) {
                const std::uint8_t g = line[x * static_cast<std::size_t>(channels)];
                out[0] = out[1] = out[2] = g;
                out[3] = png.colourType == 4 ? line[x * 2 + 1] : (t.size() >= 2 && t[1] == g ? 0 : 255);
            } else {
                const std::size_t bit = x * static_cast<std::size_t>(png.depth);
                const std::size_t i = (line[bit >> 3] >> (8 - png.depth - static_cast<int>(bit & 7))) & ((1u << png.depth) - 1);
                if (i * 3 + 2 >= png.palette.size()) return false;
                std::memcpy(out, &png.palette[i * 3], 3);
                out[3] = i < t.size() ? t[i] : 255;
            }
        }
    }
    return true;
}

}  // namespace zn::web
