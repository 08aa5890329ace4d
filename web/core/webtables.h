#pragma once
// The desktop's tables as the page reads them: the stored settings with their rules and the
// key table with its default bindings, as JSON text.
#include <optional>
#include <string>
#include <string_view>

namespace zn::web {

// [{name, kind: "bool"|"int", defaultValue, low, high}] in the order of kSettings.
std::string settingsJson();

// A stored setting by the desktop's rules, from its entry: "name" when nothing is stored under
// that name, "name=text" with the stored text (which may hold '=' itself); nullopt when no
// setting has that name. The page's own settings (Volume) are read the same way, a value out
// of their range taken as missing.
std::optional<int> storedSettingEntry(std::string_view entry);

// [{index: 1..44, dialogText, hintName, code}] in the key table's order.
std::string keyTableJson();

// The default key-table index of binding 1..7; 0 for any other binding.
int defaultKeyIndex(int binding);

}  // namespace zn::web
