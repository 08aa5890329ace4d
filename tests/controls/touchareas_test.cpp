// A finger on the form's rectangles: the overlay arrows' disc, the arrow it rocks to, the margin.
#include "controls/touchareas.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace zn {
namespace {

int number(std::optional<Control> c) { return c ? static_cast<int>(*c) : 0; }

TEST(TouchAreas, AFingerRocksTheJoystickAndALongPressNeedsAFingertipsDistance) {
    std::map<ImageId, TouchRect> shown = {
        {img::btn_power_top, {113, 590, 49, 57}},          {img::btn_start_top, {284, 583, 51, 63}},
        {img::btn_ctrlr_overlay_up, {500, 501, 48, 48}},   {img::btn_ctrlr_overlay_left, {450, 554, 48, 48}},
        {img::btn_ctrlr_overlay_right, {551, 553, 48, 48}}, {img::btn_ctrlr_overlay_down, {500, 605, 48, 48}}};
    const auto rectOf = [&shown](ImageId id) { return shown.count(id) ? std::optional(shown[id]) : std::nullopt; };
    // The disc's rim passes the up and down arrows' far corners; its dead centre stops at the
    // left and right arrows' inner edges, 26.5 from the middle.
    const double cx = 524.5, cy = 577, rim = std::hypot(24.5, 76.0), margin = 30;
    // Expected: on the joystick, the direction held, the control pressed, where a finger holding
    // the disc has rocked it, near a control (controls as numbers, 0: none).
    const std::tuple<const char*, double, double, std::optional<Control>, std::array<int, 5>> cases[] = {
        {"a thumb resting in the middle", cx - 26, cy, {}, {1, 0, 0, 0, 1}},
        {"the up arrow", cx, 525, Control::Up, {1, 4, 0, 4, 1}},
        {"the rim below", cx, cy + rim - 0.5, {}, {1, 7, 0, 7, 1}},
        {"past the rim, within a fingertip", cx, cy - rim - margin + 1, {}, {0, 0, 0, 4, 1}},
        {"past the rim and the fingertip", cx, cy - rim - margin - 1, {}, {0, 0, 0, 4, 0}},
        {"power", 130, 600, Control::Power, {0, 0, 1, 5, 1}},
        {"a fingertip right of start", 335 + margin, 600, {}, {0, 0, 0, 5, 1}},
        {"beyond it", 335 + margin + 1, 600, {}, {0, 0, 0, 5, 0}},
    };
    for (const auto& [what, x, y, topmost, expected] : cases) {
        const TouchAt at = touchAt(rectOf, topmost, x, y, margin);
        const std::array<int, 5> got = {at.onJoystick, number(at.direction), number(at.control), number(at.rocked),
                                        at.nearControl};
        EXPECT_EQ(got, expected) << what;
    }
    // Overlays off: no disc, but a thumb on the pictured joystick opens no menu either.
    shown.erase(img::btn_ctrlr_overlay_up);
    shown[img::btn_joystick_top] = {456, 500, 132, 156};
    EXPECT_TRUE(touchAt(rectOf, {}, cx, cy, margin).nearControl && !touchAt(rectOf, {}, cx, cy, margin).onJoystick);
    EXPECT_FALSE(touchAt(rectOf, {}, 588 + margin + 1, cy, margin).nearControl);
}

}  // namespace
}  // namespace zn
