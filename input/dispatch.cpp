#include "input/dispatch.h"

namespace zn {

std::optional<Control> clickAreaControl(ImageId id) {
    if (id == img::btn_power_top) return Control::Power;
    if (id == img::btn_select_top) return Control::Select;
    if (id == img::btn_start_top) return Control::Start;
    if (id == img::btn_ctrlr_overlay_up) return Control::Up;
    if (id == img::btn_ctrlr_overlay_left) return Control::Left;
    if (id == img::btn_ctrlr_overlay_right) return Control::Right;
    if (id == img::btn_ctrlr_overlay_down) return Control::Down;
    return std::nullopt;
}

void KeyDispatch::keyDown(const InpKeys& keys, std::uint16_t code, InputOperations& ops) {
    if (code == 0) return;
    for (int i = 1; i <= kBindingCount; ++i)
        if (keys[static_cast<std::size_t>(i)].Key_Code == code) {
            ops.press(static_cast<Control>(i));
            return;
        }
}

void KeyDispatch::keyUp(const InpKeys& keys, std::uint16_t code, bool autoRepeat, InputOperations& ops) {
    if (code == 0 || autoRepeat) return;
    for (int i = 2; i <= kBindingCount; ++i)
        if (keys[static_cast<std::size_t>(i)].Key_Code == code) {
            ops.release(static_cast<Control>(i));
            return;
        }
}

void KeyDispatch::mouseDown(ImageId area, Qt::MouseButton button, InputOperations& ops) {
    if (button != Qt::LeftButton) return;
    if (const auto c = clickAreaControl(area)) ops.press(*c);
}

void KeyDispatch::mouseUp(ImageId area, Qt::MouseButton button, InputOperations& ops) {
    if (button != Qt::LeftButton) return;
    if (const auto c = clickAreaControl(area); c && *c != Control::Power) ops.release(*c);
}

}  // namespace zn
