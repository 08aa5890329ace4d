// A finger on the device: the joystick's disc made from the four overlay arrows (the form's
// own rectangles), the direction a finger rocks it to, the fingertip's margin round every
// control, and the pointer's shape over each image.
#include "controls/touchareas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "controls/clickareas.h"

namespace zn {
namespace {

int number(std::optional<Control> c) { return c ? static_cast<int>(*c) : 0; }

const std::map<ImageId, TouchRect> kForm = {
    {img::btn_power_top, {113, 590, 49, 57}},         {img::btn_select_top, {192, 584, 58, 62}},
    {img::btn_start_top, {284, 583, 51, 63}},         {img::btn_joystick_top, {456, 500, 132, 156}},
    {img::btn_ctrlr_overlay_up, {500, 501, 48, 48}},  {img::btn_ctrlr_overlay_left, {450, 554, 48, 48}},
    {img::btn_ctrlr_overlay_right, {551, 553, 48, 48}}, {img::btn_ctrlr_overlay_down, {500, 605, 48, 48}},
};

// The form's images as shown with the overlays on or off.
ShownRect shown(bool overlays) {
    return [overlays](ImageId id) -> std::optional<TouchRect> {
        const auto c = clickAreaControl(id);
        const bool arrow = c && static_cast<int>(*c) >= static_cast<int>(Control::Up);
        const bool visible = id == img::btn_joystick_top ? !overlays : arrow ? overlays : true;
        const auto it = kForm.find(id);
        if (!visible || it == kForm.end()) return std::nullopt;
        return it->second;
    };
}

TEST(TouchAreas, AFingerRocksTheJoystickAndALongPressNeedsAFingertipsDistance) {
    // The disc: centred between the arrows, through the farthest corner of the up and down
    // arrows, its dead centre inside the nearer edges of the left and right ones.
    const double radius = std::hypot(24.5, 76.0), margin = 30;
    const struct {
        const char* what;
        bool overlays;
        double x, y;
        std::optional<Control> topmost;  // the click area under the finger
        bool onJoystick;
        int direction, control, rocked;  // rocked: where a finger holding the disc has slid
        bool near;
    } cases[] = {
        {"the resting thumb in the middle holds no direction", true, 524.5, 577, {}, true, 0, 0, 0, true},
        {"just inside the dead centre", true, 524.5 - 26, 577, {}, true, 0, 0, 0, true},
        {"the up arrow", true, 524, 525, Control::Up, true, 4, 0, 4, true},
        {"the left arrow's inner edge", true, 490, 577, Control::Left, true, 5, 0, 5, true},
        {"the right arrow's outer corner", true, 598, 554, Control::Right, true, 6, 0, 6, true},
        {"below, on the disc's rim", true, 524.5, 577 + radius - 0.5, {}, true, 7, 0, 7, true},
        {"past the rim: no press, but no menu", true, 524.5, 577 - radius - margin + 1, {}, false, 0, 0, 4, true},
        {"past the rim and the margin", true, 524.5, 577 - radius - margin - 1, {}, false, 0, 0, 4, false},
        {"on power", true, 130, 600, Control::Power, false, 0, 1, 5, true},
        {"between select and start", true, 267, 600, {}, false, 0, 0, 5, true},
        {"a fingertip right of start", true, 335 + margin, 600, {}, false, 0, 0, 5, true},
        {"beyond that", true, 335 + margin + 1, 600, {}, false, 0, 0, 5, false},
        {"the screen", true, 300, 200, {}, false, 0, 0, 4, false},
        {"overlays off: the pictured joystick is no control, but no menu", false, 524.5, 577, {}, false, 0, 0, 0, true},
        {"overlays off: beside it", false, 456 + 132 + margin + 1, 577, {}, false, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        const TouchAt at = touchAt(shown(c.overlays), c.topmost, c.x, c.y, margin);
        EXPECT_EQ(at.onJoystick, c.onJoystick) << c.what;
        EXPECT_EQ(number(at.direction), c.direction) << c.what;
        EXPECT_EQ(number(at.control), c.control) << c.what;
        EXPECT_EQ(number(at.rocked), c.rocked) << c.what;
        EXPECT_EQ(at.nearControl, c.near) << c.what;
    }
    EXPECT_FALSE(joystickDisc({TouchRect{0, 0, 10, 10}, {}, {20, 0, 10, 10}, {0, 20, 10, 10}}).has_value());
    EXPECT_NEAR(fingertip(3), 8 / 25.4 * 96 * 3, 1e-9);
    EXPECT_EQ(fingertip(std::nan("")), 0.0);
    EXPECT_EQ(cursorOver(img::btn_start_top), Cursor::Hand);
    EXPECT_EQ(cursorOver(img::btn_ctrlr_overlay_down), Cursor::Hand);
    EXPECT_EQ(cursorOver(img::btn_joystick_top), Cursor::Help);
    EXPECT_EQ(cursorOver(img::im_background), Cursor::Arrow);
    EXPECT_EQ(cursorOver(std::nullopt), Cursor::Arrow);
}

}  // namespace
}  // namespace zn
