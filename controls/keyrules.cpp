#include "controls/keyrules.h"

#include <cstddef>

namespace zn {
namespace {

std::optional<Control> firstBoundFrom(int first, const InpKeys& keys, std::uint16_t code) {
    if (code == 0) return std::nullopt;
    for (int i = first; i <= kBindingCount; ++i)
        if (keys[static_cast<std::size_t>(i)].Key_Code == code) return static_cast<Control>(i);
    return std::nullopt;
}

}  // namespace

void AssignWord(InpKeys& keys, int i) {
    if (i < 1 || i > kBindingCount) return;
    KeyBinding& b = keys[static_cast<std::size_t>(i)];
    if (isKeyIndex(b.Key_Index)) b.Key_Code = keyTableEntry(b.Key_Index).code;
}

std::optional<Control> controlPressedByKey(const InpKeys& keys, std::uint16_t code) {
    return firstBoundFrom(static_cast<int>(Control::Power), keys, code);
}

std::optional<Control> controlReleasedByKey(const InpKeys& keys, std::uint16_t code) {
    return firstBoundFrom(static_cast<int>(Control::Select), keys, code);
}

std::array<bool, kBindingCount + 1> keyConflicts(const std::array<int, kBindingCount + 1>& shownIndex) {
    // The dialog texts of the key table are all different, so equal indices are equal texts.
    const auto shown = [&](std::size_t i) { return isKeyIndex(shownIndex[i]) ? shownIndex[i] : 0; };
    std::array<bool, kBindingCount + 1> conflict{};
    for (std::size_t j = 1; j <= kBindingCount; ++j)
        for (std::size_t k = j + 1; k <= kBindingCount; ++k)
            if (shown(j) == shown(k)) conflict[j] = conflict[k] = true;
    return conflict;
}

}  // namespace zn
