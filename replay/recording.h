#pragma once
// A recorded game: what the engine needs to play it again exactly. The ghosts' generator
// seed, the state the recording starts from, and every press and release of the seven
// controls at its engine time (milliseconds of the game's clock since the start), in the
// order the game received them. Written as a small versioned text (docs/replay-format.md);
// one reader serves the desktop program, the script driver and the web edition.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/controls.h"
#include "settings/settingrules.h"

namespace zn::replay {

inline constexpr int kFormatVersion = 1;
inline constexpr std::string_view kMagic = "zorpy-nibbo-replay";
// A recording is at most a day of play and a megabyte of text.
inline constexpr std::int64_t kMaxTimeMs = 24LL * 60 * 60 * 1000;
inline constexpr std::size_t kMaxBytes = 1024 * 1024;

struct Event {
    std::int64_t time = 0;  // engine milliseconds since the start
    Control control = Control::Power;
    bool press = true;  // else a release; power has none
    bool operator==(const Event&) const = default;
};

// The device as the window creates it: switched off, every game variable 0, the clock at 0.
enum class StartState { Off };

struct Recording {
    std::uint64_t seed = 0;
    int speed = kSpeedDefault;  // the pace it was played at (settings/settingrules.h: kSpeeds)
    StartState start = StartState::Off;
    std::vector<Event> events;  // times never decrease
    std::int64_t end = 0;       // the recording's last moment, at or after the last event
    bool operator==(const Recording&) const = default;
};

// The text of a recording: the header, one line per engine time that has events (its delta
// from the line before and a letter per event), and the end. The recording must be valid
// (times in order, within kMaxTimeMs, no power release).
std::string writeRecording(const Recording& r);

// A refusal: the line it concerns (1-based; 0 when it is about the whole file) and why.
struct ReadProblem {
    long line = 0;
    std::string reason;
};

struct ReadResult {
    std::optional<Recording> recording;  // set when the text was read
    ReadProblem problem;                 // else what was wrong, the first problem only
};

// Reads a recording's text as writeRecording writes it (CRLF line ends too). Refuses another
// version, a time that goes backwards or past kMaxTimeMs, an unknown control, a text over
// kMaxBytes and anything else the grammar does not allow.
ReadResult readRecording(std::string_view text);

// The letter of an event in the text: upper case for a press, lower case for a release.
char eventLetter(Control c, bool press);

}  // namespace zn::replay
