#pragma once
// Properties of the Config.ini reader and value rules that must hold for any input. Shared by
// the fuzz target and the regression tests that replay its corpus and findings.
#include <string>
#include <string_view>

namespace zn::fuzz {

// Loads data as Config.ini text, reads every key the simulator reads and puts each value and
// the raw data through every value rule. Returns a description of the first broken property,
// empty when all hold.
std::string checkIniText(std::string_view data);

// A parser for the integer syntax written independently of the simulator's, to compare with.
// Returns false when the text is not an integer that fits.
bool referenceInteger(std::string_view text, long long& value);

}  // namespace zn::fuzz
