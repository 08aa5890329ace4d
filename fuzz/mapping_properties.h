#pragma once
// Properties of the controller mapping file's reader that must hold for any text. Shared by
// the fuzz target and the regression tests that replay its corpus and findings.
#include <string>
#include <string_view>

namespace zn::fuzz {

// Reads the text as a gamecontrollerdb.txt and hands every mapping it yields to SDL, as the
// simulator does at start-up. Each mapping is one line of the text, trimmed, neither blank
// nor a comment nor for another platform. Returns the first broken property, empty if none.
std::string checkMappingText(std::string_view text);

// Forgets the mappings added so far (SDL keeps every one it is given); SDL's game-controller
// subsystem runs after the call.
void resetMappings();

}  // namespace zn::fuzz
