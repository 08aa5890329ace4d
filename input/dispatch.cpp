#include "input/dispatch.h"

namespace zn {

void KeyDispatch::keyDown(const InpKeys& keys, std::uint16_t code, InputOperations& ops) {
    if (const auto c = controlPressedByKey(keys, code)) ops.press(*c);
}

void KeyDispatch::keyUp(const InpKeys& keys, std::uint16_t code, bool autoRepeat, InputOperations& ops) {
    if (autoRepeat) return;
    if (const auto c = controlReleasedByKey(keys, code)) ops.release(*c);
}

void KeyDispatch::mouseDown(ImageId area, Qt::MouseButton button, InputOperations& ops) {
    if (button != Qt::LeftButton) return;
    if (const auto c = clickAreaControl(area)) ops.press(*c);
}

void KeyDispatch::mouseUp(ImageId area, Qt::MouseButton button, InputOperations& ops) {
    if (button != Qt::LeftButton) return;
    if (const auto c = clickAreaControl(area); c && hasRelease(*c)) ops.release(*c);
}

}  // namespace zn
