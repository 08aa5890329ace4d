#include "fuzz/ini_properties.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "skin/skinini.h"
#include "skin/skinreader.h"

namespace zn::fuzz {
namespace {

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (unsigned char c : text.substr(0, 80)) {
        if (c >= 32 && c < 127) {
            out += static_cast<char>(c);
        } else {
            static const char digits[] = "0123456789abcdef";
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out + (text.size() > 80 ? "...'" : "'");
}

// The properties of one value; empty when they hold.
std::string checkValue(std::string_view text) {
    long long expected = 0;
    const bool valid = referenceInteger(text, expected);
    const auto v = skin::parseInteger(text);
    if (valid != v.has_value() || (valid && *v != expected))
        return "parseInteger disagrees with the reference on " + quoted(text);
    if (skin::integerOr(text, 12345) != (v ? *v : 12345))
        return "integerOr ignores its default on " + quoted(text);

    const auto colour = skin::parseColour(text);
    if (colour.has_value() != v.has_value() ||
        (colour && *colour != (static_cast<std::uint32_t>(*v) & 0xFFFFFFu)))
        return "parseColour is not the low 24 bits of the integer for " + quoted(text);
    const auto offset = skin::parseOffset(text);
    if (offset.has_value() != (v.has_value() && *v != 0) || (offset && *offset != *v))
        return "parseOffset is not the non-zero integer of " + quoted(text);

    if (std::string_view(skin::notAnInteger(text)).find(text) == std::string_view::npos)
        return "notAnInteger does not name the value " + quoted(text);
    if (skin::namesPicture(text) != (!text.empty() && text != "nil"))
        return "namesPicture is wrong for " + quoted(text);

    const std::string folder = skin::folderPath(text);
    if (folder.find('\\') != std::string::npos) return "folderPath keeps a backslash in " + quoted(text);
    if (text.empty() != folder.empty() || (!folder.empty() && folder.back() != '/'))
        return "folderPath does not end a folder in one separator: " + quoted(text);
    const std::string path = skin::picturePath(folder, text);
    if (path.size() != folder.size() + text.size() || path.find('\\') != std::string::npos)
        return "picturePath is not folder + name with separators for " + quoted(text);

    const std::string ext = skin::extensionOf(text);
    for (char c : ext)
        if (c == '.' || c == '/' || c == '\\' || (c >= 'A' && c <= 'Z'))
            return "extensionOf gives more than a lower-case extension for " + quoted(text);
    if (ext.size() >= text.size() && !text.empty())
        return "extensionOf is longer than the name " + quoted(text);
    return {};
}

// The names "Image<n>" (n 1..198) that follow a "[" in the text, whatever the case and blanks.
std::vector<std::string> imageSectionsNamed(std::string_view data) {
    std::vector<std::string> names;
    for (std::size_t at = data.find('['); at != std::string_view::npos; at = data.find('[', at + 1)) {
        std::size_t i = data.find_first_not_of(" \t", at + 1);
        if (i == std::string_view::npos || data.size() - i < 6) break;
        std::string word;
        for (; i < data.size() && word.size() < 5; ++i)
            word += static_cast<char>(data[i] >= 'A' && data[i] <= 'Z' ? data[i] - 'A' + 'a' : data[i]);
        if (word != "image") continue;
        int n = 0;
        for (; i < data.size() && data[i] >= '0' && data[i] <= '9' && n <= 198; ++i) n = n * 10 + (data[i] - '0');
        if (n >= 1 && n <= 198) names.push_back(skin::slotSection(n));
    }
    return names;
}

// The skin description read from the text: every value within the range the set-up relies on,
// and a problem only where a value was replaced or means nothing.
std::string checkDescription(const skin::SkinIni& ini) {
    using skin::kMaxExtent;
    using skin::kMaxPosition;
    using Kind = skin::Problem::Kind;
    const skin::SkinDescription d = skin::readSkin(ini);
    for (const auto* v : {&d.gameWidth, &d.gameHeight})
        if (v->value < 1 || v->value > kMaxExtent) return "a game area side outside 1.." + std::to_string(kMaxExtent);
    for (const std::string* dir : {&d.skinDir, &d.backdropDir})
        if (dir->find('\\') != std::string::npos || (!dir->empty() && dir->back() != '/'))
            return "a folder that is not one: " + quoted(*dir);
    if (d.logoPosition.problem.has_value() == (d.logoPosition.value >= 0 && d.logoPosition.value <= 3) &&
        !d.logoPosition.has(Kind::NotAnInteger))
        return "LogoPosition's problem does not match its corner " + std::to_string(d.logoPosition.value);
    for (const auto* c : {&d.transpColor, &d.bgColor})
        if (c->value > 0xFFFFFFu) return "a colour with a top byte";
    const std::int32_t offsets[] = {0, INT32_MIN, INT32_MAX, d.gameOffsetX.value.value_or(0)};
    for (const skin::ImageSection& s : d.imageSections) {
        for (const auto* e : {&s.width, &s.height}) {
            if (e->value < 0 || e->value > kMaxExtent) return "an image extent outside 0.." + std::to_string(kMaxExtent);
            if (e->problem && e->problem->kind == Kind::OutOfRange && e->problem->used != e->value)
                return "an extent's problem names another value than the one used";
        }
        if (s.left.value == 0 && s.top.value == 0) continue;  // placed like every absent image
        for (std::int32_t o : offsets)
            for (const skin::Checked<int>& p : {s.placedLeft(o), s.placedTop(o)})
                if (p.value < -kMaxPosition || p.value > kMaxPosition)
                    return "an image placed outside +-" + std::to_string(kMaxPosition) + " in " + skin::slotSection(s.slot);
    }
    return {};
}

}  // namespace

bool referenceInteger(std::string_view text, long long& value) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return false;
    int sign = 1;
    if (text[i] == '+' || text[i] == '-') sign = text[i++] == '-' ? -1 : 1;
    const std::string_view rest = text.substr(i);
    int base = 10;
    std::string_view digits = rest;
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        digits = rest.substr(2);
    } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        base = 16;
        digits = rest.substr(1);
    }
    if (digits.empty()) return false;
    for (char c : digits)
        if (base == 16 ? !isHex(c) : (c < '0' || c > '9')) return false;
    const std::size_t first = digits.find_first_not_of('0');
    const std::string_view significant = first == std::string_view::npos ? "0" : digits.substr(first);
    if (significant.size() > (base == 16 ? 8u : 10u)) return false;
    long long magnitude = 0;
    std::from_chars(significant.data(), significant.data() + significant.size(), magnitude, base);
    if (base == 10) {
        value = sign * magnitude;
        return value >= INT32_MIN && value <= INT32_MAX;
    }
    // Hexadecimal names 32 bits, negated and wrapped like a register.
    const std::uint32_t bits =
        sign < 0 ? 0u - static_cast<std::uint32_t>(magnitude) : static_cast<std::uint32_t>(magnitude);
    value = static_cast<std::int32_t>(bits);
    return true;
}

std::string checkIniText(std::string_view data) {
    skin::SkinIni ini;
    const std::string error = ini.load(data);
    if (data.size() > skin::kMaxIniBytes && error.empty()) return "a text over the size limit was accepted";

    // The first line of the raw data, as if it were a value.
    const std::string_view firstLine = data.substr(0, std::min(data.find('\n'), data.size()));
    if (std::string broken = checkValue(firstLine); !broken.empty()) return broken;

    static const char* const kKeys[][2] = {
        {"Common", "SkinDir"},         {"Common", "GameWidth"},        {"Common", "GameHeight"},
        {"Fullscreen", "BackdropDir"}, {"Fullscreen", "BackdropFile"}, {"Fullscreen", "BackdropStretch"},
        {"Fullscreen", "BgColor"},     {"Fullscreen", "GameOffsetX"},  {"Fullscreen", "GameOffsetY"},
        {"Fullscreen", "LogoFile"},    {"Fullscreen", "LogoPosition"}, {"VideoMode", "TranspColor"}};
    for (const auto& key : kKeys) {
        const std::string v = ini.text(key[0], key[1], "");
        if (std::string broken = checkValue(v); !broken.empty()) return broken;
        if (ini.integer(key[0], key[1], 77) != skin::integerOr(v, 77))
            return std::string("integer() and text() disagree on [") + key[0] + "] " + key[1];
    }
    // The image sections the text may hold: an absent one gives only defaults, which the
    // description's checks cover.
    for (const std::string& section : imageSectionsNamed(data)) {
        for (const char* key : {"Filename", "Left", "Top", "Width", "Height"}) {
            const std::string v = ini.text(section.c_str(), key, "");
            if (v.empty()) continue;
            if (std::string broken = checkValue(v); !broken.empty()) return broken;
        }
    }
    return checkDescription(ini);
}

}  // namespace zn::fuzz
