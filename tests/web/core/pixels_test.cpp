// The canvas's composing: premultiplying and blending round as the desktop's raster engine
// (x * a / 255 as (t + (t >> 8) + 128) >> 8), a picture is drawn clipped, and the key colour
// is cleared only where asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "web/core/pixels.h"

namespace {

using zn::web::Compositor;
using zn::web::PixelRect;

std::uint32_t rgba(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a) {
    return r | g << 8 | b << 16 | a << 24;
}

std::uint32_t mul(std::uint32_t x, std::uint32_t a) {
    const std::uint32_t t = x * a;
    return (t + (t >> 8) + 0x80) >> 8;
}

std::vector<std::uint32_t> frameOf(Compositor& c) {
    return {c.frame(), c.frame() + static_cast<std::size_t>(c.frameWidth()) * c.frameHeight()};
}

TEST(Pixels, PremultiplyingAndBlendingRoundAsTheDesktop) {
    const std::vector<std::uint32_t> alphas = {0, 1, 77, 128, 200, 254, 255};
    const std::vector<std::uint32_t> channels = {0, 1, 2, 90, 127, 128, 200, 254, 255};
    Compositor c;
    c.resizeFrame(1, 1);
    for (std::uint32_t a : alphas)
        for (std::uint32_t v : channels) {
            const int id = c.addPicture(1, 1);
            *c.pixels(id) = rgba(v, 255 - v, v / 2, a);
            EXPECT_EQ(c.premultiply(id), a != 0 && a != 255);
            EXPECT_EQ(*c.pixels(id), a == 0 ? 0 : rgba(mul(v, a), mul(255 - v, a), mul(v / 2, a), a))
                << "channel " << v << " alpha " << a;

            c.fill({0, 0, 1, 1}, rgba(255 - v, v, 33, 255));
            c.draw(id, 0, 0, 1, 1, {0, 0, 1, 1});
            EXPECT_EQ(*c.frame(), rgba(mul(v, a) + mul(255 - v, 255 - a), mul(255 - v, a) + mul(v, 255 - a),
                                       mul(v / 2, a) + mul(33, 255 - a), 255))
                << "channel " << v << " alpha " << a;
            c.removePicture(id);
        }
}

TEST(Pixels, APictureIsDrawnInsideItsClipAndTheFrame) {
    const std::uint32_t bg = rgba(1, 2, 3, 255);
    const std::uint32_t p = rgba(9, 9, 9, 255);
    struct Case {
        int x, y, w, h;
        PixelRect clip;
        std::vector<std::uint32_t> want;  // the 3 x 2 frame
    };
    const std::vector<Case> cases = {
        {0, 0, 2, 2, {0, 0, 3, 2}, {p, p, bg, p, p, bg}},
        {1, 0, 2, 2, {0, 0, 2, 1}, {bg, p, bg, bg, bg, bg}},       // clipped
        {2, 1, 2, 2, {0, 0, 3, 2}, {bg, bg, bg, bg, bg, p}},       // past the frame's edge
        {-1, -1, 2, 2, {-5, -5, 10, 10}, {p, bg, bg, bg, bg, bg}},  // before its corner
        {0, 0, 5, 5, {0, 0, 3, 2}, {p, p, bg, p, p, bg}},          // no more than the picture
        {0, 0, 2, 2, {3, 0, 1, 1}, {bg, bg, bg, bg, bg, bg}},      // a clip outside the frame
    };
    Compositor c;
    c.resizeFrame(3, 2);
    const int id = c.addPicture(2, 2);
    std::fill(c.pixels(id), c.pixels(id) + 4, p);
    for (const Case& k : cases) {
        c.fill({0, 0, 3, 2}, bg);
        c.draw(id, k.x, k.y, k.w, k.h, k.clip);
        EXPECT_EQ(frameOf(c), k.want) << k.x << "," << k.y;
    }
    // A transparent pixel leaves what is below; a removed picture draws nothing.
    c.pixels(id)[0] = 0;
    c.fill({0, 0, 3, 2}, bg);
    c.draw(id, 0, 0, 2, 2, {0, 0, 3, 2});
    EXPECT_EQ(frameOf(c), (std::vector<std::uint32_t>{bg, p, bg, p, p, bg}));
    c.removePicture(id);
    c.fill({0, 0, 3, 2}, bg);
    c.draw(id, 0, 0, 2, 2, {0, 0, 3, 2});
    EXPECT_EQ(frameOf(c), std::vector<std::uint32_t>(6, bg));
    EXPECT_EQ(c.addPicture(-1, 2), 0);
    EXPECT_EQ(c.addPicture(1 << 13, 1 << 13), 0);
}

TEST(Pixels, TheKeyColourIsClearedInsideTheRectangleOnly) {
    const std::uint32_t key = rgba(255, 0, 255, 255);
    const std::uint32_t other = rgba(255, 0, 254, 255);
    Compositor c;
    c.resizeFrame(3, 1);
    c.fill({0, 0, 3, 1}, key);
    c.frame()[1] = other;
    c.clearKey({1, 0, 5, 1}, key);
    EXPECT_EQ(frameOf(c), (std::vector<std::uint32_t>{key, other, 0}));
}

// Scaled by the nearest pixels: each pixel of the new picture is the source pixel under its
// centre, so a key-coloured pixel stays exactly that colour.
TEST(Pixels, NearestScalingTakesThePixelUnderEachCentre) {
    const std::uint32_t a = rgba(255, 0, 255, 255), b = rgba(1, 2, 3, 255);
    const struct {
        int width, height;
        std::vector<std::uint32_t> want;
    } cases[] = {
        {4, 1, {a, a, b, b}},
        {3, 2, {a, b, b, a, b, b}},
        {1, 1, {b}},  // the centre of 2 x 1 lies on the second pixel
        {2, 3, {a, b, a, b, a, b}},
    };
    Compositor c;
    const int id = c.addPicture(2, 1);
    c.pixels(id)[0] = a;
    c.pixels(id)[1] = b;
    for (const auto& k : cases) {
        const int scaled = c.scaleNearest(id, k.width, k.height);
        ASSERT_NE(scaled, 0);
        EXPECT_EQ(std::vector<std::uint32_t>(c.pixels(scaled), c.pixels(scaled) + k.want.size()), k.want) << k.width;
    }
    EXPECT_EQ(c.scaleNearest(id, 0, 1), 0);
    EXPECT_EQ(c.scaleNearest(99, 1, 1), 0);
}

// Halved: the even pixels of the even lines, a partly transparent one keeping its straight
// colour; an odd size rounds down, and a picture under 2 x 2 gives none.
TEST(Pixels, HalvingKeepsTheEvenPixelsOfTheEvenLines) {
    const std::uint32_t a = rgba(10, 20, 30, 255), b = rgba(200, 100, 50, 128), o = rgba(1, 1, 1, 255);
    Compositor c;
    const int id = c.addPicture(5, 3);
    const std::uint32_t source[] = {a, o, b, o, a, o, o, o, o, o, b, o, a, o, b};
    std::copy(std::begin(source), std::end(source), c.pixels(id));
    c.premultiply(id);
    const int half = c.halved(id);
    ASSERT_EQ(c.sizeOf(half).width, 2);
    ASSERT_EQ(c.sizeOf(half).height, 1);
    EXPECT_EQ(std::vector<std::uint32_t>(c.straight(half), c.straight(half) + 2), (std::vector<std::uint32_t>{a, b}));
    const int tiny = c.addPicture(1, 4);
    EXPECT_EQ(c.halved(tiny), 0);
    EXPECT_EQ(c.halved(99), 0);
}

// The straight pixels a partly transparent picture was made from stay as they were (its
// premultiplied ones lost precision); a picture without such pixels gives its own back.
TEST(Pixels, AStraightPictureKeepsItsStraightPixels) {
    const struct {
        std::vector<std::uint32_t> straight;
        std::vector<std::uint32_t> back;
    } cases[] = {
        {{rgba(1, 2, 3, 130), rgba(9, 9, 9, 255)}, {rgba(1, 2, 3, 130), rgba(9, 9, 9, 255)}},
        {{rgba(9, 8, 7, 0), rgba(9, 9, 9, 255)}, {0, rgba(9, 9, 9, 255)}},
    };
    Compositor c;
    for (const auto& k : cases) {
        const int id = c.addPicture(2, 1);
        std::copy(k.straight.begin(), k.straight.end(), c.pixels(id));
        c.premultiply(id);
        EXPECT_EQ(std::vector<std::uint32_t>(c.straight(id), c.straight(id) + 2), k.back);
    }
    // Hardened, it is opaque or transparent only: its own pixels, unpremultiplied.
    const int id = c.addPicture(1, 1);
    c.pixels(id)[0] = rgba(0x40, 0x7f, 0x80, 0x80);  // premultiplied
    c.hardenEdges(id);
    EXPECT_EQ(c.straight(id)[0], rgba(0x80, 0xfd, 0xff, 0xff));
}

}  // namespace
