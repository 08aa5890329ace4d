#include "fuzz/mapping_properties.h"

#include <SDL.h>

#include "gamepad/gamepads.h"

namespace zn::fuzz {
namespace {

// text.find(piece, from), byte by byte: the fuzzer watches every memcmp, and find's one per
// candidate place made this search most of a run.
std::size_t findFrom(std::string_view text, std::string_view piece, std::size_t from) {
    for (std::size_t at = from; at <= text.size() && piece.size() <= text.size() - at; ++at) {
        std::size_t i = 0;
        while (i < piece.size() && text[at + i] == piece[i]) ++i;
        if (i == piece.size()) return at;
    }
    return std::string_view::npos;
}

}  // namespace

std::string checkMappingText(std::string_view text) {
    const std::vector<std::string> lines = mappingLines(text);
    std::size_t from = 0;
    for (const std::string& line : lines) {
        // Each a piece of one line of the text, in order.
        const std::size_t at = findFrom(text, line, from);
        if (line.empty() || at == std::string_view::npos) return "a mapping that is no piece of the text";
        if (line.find('\n') != std::string::npos) return "a mapping spans lines";
        from = at + line.size();
        const char first = line.front(), last = line.back();
        if (first == ' ' || first == '\t' || last == ' ' || last == '\t' || last == '\r')
            return "a mapping keeps blanks around it";
        if (first == '#') return "a comment taken for a mapping";
        const auto platform = line.find("platform:");
        if (platform != std::string::npos && line.compare(platform + 9, 5, "Linux") != 0)
            return "a mapping for another platform: " + line.substr(0, 80);
        // SDL refuses what it cannot read (-1) and keeps the rest.
        const int added = SDL_GameControllerAddMapping(line.c_str());
        if (added < -1 || added > 1) return "SDL answered " + std::to_string(added);
    }
    return {};
}

void resetMappings() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

}  // namespace zn::fuzz
