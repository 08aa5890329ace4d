#pragma once
// Properties of the script driver's line reader that must hold for any input. Shared by the
// fuzz target and the regression tests that replay its corpus and findings.
#include <string>
#include <string_view>

namespace zn::fuzz {

// Runs the text, line by line, through a fresh script driver, in memory. A line is carried
// out silently or with output, or refused with exactly one "error line N: ..." message free of
// control characters and no output. A `wait`
// beyond kScriptBudgetMs of game time in all is left out: a long wait is the game playing,
// not the reader reading. Returns the first broken property, empty if none.
std::string checkScriptText(std::string_view text);

inline constexpr long kScriptBudgetMs = 5000;

}  // namespace zn::fuzz
