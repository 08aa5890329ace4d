// How a picture is made for another scale: from which source, at which size and by which
// means; and the pixel rules the choice rests on.
#include "ui/picturescaling.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/imageroles.h"

namespace zn {
namespace {

TEST(PictureScaling, ThePartnerAboveFullSizeTheNearestPixelsForTheKeyColourSmoothOtherwise) {
    const struct {
        const char* what;
        PixelSize picture;
        double s;
        PixelSize partner;
        bool holdsKey;   // of the source the plan picks
        bool hardEdges;
        ScalingPlan plan;
    } cases[] = {
        {"at 100 % as it is", {10, 8}, 1.0, {20, 16}, true, true, {false, {10, 8}, Scaling::AsIs}},
        {"the partner at 200 %", {10, 8}, 2.0, {20, 16}, false, false, {true, {20, 16}, Scaling::AsIs}},
        {"the partner scaled at 300 %", {10, 8}, 3.0, {20, 16}, false, false, {true, {30, 24}, Scaling::Smooth}},
        {"a partner of another size is not used", {10, 8}, 2.0, {30, 24}, false, false, {false, {20, 16}, Scaling::Smooth}},
        {"no partner below 100 %", {10, 8}, 0.5, {20, 16}, false, true, {false, {5, 4}, Scaling::SmoothHardEdges}},
        {"the key colour: nearest", {10, 8}, 1.5, {}, true, true, {false, {15, 12}, Scaling::Nearest}},
        {"never below a pixel", {3, 1}, 0.1, {}, false, false, {false, {1, 1}, Scaling::Smooth}},
        {"too large to keep", {8192, 8192}, 1.5, {}, false, false, {false, {12288, 12288}, Scaling::NotKept}},
    };
    for (const auto& c : cases) {
        const ScalingPlan plan = planScaling(
            c.picture, c.s, c.partner, [&](bool fromPartner) { return fromPartner == c.plan.fromPartner && c.holdsKey; },
            [&](bool fromPartner) { return fromPartner == c.plan.fromPartner && c.hardEdges; });
        EXPECT_EQ(plan.fromPartner, c.plan.fromPartner) << c.what;
        EXPECT_EQ(plan.size.width, c.plan.size.width) << c.what;
        EXPECT_EQ(plan.size.height, c.plan.size.height) << c.what;
        EXPECT_EQ(plan.how, c.plan.how) << c.what;
    }
}

TEST(PictureScaling, HardEdgesAreKeptFullyOpaqueOrFullyTransparent) {
    const struct {
        const char* what;
        std::vector<std::uint32_t> pixels;
        bool hard;
        bool premultiplied;
        std::vector<std::uint32_t> hardened;
    } cases[] = {
        {"an outline", {0xff102030, 0x00000000}, true, false, {0xff102030, 0x00000000}},
        {"all opaque: no outline", {0xff102030, 0xff000000}, false, false, {0xff102030, 0xff000000}},
        {"a rim, straight", {0x80102030, 0x7f102030, 0xff000001}, false, false, {0xff102030, 0x00000000, 0xff000001}},
        // 0x40 * 255 / 0x80 = 127.5 -> 128; 0x7f -> 253; 0xff -> 255 at most
        {"a rim, premultiplied", {0x80407f80, 0x01010101}, false, true, {0xff80fdff, 0x00000000}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hasHardEdges(c.pixels), c.hard) << c.what;
        std::vector<std::uint32_t> px = c.pixels;
        hardenEdges(px, c.premultiplied);
        EXPECT_EQ(px, c.hardened) << c.what;
        EXPECT_EQ(holdsPixel(c.pixels, c.pixels.back()), true) << c.what;
        EXPECT_EQ(holdsPixel(c.pixels, 0x12345678), false) << c.what;
    }
}

TEST(ImageRoles, EachImageShowsWhatBothFrontEndsShowThere) {
    const int ghost = index(img::im_ghost_02_01);
    const struct {
        ImageId id;
        bool overlays, gameShows;
        FrontEndShowing expected;
    } cases[] = {
        {img::im_backdrop, false, true, {kAsLaidOut, index(img::im_backdrop)}},
        {img::im_backdrop_logo, true, false, {kAsLaidOut, index(img::im_backdrop_logo)}},
        {img::btn_game_menu_top, false, true, {kAsLaidOut, kAsLaidOut}},
        {img::btn_game_menu_background, true, true, {kAsLaidOut, kAsLaidOut}},
        {img::im_background, false, false, {1, ghost}},
        {img::btn_start_top, true, false, {1, ghost}},
        {img::btn_joystick_top, false, false, {1, index(img::btn_joystick_top)}},
        {img::btn_joystick_top, true, true, {0, index(img::btn_joystick_top)}},
        {img::btn_ctrlr_overlay_left, true, false, {1, index(img::btn_ctrlr_overlay_left)}},
        {img::btn_ctrlr_overlay_down, false, true, {0, index(img::btn_ctrlr_overlay_down)}},
        {img::im_ghost_02_01, false, true, {1, ghost}},
        {img::btn_power_on, true, false, {0, ghost}},
    };
    for (const auto& c : cases) {
        const FrontEndShowing s = frontEndShowing(c.id, c.overlays, c.gameShows, ghost);
        EXPECT_EQ(s.shown, c.expected.shown) << imageName(c.id);
        EXPECT_EQ(s.pictureOf, c.expected.pictureOf) << imageName(c.id);
    }
}

}  // namespace
}  // namespace zn
