#pragma once
// The words of the skin set-up's messages, free of any toolkit: the fatal message for a
// Config.ini that gives no skin, and the lines of the error box that lists what stands in
// for a value out of range or a colour that is no integer. The desktop's set-up (Gfx_Init)
// and the web edition show the same texts.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/skinreader.h"

namespace zn::skin {

inline constexpr std::string_view kConfigNotFound =
    "Configuration file (Config.ini) not found. Please reinstall the game.";

// "Configuration file (Config.ini) is too large (N bytes; the limit is M bytes)."
std::string configTooLarge(long long size);
// "Configuration file (Config.ini) cannot be read: REASON."
std::string configUnreadable(std::string_view reason);
// The INI reader's reason, as a sentence.
std::string configUnparsable(std::string_view reason);

// "[Image7] Width"
std::string sectionAndKey(const Problem& p);
// "GameWidth 0 is out of range (1..16384); 692 is used instead." (what: "GameWidth")
std::string outOfRangeLine(const Problem& p, std::string_view what);
// "GameWidth 0 is out of range ...": the game area's width or height, named by its key alone.
std::string gameExtentLine(const Problem& p);
// "[Image7] Width 99999 is out of range (0..16384); 16384 is used instead."
std::string extentLine(const Problem& p);
// "[Image7] Left puts the image at 70000, out of range (-65536..65536); 65536 is used instead."
std::string positionLine(const Problem& p);
// "'purple' is not a valid integer value ([VideoMode] TranspColor)"
std::string colourLine(const Problem& p);

// The box shows at most this many problems, then a line with how many more there are.
inline constexpr int kMaxReportedProblems = 12;
// The lines the error box shows for problems (none when there are none).
std::vector<std::string> boxLines(const std::vector<std::string>& problems);

}  // namespace zn::skin
