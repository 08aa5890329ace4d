// The zoom the windowed device takes on a screen: the rule on its own, with the default
// skin's 692 x 747 game area, and the window sizes it reckons with against the surface's.
#include "ui/zoomfit.h"

#include <gtest/gtest.h>

#include "display/surface.h"

namespace zn {
namespace {

constexpr PixelSize kSkin{692, 747};
constexpr int kStep = 25;

struct FitCase {
    int chosen;
    PixelSize area;  // the screen's free area
    int inForce;
};

class ZoomInForce : public ::testing::TestWithParam<FitCase> {};

TEST_P(ZoomInForce, IsTheLargestStepUpToTheChoiceThatFitsButNeverBelowTheOwnSize) {
    const FitCase c = GetParam();
    const int z = zoomInForce(c.chosen, kStep, c.area, [](int p) { return zoomedSize(kSkin, p); });
    EXPECT_EQ(z, c.inForce) << c.chosen << " % on " << c.area.width << " x " << c.area.height;
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ZoomInForce,
    ::testing::Values(
        // 1920 x 1080: 125 % is 865 x 934; 150 % (1038 x 1121) is too tall
        FitCase{200, {1920, 1080}, 125}, FitCase{150, {1920, 1080}, 125}, FitCase{400, {1920, 1080}, 125},
        FitCase{125, {1920, 1080}, 125}, FitCase{100, {1920, 1080}, 100}, FitCase{75, {1920, 1080}, 75},
        // a panel takes lines: 125 % no longer fits
        FitCase{200, {1920, 930}, 100},
        // 1280 x 800: only the own size
        FitCase{200, {1280, 800}, 100}, FitCase{125, {1280, 800}, 100}, FitCase{50, {1280, 800}, 50},
        // a tall screen: the width decides (200 % is 1384 wide)
        FitCase{400, {1400, 4000}, 200}, FitCase{400, {1383, 4000}, 175},
        // the window exactly as large as the area fits; a pixel less does not
        FitCase{125, {865, 934}, 125}, FitCase{125, {865, 933}, 100},
        // too small even for the own size: choices up to 100 % stand, larger ones become 100 %
        FitCase{300, {800, 600}, 100}, FitCase{100, {800, 600}, 100}, FitCase{75, {800, 600}, 75},
        FitCase{50, {300, 200}, 50}));

// The rule reckons with the window the surface makes at each step.
TEST(ZoomedSize, IsTheSizeTheSurfaceGivesItsWindow) {
    for (int percent = 50; percent <= 400; percent += kStep) {
        Surface s;
        s.setClientWidth(kSkin.width);
        s.setClientHeight(kSkin.height);
        s.setScale({percent / 100.0, {}, percent / 100.0});
        const PixelSize expected = zoomedSize(kSkin, percent);
        EXPECT_EQ(s.size(), QSize(expected.width, expected.height)) << percent << " %";
    }
}

}  // namespace
}  // namespace zn
