#include "fuzz/script_properties.h"

#include <sstream>

#include "tools/script/script_driver.h"

namespace zn::fuzz {
namespace {

// The milliseconds a `wait` line asks for, saturating; -1 when the line is no such wait.
long long waitAsked(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line.substr(first, 4) != "wait") return -1;
    const auto digits = line.find_first_not_of(" \t", first + 4);
    if (digits == std::string_view::npos || digits == first + 4) return -1;
    long long ms = 0;
    for (std::size_t i = digits; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i)
        ms = std::min(ms * 10 + (line[i] - '0'), 1LL << 40);
    return ms;
}

std::string printable(std::string_view s) {
    std::string out;
    for (unsigned char c : s.substr(0, 60)) out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return out;
}

}  // namespace

std::string checkScriptText(std::string_view text) {
    std::ostringstream out, err;
    ScriptDriver driver(out, err, 1);
    long number = 0;
    long long budget = kScriptBudgetMs;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        const long long asked = waitAsked(line);
        if (asked > budget) continue;
        if (asked > 0) budget -= asked;

        // Each line's output and messages on their own: what earlier lines wrote is never
        // copied again.
        out.str({});
        err.str({});
        const bool carriedOut = driver.runLine(line, number);
        const std::string message = err.str();
        if (carriedOut) {
            if (!message.empty()) return "a line carried out with an error: " + printable(message);
            continue;
        }
        if (out.tellp() != 0) return "a refused line printed output: " + printable(line);
        const std::string head = "error line " + std::to_string(number) + ": ";
        if (message.rfind(head, 0) != 0 || message.back() != '\n' ||
            message.find('\n') != message.size() - 1)
            return "not one error message for a refused line: " + printable(message);
        for (unsigned char c : std::string_view(message).substr(0, message.size() - 1))
            if (c < 0x20 || c == 0x7F) return "a control character in the message " + printable(message);
    }
    return {};
}

}  // namespace zn::fuzz
