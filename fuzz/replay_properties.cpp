#include "fuzz/replay_properties.h"

#include <algorithm>

#include "replay/recording.h"

namespace zn::fuzz {

std::string checkRecordingText(std::string_view text) {
    const replay::ReadResult read = replay::readRecording(text);
    if (!read.recording) {
        const replay::ReadProblem& p = read.problem;
        const long lines = static_cast<long>(std::ranges::count(text, '\n')) + 1;
        if (p.line < 0 || p.line > lines + 1) return "the refusal names line " + std::to_string(p.line);
        if (p.reason.empty()) return "a refusal without a reason";
        if (std::ranges::any_of(p.reason, [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            return "a control character in the reason: " + p.reason;
        return {};
    }
    const replay::Recording& r = *read.recording;
    std::int64_t time = 0;
    for (const replay::Event& e : r.events) {
        if (e.time < time || e.time > replay::kMaxTimeMs) return "an event out of order or past a day";
        if (!e.press && e.control == Control::Power) return "a release of power";
        time = e.time;
    }
    if (r.end < time || r.end > replay::kMaxTimeMs) return "the end before the last event or past a day";
    const replay::ReadResult again = replay::readRecording(replay::writeRecording(r));
    if (!again.recording) return "its own text is refused: " + again.problem.reason;
    if (!(*again.recording == r)) return "its own text reads as another recording";
    return {};
}

}  // namespace zn::fuzz
