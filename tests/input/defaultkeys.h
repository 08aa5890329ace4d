#pragma once
// The seven bindings as a fresh install has them: kDefaultKeyIndex, each with its key word.
#include "input/keytable.h"

namespace zn::test {

inline InpKeys defaultKeys() {
    InpKeys keys{};
    for (int i = 1; i <= kBindingCount; ++i) {
        keys[static_cast<std::size_t>(i)].Key_Index = kDefaultKeyIndex[static_cast<std::size_t>(i)];
        AssignWord(keys, i);
    }
    return keys;
}

}  // namespace zn::test
