#include "skin/skinreader.h"

#include <algorithm>

namespace zn::skin {
namespace {

using Kind = Problem::Kind;

Problem problem(Kind kind, const std::string& section, const char* key, std::string text = {}) {
    return Problem{kind, section, key, std::move(text)};
}

Problem outOfRange(const std::string& section, const char* key, std::int64_t value, std::int64_t used,
                   std::int64_t low, std::int64_t high) {
    Problem p = problem(Kind::OutOfRange, section, key);
    p.value = value;
    p.used = used;
    p.low = low;
    p.high = high;
    return p;
}

// An integer key: a present value must be in the integer syntax, else the default stands in.
Checked<std::int32_t> integer(const SkinIni& ini, const std::string& section, const char* key,
                              std::int32_t fallback) {
    Checked<std::int32_t> out{fallback, {}};
    const auto text = ini.value(section.c_str(), key);
    if (!text) return out;
    if (const auto v = parseInteger(*text)) {
        out.value = *v;
    } else {
        out.problem = problem(Kind::NotAnInteger, section, key, *text);
        out.problem->used = fallback;
    }
    return out;
}

// An integer within low..high; outside it the default stands in.
Checked<int> integerWithin(const SkinIni& ini, const std::string& section, const char* key, int fallback,
                           int low, int high) {
    Checked<std::int32_t> v = integer(ini, section, key, fallback);
    if (!v.problem && (v.value < low || v.value > high)) {
        v.problem = outOfRange(section, key, v.value, fallback, low, high);
        v.value = fallback;
    }
    return v;
}

// An image's width or height: held within 0..kMaxExtent.
Checked<int> extent(const SkinIni& ini, const std::string& section, const char* key) {
    Checked<std::int32_t> v = integer(ini, section, key, 0);
    const int held = std::clamp(v.value, 0, kMaxExtent);
    if (held != v.value) {
        v.problem = outOfRange(section, key, v.value, held, 0, kMaxExtent);
        v.value = held;
    }
    return v;
}

// A colour must be in the integer syntax whether or not the key is present.
Checked<std::uint32_t> colour(const SkinIni& ini, const char* section, const char* key,
                              const char* fallback) {
    Checked<std::uint32_t> out{*parseColour(fallback), {}};
    const std::string text = ini.text(section, key, fallback);
    if (const auto c = parseColour(text)) {
        out.value = *c;
    } else {
        out.problem = problem(Kind::NotAnInteger, section, key, text);
        out.problem->used = out.value;
    }
    return out;
}

bool isCenter(std::string_view text) {
    constexpr std::string_view kCenter = "center";
    return std::ranges::equal(text, kCenter, [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

Checked<std::optional<std::int32_t>> offset(const SkinIni& ini, const char* key) {
    Checked<std::optional<std::int32_t>> out;  // centred
    const auto text = ini.value("Fullscreen", key);
    if (!text) return out;
    out.value = parseOffset(*text);
    if (!parseInteger(*text) && !isCenter(*text))
        out.problem = problem(Kind::NotAnOffset, "Fullscreen", key, *text);
    return out;
}

// An integer that means something only for some values; the others are kept and reported.
Checked<std::int32_t> choice(const SkinIni& ini, const char* key, std::int32_t fallback, std::int32_t low,
                             std::int32_t high, Kind otherwise) {
    Checked<std::int32_t> v = integer(ini, "Fullscreen", key, fallback);
    if (!v.problem && (v.value < low || v.value > high)) {
        v.problem = problem(otherwise, "Fullscreen", key);
        v.problem->value = v.value;
    }
    return v;
}

// The sections' names, made once: every reading of a skin looks up all of them.
const std::string& slotName(int slot) {
    static const std::array<std::string, kSlotCount> names = [] {
        std::array<std::string, kSlotCount> out;
        for (int n = 1; n <= kSlotCount; ++n) out[static_cast<std::size_t>(n - 1)] = slotSection(n);
        return out;
    }();
    return names[static_cast<std::size_t>(slot - 1)];
}

// The slot whose section a name names, as the reader compares names (ASCII letters in either
// case): "Image" and the slot number without leading zeros. 0 for any other name.
int slotNamed(std::string_view name) {
    constexpr std::string_view kImage = "image";
    if (name.size() < kImage.size() + 1 || name.size() > kImage.size() + 3) return 0;
    for (std::size_t i = 0; i < kImage.size(); ++i)
        if ((name[i] >= 'A' && name[i] <= 'Z' ? name[i] - 'A' + 'a' : name[i]) != kImage[i]) return 0;
    if (name[kImage.size()] == '0') return 0;
    int slot = 0;
    for (const char c : name.substr(kImage.size())) {
        if (c < '0' || c > '9') return 0;
        slot = slot * 10 + (c - '0');
    }
    return slot <= kSlotCount ? slot : 0;
}

// Fills s, the section as constructed, in place: a skin has 198 of them.
void readImageSection(const SkinIni& ini, int slot, ImageSection& s) {
    const std::string& section = slotName(slot);
    s.fileName = ini.text(section.c_str(), "Filename", "");
    s.left = integer(ini, section, "Left", 0);
    s.top = integer(ini, section, "Top", 0);
    s.width = extent(ini, section, "Width");
    s.height = extent(ini, section, "Height");
}

// Summed wide so that no offset and edge can overflow.
Checked<int> placeEdge(int slot, const char* key, std::int32_t edge, std::int32_t offset) {
    const long long v = static_cast<long long>(edge) + offset;
    const long long held = std::clamp<long long>(v, -kMaxPosition, kMaxPosition);
    Checked<int> out{static_cast<int>(held), {}};
    if (held != v) out.problem = outOfRange(slotSection(slot), key, v, held, -kMaxPosition, kMaxPosition);
    return out;
}

}  // namespace

Checked<int> ImageSection::placedLeft(std::int32_t offsetX) const {
    return placeEdge(slot, "Left", left.value, offsetX);
}
Checked<int> ImageSection::placedTop(std::int32_t offsetY) const {
    return placeEdge(slot, "Top", top.value, offsetY);
}

const ImageSection& SkinDescription::imageSection(ImageId id) const {
    return imageSections[static_cast<std::size_t>(slotOf(id) - 1)];
}

std::string slotSection(int slot) { return "Image" + std::to_string(slot); }

SkinDescription readSkin(const SkinIni& ini) {
    SkinDescription d;
    d.skinDir = folderPath(ini.text("Common", "SkinDir", "Graphics\\Skin\\"));
    d.gameWidth = integerWithin(ini, "Common", "GameWidth", 692, 1, kMaxExtent);
    d.gameHeight = integerWithin(ini, "Common", "GameHeight", 747, 1, kMaxExtent);
    d.transpColor = colour(ini, "VideoMode", "TranspColor", "$00ff00ff");

    d.backdropDir = folderPath(ini.text("Fullscreen", "BackdropDir", "Graphics\\Backdrop\\"));
    d.backdropFile = ini.text("Fullscreen", "BackdropFile", "nil");
    d.backdropStretch = choice(ini, "BackdropStretch", 0, 0, 1, Kind::NotZeroOrOne);
    d.bgColor = colour(ini, "Fullscreen", "BgColor", "$00000000");
    d.gameOffsetX = offset(ini, "GameOffsetX");
    d.gameOffsetY = offset(ini, "GameOffsetY");
    d.logoFile = ini.text("Fullscreen", "LogoFile", "nil");
    d.logoPosition = choice(ini, "LogoPosition", 1, 0, 3, Kind::NotACorner);

    for (int n = 1; n <= kSlotCount; ++n) d.imageSections[static_cast<std::size_t>(n - 1)].slot = n;
    // Each section the text has, named once, rather than a look-up for each of the 198 slots.
    for (const std::string_view name : ini.sectionNames())
        if (const int n = slotNamed(name); n != 0)
            readImageSection(ini, n, d.imageSections[static_cast<std::size_t>(n - 1)]);
    return d;
}

SkinText readSkinText(std::string_view text) {
    SkinText out;
    SkinIni ini;
    out.error = ini.load(text);
    if (out.error.empty()) out.skin = readSkin(ini);
    return out;
}

}  // namespace zn::skin
