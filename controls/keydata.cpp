#include "controls/keydata.h"

#include <cstddef>
#include <utility>

namespace zn {
namespace {

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Hint names of the digits and letters: the character between apostrophes.
struct QuotedNames {
    std::array<std::array<char, 3>, 36> text{};
    constexpr QuotedNames() {
        for (std::size_t i = 0; i < 36; ++i) {
            const char c = i < 10 ? kDigits[i] : kLetters[i - 10];
            text[i] = {'\'', c, '\''};
        }
    }
};
constexpr QuotedNames kQuoted;

struct KeyTable {
    std::array<KeyTableEntry, kKeyTableSize + 1> entries{};
    constexpr KeyTable() {
        for (std::size_t i = 0; i < 36; ++i) {
            const char* c = i < 10 ? kDigits.data() + i : kLetters.data() + (i - 10);
            entries[i + 1] = {std::string_view(c, 1), std::string_view(kQuoted.text[i].data(), 3),
                              static_cast<std::uint16_t>(static_cast<unsigned char>(*c))};
        }
        entries[37] = {"<UP ARROW>", "'up arrow' key", 38};
        entries[38] = {"<DOWN ARROW>", "'down arrow' key", 40};
        entries[39] = {"<LEFT ARROW>", "'left arrow' key", 37};
        entries[40] = {"<RIGHT ARROW>", "'right arrow' key", 39};
        entries[41] = {"<ALT>", "'alt' key", 18};
        entries[42] = {"<CTRL>", "'ctrl' key", 17};
        entries[43] = {"<SHIFT>", "'shift' key", 16};
        entries[44] = {"<SPACEBAR>", "'spacebar'", 32};
    }
};
constexpr KeyTable kTable;

// The browser's names of the keys of the key table: "Digit0".."Digit9", "KeyA".."KeyZ", then
// the specials, with their virtual-key codes.
struct WebKeyName {
    std::array<char, 13> name{};  // NUL-terminated
    std::uint16_t code = 0;
};
struct WebKeyNames {
    std::array<WebKeyName, 36 + 11> entries{};
    constexpr WebKeyNames() {
        for (std::size_t i = 0; i < 36; ++i) {
            const char c = i < 10 ? kDigits[i] : kLetters[i - 10];
            entries[i] = i < 10 ? WebKeyName{{'D', 'i', 'g', 'i', 't', c}, static_cast<std::uint16_t>(c)}
                                : WebKeyName{{'K', 'e', 'y', c}, static_cast<std::uint16_t>(c)};
        }
        constexpr std::pair<std::string_view, std::uint16_t> kSpecials[] = {
            {"ArrowUp", 38},   {"ArrowDown", 40},  {"ArrowLeft", 37},   {"ArrowRight", 39},
            {"AltLeft", 18},   {"AltRight", 18},   {"ControlLeft", 17}, {"ControlRight", 17},
            {"ShiftLeft", 16}, {"ShiftRight", 16}, {"Space", 32},
        };
        std::size_t i = 36;
        for (const auto& [name, code] : kSpecials) {
            for (std::size_t k = 0; k < name.size(); ++k) entries[i].name[k] = name[k];
            entries[i++].code = code;
        }
    }
};
constexpr WebKeyNames kWebKeyNames;

}  // namespace

std::uint16_t webKeyCode(std::string_view code) {
    for (const WebKeyName& k : kWebKeyNames.entries)
        if (code == std::string_view(k.name.data())) return k.code;
    return 0;
}

const KeyTableEntry& keyTableEntry(int i) { return kTable.entries[static_cast<std::size_t>(i)]; }

}  // namespace zn
