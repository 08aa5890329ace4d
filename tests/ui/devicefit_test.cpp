// Where the device lies scaled: the full screen's fit (with the default skin's 692 x 747 game
// area centred on the screen as the skin set-up centres it), rectangles mapped by their edges,
// and the page's scale for each display mode.
#include "ui/devicefit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zn {
namespace {

struct FitCase {
    const char* what;
    PixelSize client;
    PixelRect area;
    PixelRect keepClear;
    double game;
    double left;  // where the area's left edge lands
    double top;
};

TEST(DeviceFit, TheGameAreaFillsTheClientCentredAndStopsShortOfTheLogo) {
    const PixelRect hd{614, 166, 692, 747};
    const FitCase cases[] = {
        {"by the height", {1920, 1080}, hd, {}, 1080.0 / 747, (1920 - 692 * 1080.0 / 747) / 2, 0},
        {"ultra HD", {3840, 2160}, {1574, 706, 692, 747}, {}, 2160.0 / 747, (3840 - 692 * 2160.0 / 747) / 2, 0},
        {"a wide area, by its width", {1920, 1080}, {0, 0, 960, 200}, {}, 2.0, 0, (1080 - 400) / 2.0},
        // its right edge at the logo's left: the side that leaves it largest
        {"a logo top right", {1920, 1080}, hd, {1387, 0, 533, 120}, (2.0 * 1387 - 1920) / 692, (1920 - 692 * ((2.0 * 1387 - 1920) / 692)) / 2, (1080 - 747 * ((2.0 * 1387 - 1920) / 692)) / 2},
        {"a small logo in the corner is not in the way", {1920, 1080}, hd, {1820, 0, 100, 50}, 1080.0 / 747, (1920 - 692 * 1080.0 / 747) / 2, 0},
        {"a logo in the middle: never below 100 %", {1920, 1080}, hd, {900, 500, 100, 100}, 1.0, 614, 166.5},
        {"no client: pixel for pixel", {0, 0}, hd, {}, 1.0, 614, 166},
    };
    for (const FitCase& c : cases) {
        const DeviceScale s = fittedScale(c.client, c.area, c.keepClear);
        EXPECT_NEAR(s.game, c.game, 1e-9) << c.what;
        EXPECT_NEAR(c.area.x * s.game + s.shiftX, c.left, 1e-6) << c.what;
        EXPECT_NEAR(c.area.y * s.game + s.shiftY, c.top, 1e-6) << c.what;
        EXPECT_EQ(s.client, 1.0) << c.what;
    }
}

TEST(DeviceFit, RectanglesAreMappedByTheirEdgesSoThatNeighboursStillMeet) {
    const DeviceScale scale{0.5, 0.25, -0.25, 1.5};
    const struct {
        PixelRect skin;
        bool game;
        PixelRect screen;
    } cases[] = {
        {{0, 0, 1, 1}, true, {0, 0, 1, 0}},  // three neighbours: [0,1) [1,1) [1,2)
        {{1, 0, 1, 1}, true, {1, 0, 0, 0}},
        {{2, 0, 1, 1}, true, {1, 0, 1, 0}},
        {{10, 10, 7, 5}, false, {15, 15, 11, 8}},  // the client's scale, without the shift
        {{1, 1, 1, 1}, false, {2, 2, 1, 1}},
        {{-1, -1, 1, 1}, false, {-2, -2, 2, 2}},  // -1.5 rounds away from zero
    };
    for (const auto& c : cases) EXPECT_EQ(mapRect(c.skin, scale, c.game), c.screen) << c.skin.x << "," << c.skin.y;
    EXPECT_EQ(scaledLength(1, 0.1), 1);  // never below a pixel
    EXPECT_EQ(scaledLength(5, 1.5), 8);
}

TEST(DeviceFit, ThePageScalesTheWholeClientInAWindowAndTheGameAreaInFullScreen) {
    const PixelSize client{692, 747}, wide{1920, 1080};
    const PixelRect area{0, 0, 692, 747}, centred{614, 166, 692, 747};
    const PixelRect logo{1387, 0, 533, 120};
    const struct {
        const char* what;
        bool fullscreen;
        std::optional<int> zoom;
        PixelSize viewport, client;
        PixelRect area;
        bool fit;
        double density;
        DeviceScale device;
        double css;
    } cases[] = {
        {"a fixed zoom", false, 150, {800, 600}, client, area, false, 2.0, {3.0, 0, 0, 3.0}, 1.5},
        {"the viewport's height", false, {}, {2000, 747 * 2}, client, area, false, 1.0, {2.0, 0, 0, 2.0}, 2.0},
        {"the viewport's width", false, {}, {346, 2000}, client, area, false, 1.0, {0.5, 0, 0, 0.5}, 0.5},
        {"full screen as placed", true, {}, {1920, 1080}, wide, centred, false, 2.0, {2.0, 0, 0, 2.0}, 1.0},
        {"full screen fitted", true, {}, {1920, 1080}, wide, centred, true, 1.0, fittedScale(wide, centred, logo), 1.0},
        {"an area larger than the screen is placed", true, {}, {600, 600}, {600, 600}, area, false, 1.0,
         placeOnScreen({600, 600}, area, logo).scale, 1.0},
    };
    for (const auto& c : cases) {
        const PageScale s = pageScale(c.fullscreen, c.zoom, c.viewport, c.client, c.area, logo, c.fit, c.density);
        EXPECT_EQ(s.device, c.device) << c.what;
        EXPECT_EQ(s.css, c.css) << c.what;
    }
}

// The default skin's game area centred by the set-up, its 533 x 120 logo top right.
TEST(DeviceFit, TheDeviceKeepsTheSkinsPlaceWhereThereIsRoomElseTheTopAndTheLogoIsWholeOrOut) {
    const struct {
        const char* what;
        PixelSize client;
        double game, left, top;  // where the area's top-left corner lands
        bool logoShown;
    } cases[] = {
        {"1280 x 800: moved left of the logo", {1280, 800}, 1.0, 747 - 692, 26, true},
        {"a phone upright: at the top, the cut logo out", {390, 844}, 390.0 / 692, 0, 0, false},
        {"a phone on its side: no room beside it", {844, 390}, 390.0 / 747, (844 - 692 * 390.0 / 747) / 2, 0, false},
        {"a narrow window: moved below the logo", {600, 1000}, 600.0 / 692, 0, 120, true},
    };
    for (const auto& c : cases) {
        const PixelRect area{(c.client.width - 692) / 2, (c.client.height - 747) / 2, 692, 747};
        const ScreenPlacement p = placeOnScreen(c.client, area, {c.client.width - 533, 0, 533, 120});
        EXPECT_NEAR(p.scale.game, c.game, 1e-9) << c.what;
        EXPECT_NEAR(std::hypot(area.x * p.scale.game + p.scale.shiftX - c.left, area.y * p.scale.game + p.scale.shiftY - c.top), 0, 1e-6) << c.what;
        EXPECT_EQ(p.logoShown, c.logoShown) << c.what;
    }
}

}  // namespace
}  // namespace zn
