#pragma once
// What the keys do, free of any toolkit: the seven bindings over the key table, the control a
// key's press and release work, and the key settings dialog's rule against shared keys. The
// desktop and the page translate their own key events into virtual-key codes and ask here.
#include <array>
#include <cstdint>
#include <optional>

#include "controls/controls.h"
#include "controls/keydata.h"

namespace zn {

struct KeyBinding {
    std::int32_t Key_Index = 0;  // key-table index 1..44 (any integer may come from the store)
    std::uint16_t Key_Code = 0;  // 0 matches no key event
};

// Inp_Keys [1..7] (element 0 unused).
using InpKeys = std::array<KeyBinding, kBindingCount + 1>;

// Sets Key_Code of binding i from the table entry its Key_Index names. An index
// outside 1..44, or i outside 1..7, changes nothing.
void AssignWord(InpKeys& keys, int i);

// FormKeyDown: the first of bindings 1..7 whose code is the key's. Code 0 is no key.
std::optional<Control> controlPressedByKey(const InpKeys& keys, std::uint16_t code);
// FormKeyUp: the first of bindings 2..7 whose code is the key's; power is never released.
std::optional<Control> controlReleasedByKey(const InpKeys& keys, std::uint16_t code);

// Which of the seven lists of the key settings dialog (1..7, element 0 unused) share their
// key with another list, given the key-table index each list shows. A list showing no key
// (an index outside the table) shows the empty text, and two such lists count as sharing it.
std::array<bool, kBindingCount + 1> keyConflicts(const std::array<int, kBindingCount + 1>& shownIndex);

}  // namespace zn
