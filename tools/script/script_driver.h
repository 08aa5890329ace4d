#pragma once
// The engine's command-line face: runs one game on the virtual clock with sound
// recorded and figures in memory, reading one command per line. Output goes to `out`,
// refusals ("error line N: ...") to `err`.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "engine/headless_game.h"
#include "replay/recording.h"
#include "replay/session.h"

namespace zn {

class ScriptDriver {
public:
    ScriptDriver(std::ostream& out, std::ostream& err, std::uint64_t seed);

    // Runs one line; false when the line was refused (and changed nothing).
    bool runLine(std::string_view line, long lineNumber);
    // Runs every line of the input; the exit status: 0, or 1 when any line was refused, or 2
    // when the input could not be read to its end or the output could not be written.
    int run(std::istream& in);

    // From now on every press and release is recorded with the seed in force. A recording
    // holds the seed and the controls alone: `rand` is then refused, and so is a `seed` once
    // the clock has moved or a control was pressed.
    void startRecording();
    // The recording so far, ending at the clock's now; nothing when not recording.
    std::optional<replay::Recording> recording() const;

    // Plays a recording on a fresh device to its end, printing its sounds as they play, then
    // the figures (`show`) and the state (`state`) at the end. With record, what it plays is
    // recorded as well. Returns false when the output could not be written.
    bool replay(const replay::Recording& r, bool record);

private:
    // Empty when the command was carried out, else what is wrong with it.
    std::string execute(std::string_view line);

    std::ostream& out_;
    std::ostream& err_;
    HeadlessGame device_;
    std::uint64_t seed_;
    std::optional<replay::Recorder> recorder_;
    std::optional<replay::Recording> replayed_;  // what replay() recorded
};

}  // namespace zn
