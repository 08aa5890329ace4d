#pragma once
// The seven bindings over the key table (input/keydata.h), their tooltips and the translation
// of Qt key events into the Windows virtual-key codes the bindings hold: the one place where
// key events become codes. Everything here
// is constant data or works on values passed in; nothing reads the window.
#include <QString>
#include <Qt>
#include <array>
#include <cstdint>
#include <string_view>

#include "controls/controls.h"
#include "controls/keydata.h"

class QKeyEvent;

namespace zn {

struct KeyBinding {
    std::int32_t Key_Index = 0;  // key-table index 1..44 (any integer may come from the store)
    std::uint16_t Key_Code = 0;  // 0 matches no key event
};

// Inp_Keys [1..7] (element 0 unused) and Inp_Key_Names [1..44] (element 0 unused).
using InpKeys = std::array<KeyBinding, kBindingCount + 1>;
using InpKeyNames = std::array<QString, kKeyTableSize + 1>;

// Sets Key_Code of binding i from the table entry its Key_Index names. An index
// outside 1..44, or i outside 1..7, changes nothing.
void AssignWord(InpKeys& keys, int i);

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
