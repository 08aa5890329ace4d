#include "settings/settingrules.h"

#include <limits>

namespace zn {
namespace {

// The blanks QString::trimmed takes away, which the store's values were read with: Unicode's
// space, line and paragraph separators, tab to carriage return, and next line.
constexpr bool isBlank(char32_t c) {
    return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length in bytes of the code point at the start of text when it is a blank, else 0.
// Every blank takes at most three bytes; an overlong form is no blank.
std::size_t blankAtStart(std::string_view t) {
    if (t.empty()) return 0;
    const auto b0 = static_cast<unsigned char>(t[0]);
    char32_t c = 0;
    std::size_t length = 0;
    if (b0 < 0x80) {
        c = b0;
        length = 1;
    } else if ((b0 & 0xE0) == 0xC0 && t.size() >= 2 && continuation(t[1])) {
        c = static_cast<char32_t>((b0 & 0x1F) << 6 | (static_cast<unsigned char>(t[1]) & 0x3F));
        length = c >= 0x80 ? 2 : 0;
    } else if ((b0 & 0xF0) == 0xE0 && t.size() >= 3 && continuation(t[1]) && continuation(t[2])) {
        c = static_cast<char32_t>((b0 & 0x0F) << 12 | (static_cast<unsigned char>(t[1]) & 0x3F) << 6 |
                                  (static_cast<unsigned char>(t[2]) & 0x3F));
        length = c >= 0x800 ? 3 : 0;
    }
    return length != 0 && isBlank(c) ? length : 0;
}

// The length in bytes of the blank that ends text, else 0.
std::size_t blankAtEnd(std::string_view t) {
    for (std::size_t length = 1; length <= 3 && length <= t.size(); ++length)
        if (blankAtStart(t.substr(t.size() - length)) == length) return length;
    return 0;
}

}  // namespace

std::optional<int> storedInteger(std::string_view t) {
    while (const std::size_t n = blankAtStart(t)) t.remove_prefix(n);
    while (const std::size_t n = blankAtEnd(t)) t.remove_suffix(n);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        negative = t[i] == '-';
        ++i;
    }
    if (i == t.size()) return std::nullopt;
    // Accumulated as a negative number so that the smallest int fits.
    long long value = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 - (c - '0');
        if (value < std::numeric_limits<int>::min()) return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    return static_cast<int>(value);
}

int storedValueOr(std::optional<std::string_view> utf8, int fallback) {
    if (!utf8) return fallback;
    return storedInteger(*utf8).value_or(fallback);
}

int storedSetting(Setting s, std::optional<std::string_view> utf8) {
    const SettingInfo& info = settingInfo(s);
    const int value = storedValueOr(utf8, info.defaultValue);
    switch (s) {
        case Setting::Zoom:
            return zoomPercentFrom(value);
        case Setting::Speed:
            return speedPercentFrom(value);
        case Setting::Volume:  // an absurd volume is no volume chosen
            return value >= info.low && value <= info.high ? value : info.defaultValue;
        default:
            return value;
    }
}

}  // namespace zn
