#pragma once
// The key table's data, free of any toolkit: the 44 keys a control can be bound to, the
// browser's names of those keys and the default bindings. The desktop's key settings dialog and tooltips and
// the web edition's both read this one table.
#include <array>
#include <cstdint>
#include <string_view>

#include "controls/controls.h"

namespace zn {

// One bindable key: the item text of the key settings dialog, the name used in
// tooltips and the virtual-key code that key events carry.
struct KeyTableEntry {
    std::string_view dialogText;
    std::string_view hintName;
    std::uint16_t code;
};

constexpr int kKeyTableSize = 44;

// Entry i (1..44) of the key table; i outside 1..44 is a programming error, check
// with isKeyIndex first.
const KeyTableEntry& keyTableEntry(int i);
constexpr bool isKeyIndex(int i) { return i >= 1 && i <= kKeyTableSize; }

// The virtual-key code of a browser key, by its KeyboardEvent.code name (the physical key, so
// every layout works): the digit row, the letters and the specials of the key table, the left
// and right Alt, Ctrl and Shift alike; 0 for any other key, the keypad among them.
std::uint16_t webKeyCode(std::string_view code);

// Default key-table index of binding i (1..7): '1', '2', '3', up, left, right, down arrow.
constexpr std::array<int, kBindingCount + 1> kDefaultKeyIndex = {0, 2, 3, 4, 37, 39, 40, 38};

}  // namespace zn
