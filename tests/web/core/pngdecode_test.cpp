// PNG files read as the desktop reads them: each colour type and bit depth this reader takes,
// each filter, tRNS, and the files it leaves to another decoder or finds broken. The lines
// are given inflated, as the page hands them over after the browser inflated them.
#include "web/core/pngdecode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A chunk (its checksum is not read: four zero bytes).
void chunk(Bytes& file, const char* type, const Bytes& data) {
    put32(file, static_cast<std::uint32_t>(data.size()));
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    put32(file, 0);
}

Bytes pngFile(int width, int height, int depth, int colourType, const Bytes& palette = {}, const Bytes& trns = {},
              int interlace = 0) {
    Bytes file{137, 80, 78, 71, 13, 10, 26, 10};
    Bytes header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colourType), 0, 0,
                                 static_cast<std::uint8_t>(interlace)});
    chunk(file, "IHDR", header);
    if (!palette.empty()) chunk(file, "PLTE", palette);
    if (!trns.empty()) chunk(file, "tRNS", trns);
    chunk(file, "IDAT", {1, 2, 3});
    chunk(file, "IDAT", {4, 5});
    chunk(file, "IEND", {});
    return file;
}

TEST(PngDecode, EachColourTypeDepthAndFilterGivesTheFilesOwnPixels) {
    const struct {
        const char* what;
        Bytes file;
        Bytes lines;  // each line: its filter, then the filtered bytes
        Bytes rgba;   // empty: broken
    } cases[] = {
        {"RGBA, Sub then Up", pngFile(2, 2, 8, 6),
         {1, 10, 20, 30, 255, 5, 5, 5, 129, 2, 247, 238, 229, 5, 246, 237, 228, 136},
         {10, 20, 30, 255, 15, 25, 35, 128, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"RGB with a key colour in tRNS, Average", pngFile(2, 1, 8, 2, {}, {0, 255, 0, 0, 0, 255}),
         {3, 255, 0, 255, 139, 20, 159},
         {255, 0, 255, 0, 10, 20, 30, 255}},
        {"grey with tRNS, None then Paeth", pngFile(3, 2, 8, 0, {}, {0, 100}),
         {0, 0, 100, 200, 4, 50, 0, 50},
         {0, 0, 0, 255, 100, 100, 100, 0, 200, 200, 200, 255, 50, 50, 50, 255, 100, 100, 100, 0, 250, 250, 250, 255}},
        {"Paeth on the first line takes the left neighbour", pngFile(2, 1, 8, 0), {4, 9, 3},
         {9, 9, 9, 255, 12, 12, 12, 255}},
        {"grey and alpha", pngFile(1, 1, 8, 4), {0, 7, 9}, {7, 7, 7, 9}},
        {"a palette of 2 bits with tRNS", pngFile(3, 1, 2, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0x80}), {0, 0x84},
         {7, 8, 9, 255, 1, 2, 3, 0x80, 4, 5, 6, 255}},
        {"a palette of 1 bit over two bytes, Sub", pngFile(9, 1, 1, 3, {0, 0, 0, 255, 255, 255}), {1, 0x81, 0xff},
         {255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255,
          255, 255, 255, 255, 255, 255, 255, 255}},
        {"broken: an index beyond the palette", pngFile(1, 1, 8, 3, {1, 2, 3}), {0, 1}, {}},
        {"broken: an unknown filter", pngFile(1, 1, 8, 4), {5, 7, 9}, {}},
        {"broken: lines cut short", pngFile(1, 2, 8, 4), {0, 7, 9, 0}, {}},
    };
    for (const auto& c : cases) {
        const auto png = zn::web::readPngChunks(c.file);
        ASSERT_TRUE(png) << c.what;
        Bytes rgba(static_cast<std::size_t>(png->width * png->height * 4));
        const bool read = zn::web::expandPngLines(*png, c.lines, rgba.data());
        EXPECT_EQ(read, !c.rgba.empty()) << c.what;
        if (read) {
            EXPECT_EQ(rgba, c.rgba) << c.what;
        }
    }
}

TEST(PngDecode, FilesOfOtherKindsAreLeftToAnotherDecoder) {
    Bytes notPng = pngFile(1, 1, 8, 6);
    notPng[1] = 'Q';
    Bytes cut = pngFile(4, 4, 8, 6);
    cut.resize(cut.size() - 12 - 4 - 1);  // ends inside the second IDAT's data
    const struct {
        const char* what;
        Bytes file;
        int parts;  // -1: not read
    } cases[] = {
        {"two IDAT chunks", pngFile(4, 4, 8, 6), 2},
        {"a palette of 8 bits", pngFile(4, 4, 8, 3, {0, 0, 0}), 2},
        {"the last chunk cut short", cut, 2},
        {"not a PNG", notPng, -1},
        {"interlaced", pngFile(4, 4, 8, 6, {}, {}, 1), -1},
        {"16 bits a channel", pngFile(4, 4, 16, 2), -1},
        {"a palette of 3 bits", pngFile(4, 4, 3, 3), -1},
        {"an unknown colour type", pngFile(4, 4, 8, 5), -1},
        {"too many pixels", pngFile(8193, 4096, 8, 6), -1},
        {"no pixels", pngFile(0, 4, 8, 6), -1},
    };
    for (const auto& c : cases) {
        const auto png = zn::web::readPngChunks(c.file);
        EXPECT_EQ(png ? static_cast<int>(png->data.size()) : -1, c.parts) << c.what;
    }
}

}  // namespace
