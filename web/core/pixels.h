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
#include <span>
#include <vector>

#include "ui/zoomfit.h"

namespace zn::web {

using zn::PixelSize;

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
    // Its size; 0 x 0 for no picture.
    PixelSize sizeOf(int id) const;
    void removePicture(int id);
    // The picture's pixels, straight RGBA, premultiplied (see premultiply()). A picture with
    // partly transparent pixels keeps its straight pixels too, for straight().
    bool premultiply(int id);
    // The picture's straight RGBA pixels (those it was made from, or its own unpremultiplied),
    // kept with the picture; null for no picture.
    const std::uint32_t* straight(int id);

    // A new picture: the picture scaled to width x height by its nearest pixels, so that a
    // pixel of the key colour stays exactly that colour (0: no picture, or too large).
    int scaleNearest(int id, int width, int height);
    // A new picture of half the size (rounded down), from the picture's even pixels of its even
    // lines: a quick stand-in, made while the picture of that size is still to come (0: no
    // picture, or one of less than 2 x 2 pixels).
    int halved(int id);
    // The rules of ui/picturescaling.h over the picture's pixels.
    bool holdsPixel(int id, std::uint32_t pixel) const;
    bool hasHardEdges(int id) const;
    void hardenEdges(int id);

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
        std::unique_ptr<std::uint32_t[]> straight;
        // Some pixel is neither fully opaque nor fully transparent (true while not known): only
        // then do the straight pixels differ from the premultiplied ones.
        bool partlyTransparent = true;
        std::size_t count() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
    };
    Picture* picture(int id);
    const Picture* picture(int id) const;
    PixelRect onFrame(PixelRect r) const;

    std::vector<std::uint32_t> frame_;
    int width_ = 0;
    int height_ = 0;
    std::vector<Picture> pictures_;  // id - 1
};

}  // namespace zn::web
