#include "ui/panelplace.h"

#include <gtest/gtest.h>

#include <vector>

namespace zn::ui {
namespace {

// The panel goes where the controls (each grown by a fingertip) leave the most room.
TEST(PanelPlace, TakesTheLargestBandBesideTheControls) {
    struct Case {
        const char* what;
        int vw, vh;
        std::vector<Rect> controls;
        Rect want;
    };
    const Case cases[] = {
        {"no controls: the bottom-right corner", 1280, 800, {}, {712, 232, 560, 560}},
        {"a desktop's full screen: above the controls, where the room is largest",
         1280, 800, {{300, 520, 120, 60}, {700, 560, 240, 200}}, {712, 8, 560, 456}},
        {"a landscape phone: the wide band above", 844, 390, {{250, 200, 340, 180}}, {276, 8, 560, 136}},
        {"a phone upright, device at the top: below it", 390, 844, {{20, 300, 350, 120}}, {8, 476, 374, 360}},
        {"controls everywhere: no room at all", 200, 200, {{0, 0, 200, 200}}, {0, 0, 0, 0}},
        {"a control reaching past the viewport", 390, 844, {{-50, 700, 500, 400}}, {8, 8, 374, 560}},
    };
    for (const Case& c : cases) {
        const Rect r = panelPlace(c.vw, c.vh, c.controls, 560, 560);
        EXPECT_EQ(std::vector<int>({r.left, r.top, r.width, r.height}),
                  std::vector<int>({c.want.left, c.want.top, c.want.width, c.want.height}))
            << c.what;
    }
}

}  // namespace
}  // namespace zn::ui
