#pragma once
// Key and mouse input of the seven controls, turned into press and release operations by
// the rules of controls/keyrules.h and controls/clickareas.h. Key events arrive as
// virtual-key codes (keytable.h translates Qt's keys); mouse events as the click area (an
// image) and the button.
#include <Qt>

#include "controls/clickareas.h"
#include "controls/controls.h"
#include "input/keytable.h"

namespace zn {

class KeyDispatch {
public:
    // Presses the control the key works (controlPressedByKey). Auto-repeated presses count
    // as presses.
    static void keyDown(const InpKeys& keys, std::uint16_t code, InputOperations& ops);
    // Releases the control the key works (controlReleasedByKey). Auto-repeated releases (the
    // platform's half of a repeat pair) are ignored.
    static void keyUp(const InpKeys& keys, std::uint16_t code, bool autoRepeat, InputOperations& ops);
    // Mouse-down and mouse-up on a click area: left button only; power has no mouse-up.
    static void mouseDown(ImageId area, Qt::MouseButton button, InputOperations& ops);
    static void mouseUp(ImageId area, Qt::MouseButton button, InputOperations& ops);
};

}  // namespace zn
