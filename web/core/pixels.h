#pragma once
// The canvas's pixels, composed in the module rather than in the page's scripts: the first
// picture is composed before the browser has optimised any script, when a loop over every
// pixel of the device costs ten times what it costs in compiled code.
//
// Pixels are 32-bit words in ImageData's byte order read little-endian (A << 24 | B << 16 |
// G << 8 | R), premultiplied, rounded as the desktop's raster engine rounds: x * a / 255 as
// (t + (t >> 8) + 128) >> 8 with t = x * a.
#include <cstdint>
#include <memory>
#include <vector>

namespace zn::web {

// Straight RGBA words, premultiplied in place (a fully transparent pixel becomes 0). Returns
// true when some pixel is partly transparent.
bool premultiply(std::uint32_t* pixels, std::size_t count);

struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// The frame the canvas shows and the pictures drawn into it, each kept under a number.
class Compositor {
public:
    // A frame of width x height pixels, all 0; its pixels are at frame().
    void resizeFrame(int width, int height);
    std::uint32_t* frame() { return frame_.data(); }
    int frameWidth() const { return width_; }
    int frameHeight() const { return height_; }

    // A picture of width x height pixels (0 when either is negative or it is too large), its
    // pixels at pixels(id), not cleared, for the caller to fill.
    int addPicture(int width, int height);
    std::uint32_t* pixels(int id);
    void removePicture(int id);
    // The picture's pixels, straight RGBA, premultiplied (see premultiply()).
    bool premultiply(int id);

    // The rectangle's pixels, clipped to the frame, set to colour.
    void fill(PixelRect r, std::uint32_t colour);
    // The top-left w x h of the picture drawn with its top-left corner at (x, y), inside clip:
    // opaque pixels copied, transparent ones skipped, the others blended.
    void draw(int id, int x, int y, int w, int h, PixelRect clip);
    // The rectangle's pixels of exactly the key colour made fully transparent.
    void clearKey(PixelRect r, std::uint32_t key);

private:
    struct Picture {
        int width = -1;  // -1: a removed picture's place, free for the next
        int height = 0;
        std::unique_ptr<std::uint32_t[]> pixels;  // not cleared: the caller fills them
    };
    const Picture* picture(int id) const;
    PixelRect onFrame(PixelRect r) const;

    std::vector<std::uint32_t> frame_;
    int width_ = 0;
    int height_ = 0;
    std::vector<Picture> pictures_;  // id - 1
};

}  // namespace zn::web
