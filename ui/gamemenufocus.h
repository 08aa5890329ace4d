#pragma once
// The game menu by keyboard: where Tab and Shift+Tab move the focus. Focus 0 is the menu's
// button, 1..n its rows, -1 nowhere in the menu. Tab steps forward and Shift+Tab back through
// the button and the rows that can be chosen (enabled commands: no separator, no disabled
// row), wrapping round through the button; a closed menu has only its button.
#include <span>

namespace zn::ui {

inline int nextGameMenuFocus(int current, bool forward, bool open, std::span<const bool> choosable) {
    const int n = open ? static_cast<int>(choosable.size()) : 0;
    const int stops = n + 1;  // the button and the rows
    int at = current < 0 || current > n ? (forward ? n : 0) : current;  // from nowhere: to either end
    for (int i = 0; i < stops; ++i) {
        at = (at + (forward ? 1 : stops - 1)) % stops;
        if (at == 0 || choosable[static_cast<std::size_t>(at - 1)]) return at;
    }
    return 0;
}

}  // namespace zn::ui
