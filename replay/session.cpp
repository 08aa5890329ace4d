#include "replay/session.h"

#include <algorithm>

namespace zn::replay {

namespace {
bool isJoystick(Control c) { return c >= Control::Up; }
}  // namespace

void Recorder::note(std::int64_t time, Control c, bool press) {
    if ((!press && !hasRelease(c)) || time > kMaxTimeMs) return;
    // A held direction pressed again (the keyboard's auto-repeat) only sets its flag again.
    if (isJoystick(c)) {
        bool& held = held_[static_cast<int>(c) - static_cast<int>(Control::Up)];
        if (press && held) return;
        held = press;
    }
    r_.events.push_back({time, c, press});
}

Recording Recorder::upTo(std::int64_t end) const {
    Recording r = r_;
    r.end = std::clamp(end, r.events.empty() ? 0 : r.events.back().time, kMaxTimeMs);
    return r;
}

Session::Session(VirtualClock& clock, Game& game, QueuedRandom& random, InputOperations& controls,
                 Options options)
    : clock_(clock), game_(game), controls_(controls), replay_(std::move(options.replay)) {
    const std::uint64_t seed = replay_ ? replay_->seed : options.seed;
    random.seed(seed);
    if (options.record) recorder_.emplace(seed);
    if (replay_) phase_ = Phase::Playing;
}

void Session::runTo(std::int64_t time) {
    if (time > clock_.now()) clock_.advance(time - clock_.now(), [this](TimerId t) { game_.onTimer(t); });
}

void Session::apply(const Event& e) {
    if (e.press)
        controls_.press(e.control);
    else
        controls_.release(e.control);
    if (recorder_) recorder_->note(clock_.now(), e.control, e.press);
}

void Session::advance(std::int64_t ms) {
    if (ms <= 0 || phase_ == Phase::Held) return;
    std::int64_t until = clock_.now() + ms;
    if (phase_ == Phase::Playing) {
        const auto& events = replay_->events;
        for (; next_ < events.size() && events[next_].time <= until; ++next_) {
            runTo(events[next_].time);
            apply(events[next_]);
        }
        if (until >= replay_->end) {
            until = replay_->end;
            phase_ = Phase::Held;
        }
    }
    runTo(until);
}

bool Session::input(Control c, bool press) {
    if (phase_ == Phase::Playing || (phase_ == Phase::Held && !press)) return false;
    phase_ = Phase::Live;
    apply({clock_.now(), c, press});
    return true;
}

std::optional<std::int64_t> Session::untilNext() const {
    if (phase_ == Phase::Held) return std::nullopt;
    std::optional<std::int64_t> due = clock_.nextDue();
    if (phase_ == Phase::Playing) {
        const std::int64_t event =
            next_ < replay_->events.size() ? replay_->events[next_].time : replay_->end;
        due = due ? std::min(*due, event) : event;
    }
    if (!due) return std::nullopt;
    return std::max<std::int64_t>(0, *due - clock_.now());
}

std::optional<Recording> Session::recorded() const {
    if (!recorder_) return std::nullopt;
    return recorder_->upTo(clock_.now());
}

}  // namespace zn::replay
