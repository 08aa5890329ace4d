// The tables the page reads: the stored settings by the desktop's rules, the key table and
// the default bindings, as the JSON the page parses.
#include "web/core/webtables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "controls/keydata.h"
#include "settings/settingrules.h"
#include "web/core/jsontext.h"

namespace zn::web {
namespace {

TEST(WebTables, StoredSettingsFollowTheDesktopsRules) {
    struct Case {
        const char* entry;
        std::optional<int> want;
    };
    const Case cases[] = {
        {"FullscreenMode", 1},  // nothing stored: the default
        {"FullscreenMode=0", 0},
        {"FullscreenMode=", 1},  // stored empty: the default
        {"SoundMode= 2 ", 2},
        {"SoundMode=two", -1},  // no whole number: the default
        {"SoundMode==0", -1},   // the text after the first '=' is the stored one
        {"Key4=0x10", 37},
        {"Zoom=62", 50},  // brought to a step
        {"Zoom=9999", 400},
        {"Zoom", 100},
        {"zoom=100", std::nullopt},  // names are the stored ones, exactly
        {"Brightness=1", std::nullopt},
        {"Volume", 100},  // the page's own: its default, its range, else the default
        {"Volume=0", 0},
        {"Volume=37", 37},
        {"Volume=101", 100},
        {"Volume=-1", 100},
        {"Volume=loud", 100},
        {"volume=50", std::nullopt},
        {"", std::nullopt},
        {"=1", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(storedSettingEntry(c.entry), c.want) << c.entry;
}

TEST(WebTables, SettingsListTheTableInOrder) {
    const std::string json = settingsJson();
    std::size_t at = 0;
    for (const SettingInfo& s : kSettings) {
        const std::string row = std::string("{\"name\":\"") + s.name + "\",\"kind\":\"" +
                                (s.kind == SettingKind::Bool ? "bool" : "int") +
                                "\",\"defaultValue\":" + std::to_string(s.defaultValue) +
                                ",\"low\":" + std::to_string(s.low) + ",\"high\":" + std::to_string(s.high) + "}";
        const std::size_t found = json.find(row, at);
        ASSERT_NE(found, std::string::npos) << row;
        at = found + row.size();
    }
    EXPECT_EQ(json.front(), '[');
    EXPECT_EQ(json.substr(at), "]");
}

TEST(WebTables, KeyTableAndDefaultBindings) {
    const std::string json = keyTableJson();
    const char* rows[] = {
        R"({"index":1,"dialogText":"0","hintName":"'0'","code":48})",
        R"({"index":11,"dialogText":"A","hintName":"'A'","code":65})",
        R"({"index":37,"dialogText":"<UP ARROW>","hintName":"'up arrow' key","code":38})",
        R"({"index":44,"dialogText":"<SPACEBAR>","hintName":"'spacebar'","code":32}])",
    };
    for (const char* row : rows) EXPECT_NE(json.find(row), std::string::npos) << row;
    EXPECT_EQ(std::count(json.begin(), json.end(), '{'), kKeyTableSize);
    const int defaults[] = {0, 2, 3, 4, 37, 39, 40, 38, 0};  // bindings 0..8: outside 1..7 none
    for (int b = 0; b <= 8; ++b) EXPECT_EQ(defaultKeyIndex(b), defaults[b]) << "binding " << b;
}

TEST(JsonText, EscapesWhatJsonMust) {
    JsonText j;
    j.beginObject().key("a\"b").value("x\\y\n\x01").key("n").value(-5).key("t").value(true);
    j.key("l").beginArray().value(1).beginArray().endArray().value("é").endArray().endObject();
    EXPECT_EQ(j.text(), R"({"a\"b":"x\\y\u000a\u0001","n":-5,"t":true,"l":[1,[],"é"]})");
}

}  // namespace
}  // namespace zn::web
