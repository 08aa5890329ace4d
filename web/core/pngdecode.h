#pragma once
// PNG files read as the desktop's decoder reads them, with the file's own pixels (no colour
// management, no premultiplied round trip), in two steps around the inflating that the page
// leaves to the browser: the chunks first (the header, the palette, the transparency and the
// compressed lines), then the inflated lines unfiltered and expanded into straight RGBA.
//
// Read: non-interlaced grey, grey and alpha, RGB and RGBA of 8 bits a channel, and palettes of
// 1, 2, 4 or 8 bits a pixel, with or without tRNS. Anything else is for another decoder.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zn::web {

struct PngChunks {
    int width = 0;
    int height = 0;
    int depth = 0;       // bits a channel (a palette index)
    int colourType = 0;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    std::span<const std::uint8_t> palette;
    std::span<const std::uint8_t> transparency;
    std::vector<std::span<const std::uint8_t>> data;  // the IDAT chunks' contents, in order
};

// The chunks of a file this reader reads (of at most 2^25 pixels); nothing for any other file.
// The spans point into file.
std::optional<PngChunks> readPngChunks(std::span<const std::uint8_t> file);

// The inflated lines (a filter byte, then the line) as width x height straight RGBA pixels
// written to rgba (4 bytes a pixel); false when they are too short, a line's filter is unknown
// or a palette index lies beyond the palette.
bool expandPngLines(const PngChunks& png, std::span<const std::uint8_t> lines, std::uint8_t* rgba);

}  // namespace zn::web
