#pragma once
// The engine's command-line face: runs one game on the virtual clock with sound
// recorded and figures in memory, reading one command per line. Output goes to `out`,
// refusals ("error line N: ...") to `err`.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "engine/headless_game.h"

namespace zn {

class ScriptDriver {
public:
    ScriptDriver(std::ostream& out, std::ostream& err, std::uint64_t seed);

    // Runs one line; false when the line was refused (and changed nothing).
    bool runLine(std::string_view line, long lineNumber);
    // Runs every line of the input; the exit status: 0, or 1 when any line was refused, or 2
    // when the input could not be read to its end or the output could not be written.
    int run(std::istream& in);

private:
    // Empty when the command was carried out, else what is wrong with it.
    std::string execute(std::string_view line);

    std::ostream& out_;
    std::ostream& err_;
    HeadlessGame device_;
};

}  // namespace zn
