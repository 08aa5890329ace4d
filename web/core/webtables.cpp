#include "web/core/webtables.h"

#include "controls/keydata.h"
#include "settings/settingrules.h"
#include "web/core/jsontext.h"

namespace zn::web {

std::string settingsJson() {
    JsonText j;
    j.beginArray();
    for (const SettingInfo& s : kSettings) {
        j.beginObject()
            .key("name").value(s.name)
            .key("kind").value(s.kind == SettingKind::Bool ? "bool" : "int")
            .key("defaultValue").value(s.defaultValue)
            .key("low").value(s.low)
            .key("high").value(s.high)
            .endObject();
    }
    j.endArray();
    return j.text();
}

namespace {

// The page's own stored settings, which the desktop does not have: a value outside low..high,
// or no decimal integer, is read as the default.
struct PageSetting {
    const char* name;
    int defaultValue;
    int low;
    int high;
};
constexpr PageSetting kPageSettings[] = {
    {"Volume", 100, 0, 100},  // the page's sound volume in percent
};

}  // namespace

std::optional<int> storedSettingEntry(std::string_view entry) {
    const std::size_t equals = entry.find('=');
    const std::string_view name = entry.substr(0, equals);
    std::optional<std::string_view> text;
    if (equals != std::string_view::npos) text = entry.substr(equals + 1);
    for (const SettingInfo& s : kSettings)
        if (name == s.name) return storedSetting(s.setting, text);
    for (const PageSetting& s : kPageSettings) {
        if (name != s.name) continue;
        const int value = storedValueOr(text, s.defaultValue);
        return value >= s.low && value <= s.high ? value : s.defaultValue;
    }
    return std::nullopt;
}

std::string keyTableJson() {
    JsonText j;
    j.beginArray();
    for (int i = 1; i <= kKeyTableSize; ++i) {
        const KeyTableEntry& e = keyTableEntry(i);
        j.beginObject()
            .key("index").value(i)
            .key("dialogText").value(e.dialogText)
            .key("hintName").value(e.hintName)
            .key("code").value(static_cast<int>(e.code))
            .endObject();
    }
    j.endArray();
    return j.text();
}

int defaultKeyIndex(int binding) {
    return binding >= 1 && binding <= kBindingCount ? kDefaultKeyIndex[static_cast<std::size_t>(binding)] : 0;
}

}  // namespace zn::web
