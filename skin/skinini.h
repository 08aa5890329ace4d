#pragma once
// The value rules of Config.ini, free of any toolkit so they can be tested from strings:
// the integer syntax, colours, game-area offsets, picture names and folder names, and a
// case-insensitive reader over the file's text.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zn::skin {

// Optional leading blanks, an optional sign, then decimal digits, or hexadecimal digits of
// either case after "$", "x", "X", "0x" or "0X"; nothing may follow. Decimal values must fit
// a signed 32-bit integer; hexadecimal ones may use all 32 bits and wrap like a 32-bit
// register ("$FFFFFFFF" is -1). Anything else is nullopt.
std::optional<std::int32_t> parseInteger(std::string_view text);

// An integer key: malformed values fall back to the default silently.
std::int32_t integerOr(std::string_view text, std::int32_t fallback);

// A colour 0x00BBGGRR. nullopt when the text is not in the integer syntax; the top byte is
// dropped, so every integer names some colour.
std::optional<std::uint32_t> parseColour(std::string_view text);

// The error text for a value that should have been an integer.
std::string notAnInteger(std::string_view text);

// A game-area offset: a non-zero integer is that offset; anything else ("Center", text,
// any way of writing zero) means centring, returned as nullopt.
std::optional<std::int32_t> parseOffset(std::string_view text);

// Half the free space, truncated toward zero: (screen - client) / 2.
std::int32_t centredOffset(std::int64_t screen, std::int64_t client);

// True when a picture file name names a picture: not empty and not exactly "nil"
// (case-sensitive: "Nil" is a file name).
bool namesPicture(std::string_view fileName);

// A folder from Config.ini with backslashes read as separators and a separator appended if
// missing. An empty folder stays empty (the working directory), never the file-system root.
std::string folderPath(std::string_view folder);

// folder (already from folderPath) + file name, backslashes in the name read as separators.
std::string picturePath(std::string_view folder, std::string_view fileName);

// The lower-case extension of a file name without the dot, empty when there is none.
std::string extensionOf(std::string_view fileName);

// Config.ini bigger than this is refused rather than parsed: a real skin's file is a few
// tens of kilobytes.
constexpr std::size_t kMaxIniBytes = 4u << 20;

// Case-insensitive INI text with Windows profile-file semantics as far as the values go:
// an absent key (or section) yields the default, a present empty key yields "", spaces
// around values are ignored.
class SkinIni {
public:
    SkinIni();
    ~SkinIni();
    SkinIni(const SkinIni&) = delete;
    SkinIni& operator=(const SkinIni&) = delete;

    // Replaces the contents. Returns an error text, empty on success.
    std::string load(std::string_view data);

    // True when the text has the section, whatever the case of its name.
    bool hasSection(const char* section) const;
    // The text's sections, each name as first written; valid until the next load().
    std::vector<std::string_view> sectionNames() const;
    // The value as written; nullopt when the key (or its section) is absent.
    std::optional<std::string> value(const char* section, const char* key) const;
    std::string text(const char* section, const char* key, std::string_view fallback) const;
    std::int32_t integer(const char* section, const char* key, std::int32_t fallback) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace zn::skin
