#include "tools/script/script_driver.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <vector>

#include "engine/snapshot.h"

namespace zn {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> tokens(std::string_view line) {
    std::vector<std::string_view> out;
    out.reserve(4);  // every command but a long rand
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

// Plain decimal digits with a value no greater than max.
bool parseNumber(std::string_view s, std::uint64_t max, std::uint64_t& value) {
    if (s.empty()) return false;
    std::uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (d > max || v > (max - d) / 10) return false;
        v = v * 10 + d;
    }
    value = v;
    return true;
}

// A token as the error message shows it: control characters written as \xNN, so that a
// stray byte of the script cannot act on the terminal that reads the message.
std::string quoted(std::string_view s) {
    std::string out = "'";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::string badNumber(std::string_view s, std::string_view range) {
    return quoted(s) + " is not a number in " + std::string(range);
}

struct ControlCommand {
    std::string_view name;
    Control control;
    void (Game::*press)();
    void (Game::*release)();  // none for power
};

constexpr ControlCommand kControls[] = {
    {"power", Control::Power, &Game::Inp_power_down, nullptr},
    {"select", Control::Select, &Game::Inp_select_down, &Game::Inp_select_up},
    {"start", Control::Start, &Game::Inp_start_down, &Game::Inp_start_up},
    {"up", Control::Up, &Game::Inp_arrow_up_down, &Game::Inp_arrow_up_up},
    {"left", Control::Left, &Game::Inp_arrow_left_down, &Game::Inp_arrow_left_up},
    {"right", Control::Right, &Game::Inp_arrow_right_down, &Game::Inp_arrow_right_up},
    {"down", Control::Down, &Game::Inp_arrow_down_down, &Game::Inp_arrow_down_up},
};

}  // namespace

ScriptDriver::ScriptDriver(std::ostream& out, std::ostream& err, std::uint64_t seed)
    : out_(out), err_(err), device_(seed), seed_(seed) {
    device_.sound.keepCalls = false;
    device_.sound.listener = [this](const SoundCall& c) {
        out_ << "sound " << device_.clock.now();
        if (c.sample)
            out_ << " play " << sampleName(*c.sample) << '\n';
        else
            out_ << " silence\n";
    };
}

std::string ScriptDriver::execute(std::string_view line) {
    const auto t = tokens(line);
    const std::string_view cmd = t[0];
    const std::size_t args = t.size() - 1;
    auto arity = [&](std::size_t n) -> std::string {
        if (args == n) return {};
        return std::string(cmd) + (args < n ? ": missing argument" : ": extra argument " + quoted(t[n + 1]));
    };

    if (cmd == "show" || cmd == "state") {
        if (auto e = arity(0); !e.empty()) return e;
        out_ << (cmd == "show" ? showFigures(device_.figures) : showState(device_.game, device_.clock));
        return {};
    }
    if (cmd == "wait") {
        if (auto e = arity(1); !e.empty()) return e;
        std::uint64_t ms = 0;
        if (!parseNumber(t[1], 2147483647, ms)) return "wait: " + badNumber(t[1], "0..2147483647");
        device_.run(static_cast<std::int64_t>(ms));
        return {};
    }
    if (cmd == "seed") {
        if (auto e = arity(1); !e.empty()) return e;
        std::uint64_t s = 0;
        if (!parseNumber(t[1], UINT64_MAX, s)) return "seed: " + badNumber(t[1], "0..18446744073709551615");
        if (recorder_ && (device_.clock.now() > 0 || !recorder_->sofar().events.empty()))
            return "seed: a recording takes its seed before the first press or wait";
        device_.random.seed(s);
        seed_ = s;
        if (recorder_) recorder_.emplace(s);
        return {};
    }
    if (cmd == "rand") {
        if (args == 0) return "rand: missing argument";
        if (recorder_) return "rand: forced draws cannot be recorded (a recording holds the seed alone)";
        std::vector<int> values;
        for (std::size_t i = 1; i < t.size(); ++i) {
            std::uint64_t v = 0;
            if (!parseNumber(t[i], 3, v)) return "rand: " + badNumber(t[i], "0..3");
            values.push_back(static_cast<int>(v));
        }
        for (int v : values) device_.random.force(v);
        return {};
    }
    if (cmd == "press" || cmd == "release") {
        if (auto e = arity(1); !e.empty()) return e;
        for (const ControlCommand& c : kControls) {
            if (c.name != t[1]) continue;
            if (cmd == "press") {
                (device_.game.*c.press)();
            } else {
                if (!c.release) return "release: power has no release";
                (device_.game.*c.release)();
            }
            if (recorder_) recorder_->note(device_.clock.now(), c.control, cmd == "press");
            return {};
        }
        return std::string(cmd) + ": unknown control " + quoted(t[1]) +
               " (power select start up left right down)";
    }
    return "unknown command " + quoted(cmd);
}

bool ScriptDriver::runLine(std::string_view line, long lineNumber) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // CRLF input
    if (std::ranges::all_of(line, isBlank) || line.front() == '#') return true;  // no tokens, or a comment
    const std::string problem = execute(line);
    if (problem.empty()) return true;
    out_.flush();
    err_ << "error line " << lineNumber << ": " << problem << '\n';
    return false;
}

int ScriptDriver::run(std::istream& in) {
    std::string line;
    long number = 0;
    bool refused = false;
    while (std::getline(in, line)) {
        if (!runLine(line, ++number)) refused = true;
    }
    out_.flush();
    // A script cut short or output that was lost must not pass for a clean run.
    if (in.bad()) {
        err_ << "error: the script could not be read past line " << number << '\n';
        return 2;
    }
    if (!out_) {
        err_ << "error: the output could not be written\n";
        return 2;
    }
    return refused ? 1 : 0;
}

void ScriptDriver::startRecording() { recorder_.emplace(seed_); }

std::optional<replay::Recording> ScriptDriver::recording() const {
    if (replayed_) return replayed_;
    if (!recorder_) return std::nullopt;
    return recorder_->upTo(device_.clock.now());
}

bool ScriptDriver::replay(const replay::Recording& r, bool record) {
    replay::GameControls controls(device_.game);
    replay::Session session(device_.clock, device_.game, device_.random, controls, {r, record, 0});
    session.advance(replay::kMaxTimeMs);  // to the recording's end, where it holds
    out_ << showFigures(device_.figures) << showState(device_.game, device_.clock);
    out_.flush();
    replayed_ = session.recorded();
    return static_cast<bool>(out_);
}

}  // namespace zn
