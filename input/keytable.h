#pragma once
// The seven bindings' tooltips and the translation of Qt key events into the Windows
// virtual-key codes the bindings hold (controls/keyrules.h): the one place where Qt's key
// events become codes. Everything here is constant data or works on values passed in;
// nothing reads the window.
#include <QString>
#include <Qt>
#include <array>
#include <cstdint>
#include <string_view>

#include "controls/controls.h"
#include "controls/keydata.h"
#include "controls/keyrules.h"

class QKeyEvent;

namespace zn {

// Inp_Key_Names [1..44] (element 0 unused).
using InpKeyNames = std::array<QString, kKeyTableSize + 1>;

// The hint names of the key table, ten digits, twenty-six letters, then the specials.
InpKeyNames fillKeyNames();

// Shown in the tooltips for a binding whose stored index names no table entry.
inline constexpr std::string_view kNoKeyHintName = "<no key>";

// The tooltip texts of the controls, as Inp_Build_Hints sets them.
struct HintTexts {
    QString power, select, start, joystick, overlayUp, overlayLeft, overlayRight, overlayDown;
};
HintTexts hintTexts(const InpKeys& keys, const InpKeyNames& names, bool deviceOff);

// The virtual-key code of a key event, or 0 when the key is not in the key table. As on
// the device's original platform, the digit row gives '0'..'9' by its position on the
// keyboard, whatever the layout types there and whether Shift is held; xKeyCode is the
// X key code of the event (the digit row is 10..19), 0 when unknown, and then a Qt digit
// key counts instead. Letters follow the layout. Keys of the numeric keypad give 0, so
// that only the main-keyboard digits match.
std::uint16_t virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, std::uint32_t xKeyCode);
// The same for an event of the running application: its native scan code is taken as
// the X key code on X11 and Wayland, which share the numbering, and ignored elsewhere.
std::uint16_t virtualKeyCode(const QKeyEvent& e);

}  // namespace zn
