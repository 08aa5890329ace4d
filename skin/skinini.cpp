#include "skin/skinini.h"

// Config.ini is read as bytes: names and values are compared and returned as written.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION  // the template bodies, instantiated here rather than linked
#include <SimpleIni.h>

#include <cctype>

namespace zn::skin {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;  // no digits

    // Accumulate in 64 bits and stop as soon as the value can no longer fit.
    std::uint64_t value = 0;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < text.size(); ++i) {
        const int d = hex ? hexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (d < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
        if (value > limit) return std::nullopt;
    }
    // Two's complement wrap for hexadecimal, exact range for decimal.
    const auto bits = static_cast<std::uint32_t>(negative ? (~value + 1) : value);
    return static_cast<std::int32_t>(bits);
}

std::int32_t integerOr(std::string_view text, std::int32_t fallback) {
    return parseInteger(text).value_or(fallback);
}

std::optional<std::uint32_t> parseColour(std::string_view text) {
    const auto v = parseInteger(text);
    if (!v) return std::nullopt;
    return static_cast<std::uint32_t>(*v) & 0x00FFFFFFu;
}

std::string notAnInteger(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::optional<std::int32_t> parseOffset(std::string_view text) {
    const auto v = parseInteger(text);
    if (!v || *v == 0) return std::nullopt;
    return v;
}

std::int32_t centredOffset(std::int64_t screen, std::int64_t client) {
    return static_cast<std::int32_t>((screen - client) / 2);  // C++ division truncates toward zero
}

bool namesPicture(std::string_view fileName) { return !fileName.empty() && fileName != "nil"; }

std::string folderPath(std::string_view folder) {
    std::string out(folder);
    for (char& c : out)
        if (c == '\\') c = '/';
    if (!out.empty() && out.back() != '/') out += '/';
    return out;
}

std::string picturePath(std::string_view folder, std::string_view fileName) {
    std::string out(folder);
    for (char c : fileName) out += c == '\\' ? '/' : c;
    return out;
}

std::string extensionOf(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string ext(fileName.substr(dot + 1));
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

struct SkinIni::Impl {
    CSimpleIniA ini{false, false, false};  // case-insensitive names; no multi-keys, no multi-lines
};

SkinIni::SkinIni() : impl_(std::make_unique<Impl>()) {}
SkinIni::~SkinIni() = default;

std::string SkinIni::load(std::string_view data) {
    impl_->ini.Reset();
    if (data.size() > kMaxIniBytes)
        return "Config.ini is too large (" + std::to_string(data.size()) + " bytes; the limit is " +
               std::to_string(kMaxIniBytes) + " bytes)";
    const SI_Error rc = impl_->ini.LoadData(data.data(), data.size());
    if (rc < 0) return "Config.ini could not be read";
    return {};
}

bool SkinIni::hasSection(const char* section) const { return impl_->ini.GetSection(section) != nullptr; }

std::vector<std::string_view> SkinIni::sectionNames() const {
    CSimpleIniA::TNamesDepend sections;
    impl_->ini.GetAllSections(sections);
    std::vector<std::string_view> names;
    names.reserve(sections.size());
    for (const auto& section : sections) names.emplace_back(section.pItem);
    return names;
}

std::optional<std::string> SkinIni::value(const char* section, const char* key) const {
    const char* v = impl_->ini.GetValue(section, key, nullptr);
    if (!v) return std::nullopt;
    return std::string(v);
}

std::string SkinIni::text(const char* section, const char* key, std::string_view fallback) const {
    return value(section, key).value_or(std::string(fallback));
}

std::int32_t SkinIni::integer(const char* section, const char* key, std::int32_t fallback) const {
    const char* v = impl_->ini.GetValue(section, key, nullptr);
    return v ? integerOr(v, fallback) : fallback;
}

}  // namespace zn::skin
