// The toolkit-free rules of the stored settings: the table, the reading of a stored text and
// the zoom's rounding. Qt appears here only to check the blanks against QString::trimmed,
// with which the store's values have always been read.
#include "settings/settingrules.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>
#include <string>

namespace zn {
namespace {

struct TextCase {
    std::string text;
    std::optional<int> value;
};

TEST(StoredInteger, ReadsDecimalTextWithBlanksAround) {
    const TextCase cases[] = {
        {"0", 0},
        {"42", 42},
        {"+7", 7},
        {"-1", -1},
        {"  \t12\r\n", 12},
        {"\xC2\xA0"
         "5\xE3\x80\x80",
         5},                             // no-break space, ideographic space
        {"\xE2\x80\xA8-3\xC2\x85", -3},  // line separator, next line
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"0002147483647", INT_MAX},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
        {"$10", std::nullopt},
        {"12a", std::nullopt},
        {"1.5", std::nullopt},
        {"\xC0\xA0"
         "1",
         std::nullopt},                  // an overlong space is no blank
        {"\xEF\xBC\x91", std::nullopt},  // a full-width digit is no digit
        {"\xE2\x80\x8B"
         "1",
         std::nullopt},  // zero-width space is no blank
        {std::string("1\0", 2), std::nullopt},
    };
    for (const TextCase& c : cases) EXPECT_EQ(storedInteger(c.text), c.value) << '"' << c.text << '"';
}

// Every code point of the basic plane is a blank around a number exactly when QString::trimmed
// takes it away.
TEST(StoredInteger, BlanksAreThoseQStringTrims) {
    int blanks = 0;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const QString around = QString(QChar(c));
        const QByteArray text = (around + QStringLiteral("9") + around).toUtf8();
        const bool trimmed = (around + QStringLiteral("9") + around).trimmed() == QStringLiteral("9");
        const std::optional<int> got = storedInteger(std::string_view(text.constData(), text.size()));
        EXPECT_EQ(got.has_value(), trimmed || (c >= U'0' && c <= U'9'))
            << std::hex << static_cast<unsigned>(c);
        blanks += trimmed;
    }
    EXPECT_GT(blanks, 20);
}

TEST(StoredValue, MissingOrMalformedTakesTheDefault) {
    const struct {
        std::optional<std::string_view> text;
        int fallback;
        int want;
    } cases[] = {
        {std::nullopt, 5, 5}, {"", 5, 5}, {"x", -1, -1}, {"0", 5, 0}, {" 8 ", 5, 8}, {"0x8", 5, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storedValueOr(c.text, c.fallback), c.want) << c.text.value_or("<none>");
}

TEST(StoredSetting, TableDefaultsAndTheZoomSpeedAndVolumeMadeValid) {
    const struct {
        Setting setting;
        std::optional<std::string_view> text;
        int want;
    } cases[] = {
        {Setting::FullscreenMode, std::nullopt, 1},
        {Setting::FullscreenFit, std::nullopt, 0},
        {Setting::SplashScreen, "2", 2},  // a flag is true for any integer but 0
        {Setting::SoundMode, std::nullopt, -1},
        {Setting::SoundMode, "7", 7},  // kept as stored: out of range means none chosen
        {Setting::Key1, "junk", 2},
        {Setting::Key4, std::nullopt, 37},
        {Setting::Key7, "45", 45},
        {Setting::Zoom, std::nullopt, kZoomDefault},
        {Setting::Zoom, "x", kZoomDefault},
        {Setting::Zoom, "62", 50},
        {Setting::Zoom, "63", 75},
        {Setting::Zoom, "387", 375},
        {Setting::Zoom, "388", 400},
        {Setting::Zoom, "-2147483648", kZoomMin},
        {Setting::Zoom, "2147483647", kZoomMax},
        {Setting::Speed, std::nullopt, 100},
        {Setting::Speed, "75", 75},
        {Setting::Speed, "60", 100},  // none of the speeds: the default, as a slower game is a choice
        {Setting::Speed, "0", 100},
        {Setting::Volume, "37", 37},
        {Setting::Volume, "101", 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storedSetting(c.setting, c.text), c.want)
            << settingInfo(c.setting).name << '=' << c.text.value_or("<none>");
}

TEST(SettingTable, NamesAreUniqueAndEachDefaultIsInItsRange) {
    std::set<std::string> names;
    for (const SettingInfo& info : kSettings) {
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        EXPECT_TRUE(inRange(info.setting, info.defaultValue)) << info.name;
        EXPECT_FALSE(inRange(info.setting, info.low - 1)) << info.name;
        EXPECT_FALSE(inRange(info.setting, info.high + 1)) << info.name;
        if (info.kind == SettingKind::Bool) {
            EXPECT_EQ(std::pair(info.low, info.high), std::pair(0, 1)) << info.name;
        }
    }
    for (int binding = 1; binding <= kKeySettingCount; ++binding)
        EXPECT_EQ(settingInfo(keySetting(binding)).name, "Key" + std::to_string(binding));
}

TEST(Speed, StepsDownAndUpStayingAtTheEnds) {
    const int down[][2] = {{100, 75}, {75, 50}, {50, 50}};
    for (const auto& [from, to] : down) EXPECT_EQ(slowerSpeed(from), to) << from;
    const int up[][2] = {{50, 75}, {75, 100}, {100, 100}};
    for (const auto& [from, to] : up) EXPECT_EQ(fasterSpeed(from), to) << from;
}

TEST(Zoom, EveryValidZoomIsItsOwnRoundingAndOnlyThose) {
    for (int z = kZoomMin - 30; z <= kZoomMax + 30; ++z) {
        EXPECT_TRUE(isZoomPercent(zoomPercentFrom(z))) << z;
        EXPECT_EQ(zoomPercentFrom(z) == z, isZoomPercent(z)) << z;
        EXPECT_LE(
            std::abs(zoomPercentFrom(std::clamp(z, kZoomMin, kZoomMax)) - std::clamp(z, kZoomMin, kZoomMax)),
            kZoomStep / 2)
            << z;
    }
}

}  // namespace
}  // namespace zn
