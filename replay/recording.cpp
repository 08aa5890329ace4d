#include "replay/recording.h"

#include <algorithm>

namespace zn::replay {
namespace {

struct Letter {
    char press;
    Control control;
};
// Power has no release, so its lower-case letter is no event.
constexpr Letter kLetters[] = {{'P', Control::Power}, {'G', Control::Select}, {'S', Control::Start},
                               {'U', Control::Up},    {'L', Control::Left},   {'R', Control::Right},
                               {'D', Control::Down}};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return static_cast<char>(c - 'A' + 'a'); }

// A token as a message shows it: control bytes as \xNN, so that a hostile file cannot act on
// the terminal that reads the message, and cut short where it would make the line long.
std::string quoted(std::string_view s) {
    constexpr std::size_t kShown = 40;
    std::string out = "'";
    for (std::size_t i = 0; i < s.size() && i < kShown; ++i) {
        const auto u = static_cast<unsigned char>(s[i]);
        if (u < 0x20 || u >= 0x7F) {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += s[i];
        }
    }
    if (s.size() > kShown) out += "...";
    return out + "'";
}

// Plain decimal digits no greater than max; nothing for anything else.
std::optional<std::uint64_t> number(std::string_view s, std::uint64_t max) {
    if (s.empty() || s.size() > 20) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : s) {
        if (!isDigit(c)) return std::nullopt;
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (v > (max - d) / 10) return std::nullopt;
        v = v * 10 + d;
    }
    return v;
}

// The text one line at a time, without its line end (LF or CRLF).
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t nl = std::min(text_.find('\n', pos_), text_.size());
        line = text_.substr(pos_, nl - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = nl + 1;
        ++number_;
        return true;
    }
    long number() const { return number_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    long number_ = 0;
};

// "name value" with exactly one space between them; nothing when the line has another name.
std::optional<std::string_view> field(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || line.substr(0, name.size()) != name || line[name.size()] != ' ')
        return std::nullopt;
    return line.substr(name.size() + 1);
}

class Reader {
public:
    explicit Reader(std::string_view text) : lines_(text) {}

    ReadResult read() {
        Recording r;
        if (!header(r) || !events(r)) return {std::nullopt, problem_};
        return {std::move(r), {}};
    }

private:
    bool refuse(std::string reason) {
        problem_ = {lines_.number(), std::move(reason)};
        return false;
    }
    bool nextLine(std::string_view& line, std::string_view expected) {
        if (lines_.next(line)) return true;
        problem_ = {lines_.number() + 1,
                    "the recording stops short: " + std::string(expected) + " is missing"};
        return false;
    }

    bool header(Recording& r) {
        std::string_view line;
        if (!nextLine(line, "the first line")) return false;
        const auto version = field(line, kMagic);
        if (!version) return refuse("not a replay: the first line is not '" + std::string(kMagic) + " 1'");
        if (*version != "1")
            return refuse("version " + quoted(*version) +
                          " is not read by this program, which reads version " +
                          std::to_string(kFormatVersion));
        if (!nextLine(line, "the seed line")) return false;
        const auto seed = field(line, "seed");
        if (!seed) return refuse("expected 'seed N', found " + quoted(line));
        const auto s = number(*seed, UINT64_MAX);
        if (!s) return refuse("seed " + quoted(*seed) + " is not a number 0..18446744073709551615");
        r.seed = *s;
        if (!nextLine(line, "the start line")) return false;
        if (const auto speed = field(line, "speed")) {
            const auto v = number(*speed, 1000);
            if (!v || !isSpeedPercent(static_cast<int>(*v)))
                return refuse("speed " + quoted(*speed) + " is none of 50, 75, 100");
            r.speed = static_cast<int>(*v);
            if (!nextLine(line, "the start line")) return false;
        }
        const auto start = field(line, "start");
        if (!start) return refuse("expected 'start off', found " + quoted(line));
        if (*start != "off") return refuse("start " + quoted(*start) + " is no start state (off)");
        return true;
    }

    bool events(Recording& r) {
        std::string_view line;
        std::int64_t time = 0;
        for (;;) {
            if (!nextLine(line, "the end line")) return false;
            if (const auto end = field(line, "end")) {
                if (!advance(*end, time)) return false;
                r.end = time;
                while (lines_.next(line))
                    if (!line.empty()) return refuse("text after the end line: " + quoted(line));
                return true;
            }
            std::size_t digits = 0;
            while (digits < line.size() && isDigit(line[digits])) ++digits;
            if (digits == 0) {
                if (!line.empty() && line[0] == '-') return refuse("time goes backwards: " + quoted(line));
                return refuse("expected a time and controls, or 'end N', found " + quoted(line));
            }
            if (digits == line.size()) return refuse("a time with no control: " + quoted(line));
            if (!advance(line.substr(0, digits), time)) return false;
            for (char c : line.substr(digits)) {
                const auto e = event(c, time);
                if (!e) return false;
                r.events.push_back(*e);
            }
        }
    }

    // Adds a delta to the running time, refusing what would pass a day.
    bool advance(std::string_view delta, std::int64_t& time) {
        if (!delta.empty() && delta[0] == '-') return refuse("time goes backwards: " + quoted(delta));
        const auto d = number(delta, static_cast<std::uint64_t>(kMaxTimeMs));
        if (!d) {
            if (!delta.empty() && std::ranges::all_of(delta, isDigit))
                return refuse("time passes 24 hours: " + quoted(delta));
            return refuse("not a time: " + quoted(delta));
        }
        if (time + static_cast<std::int64_t>(*d) > kMaxTimeMs)
            return refuse("time passes 24 hours: " + std::to_string(time + static_cast<std::int64_t>(*d)) +
                          " ms");
        time += static_cast<std::int64_t>(*d);
        return true;
    }

    std::optional<Event> event(char c, std::int64_t time) {
        if (c == 'p') {
            refuse("power has no release ('p')");
            return std::nullopt;
        }
        for (const Letter& l : kLetters) {
            if (c == l.press) return Event{time, l.control, true};
            if (c == lower(l.press)) return Event{time, l.control, false};
        }
        refuse("unknown control " + quoted(std::string_view(&c, 1)) + " (P G g S s U u L l R r D d)");
        return std::nullopt;
    }

    Lines lines_;
    ReadProblem problem_;
};

}  // namespace

char eventLetter(Control c, bool press) {
    for (const Letter& l : kLetters)
        if (l.control == c) return press ? l.press : lower(l.press);
    return '?';
}

std::string writeRecording(const Recording& r) {
    std::string out;
    out.reserve(64 + r.events.size() * 6);
    out += std::string(kMagic) + " " + std::to_string(kFormatVersion) + "\n";
    out += "seed " + std::to_string(r.seed) + "\n";
    if (r.speed != kSpeedDefault) out += "speed " + std::to_string(r.speed) + "\n";
    out += "start off\n";
    std::int64_t time = 0;
    for (std::size_t i = 0; i < r.events.size(); ++i) {
        const Event& e = r.events[i];
        if (i == 0 || e.time != time) {
            if (i > 0) out += '\n';
            out += std::to_string(e.time - time);
            time = e.time;
        }
        out += eventLetter(e.control, e.press);
    }
    if (!r.events.empty()) out += '\n';
    out += "end " + std::to_string(std::max(r.end, time) - time) + "\n";
    return out;
}

ReadResult readRecording(std::string_view text) {
    if (text.size() > kMaxBytes)
        return {std::nullopt, {0, "the file is over the 1 MB (1048576 bytes) a replay may have"}};
    return Reader(text).read();
}

}  // namespace zn::replay
