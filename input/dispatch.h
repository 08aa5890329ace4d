#pragma once
// Key and mouse input of the seven controls, turned into press and release operations.
// Key events arrive as virtual-key codes (keytable.h translates Qt's keys); mouse events
// as the click area (an image) and the button.
#include <Qt>
#include <optional>

#include "engine/images.h"
#include "controls/controls.h"
#include "input/keytable.h"

namespace zn {

// The control whose click area is the image, if it is one of the seven.
std::optional<Control> clickAreaControl(ImageId id);

class KeyDispatch {
public:
    // FormKeyDown: the first of bindings 1..7 whose code equals the key's is pressed.
    // Auto-repeated presses count as presses.
    static void keyDown(const InpKeys& keys, std::uint16_t code, InputOperations& ops);
    // FormKeyUp: the first of bindings 2..7 whose code equals the key's is released.
    // Auto-repeated releases (the platform's half of a repeat pair) are ignored.
    static void keyUp(const InpKeys& keys, std::uint16_t code, bool autoRepeat, InputOperations& ops);
    // Mouse-down and mouse-up on a click area: left button only; power has no mouse-up.
    static void mouseDown(ImageId area, Qt::MouseButton button, InputOperations& ops);
    static void mouseUp(ImageId area, Qt::MouseButton button, InputOperations& ops);
};

}  // namespace zn
