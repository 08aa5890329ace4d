#include "input/dispatch.h"

#include <gtest/gtest.h>

#include <string>

#include "defaultkeys.h"

namespace zn {
namespace {

// Records the operations as text: "+1" a press of binding 1, "-4" a release of binding 4.
struct Recorder : InputOperations {
    std::string log;
    void press(Control c) override { log += "+" + std::to_string(static_cast<int>(c)); }
    void release(Control c) override { log += "-" + std::to_string(static_cast<int>(c)); }
};

using test::defaultKeys;

TEST(KeyDispatch, RepeatedPressesCountAndRepeatedReleasesDoNot) {
    const InpKeys keys = defaultKeys();
    Recorder r;
    // what X11 sends while '2' is held: press, (release, press) repeated, then the real release
    KeyDispatch::keyDown(keys, '2', r);
    for (int i = 0; i < 3; ++i) {
        KeyDispatch::keyUp(keys, '2', true, r);
        KeyDispatch::keyDown(keys, '2', r);
    }
    KeyDispatch::keyUp(keys, '2', false, r);
    EXPECT_EQ(r.log, "+2+2+2+2-2");
}

TEST(MouseDispatch, LeftButtonOnClickAreasOnly) {
    Recorder r;
    const ImageId areas[] = {img::btn_power_top,          img::btn_select_top,
                             img::btn_start_top,          img::btn_ctrlr_overlay_up,
                             img::btn_ctrlr_overlay_left, img::btn_ctrlr_overlay_right,
                             img::btn_ctrlr_overlay_down};
    for (ImageId a : areas) {
        KeyDispatch::mouseDown(a, Qt::RightButton, r);
        KeyDispatch::mouseUp(a, Qt::RightButton, r);
        KeyDispatch::mouseDown(a, Qt::MiddleButton, r);
        KeyDispatch::mouseUp(a, Qt::MiddleButton, r);
    }
    EXPECT_EQ(r.log, "");
    for (ImageId a : areas) {
        KeyDispatch::mouseDown(a, Qt::LeftButton, r);
        KeyDispatch::mouseUp(a, Qt::LeftButton, r);
    }
    EXPECT_EQ(r.log, "+1+2-2+3-3+4-4+5-5+6-6+7-7");
    KeyDispatch::mouseDown(img::btn_joystick_top, Qt::LeftButton, r);
    KeyDispatch::mouseUp(img::btn_joystick_top, Qt::LeftButton, r);
    EXPECT_EQ(r.log, "+1+2-2+3-3+4-4+5-5+6-6+7-7");  // no click area
}

}  // namespace
}  // namespace zn
