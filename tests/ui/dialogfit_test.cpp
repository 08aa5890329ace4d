#include "ui/dialogfit.h"

#include <gtest/gtest.h>

namespace zn::ui {
namespace {

// A client area of 448 x 200 makes a window of 450 x 226 (caption bar and borders).
TEST(DialogFit, CentresAndScalesDownToFitTheViewport) {
    struct Case {
        const char* what;
        double vw, vh;
        int left, top;
        double scale;
    };
    const Case cases[] = {
        {"room enough: centred, unscaled", 1280, 800, 415, 287, 1.0},
        {"a half pixel rounds upwards", 1001, 800, 276, 287, 1.0},
        {"a narrow phone: scaled to its width less the margins", 390, 844, 8, 328, 374.0 / 450},
        {"a low window: scaled to its height", 1280, 129, 528, 8, 0.5},
        {"no room: a tenth, past the edges, negative halves rounding upwards", 20, 20, -12, -1, 0.1},
    };
    for (const Case& c : cases) {
        const DialogFit f = dialogFit(c.vw, c.vh, 448, 200);
        EXPECT_EQ(f.left, c.left) << c.what;
        EXPECT_EQ(f.top, c.top) << c.what;
        EXPECT_DOUBLE_EQ(f.scale, c.scale) << c.what;
    }
}

}  // namespace
}  // namespace zn::ui
