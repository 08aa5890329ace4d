#pragma once
// Properties of the recordings' reader that must hold for any input. Shared by the fuzz target
// and the regression test that replays its corpus and findings.
#include <string>
#include <string_view>

namespace zn::fuzz {

// Reads the text as a recording. A refusal names a line of the text (or 0, for the whole
// file) and a reason free of control characters. A recording that is read keeps its times in
// order within a day, ends at or after its last event, has no release of power, and reads
// back unchanged from its own written text. Returns the first broken property, empty if none.
std::string checkRecordingText(std::string_view text);

}  // namespace zn::fuzz
