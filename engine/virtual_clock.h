#pragma once
// The six timers on simulated milliseconds, for tests, benchmarks and the script
// driver: nothing happens until the owner advances the clock, and then every event
// that falls due runs in time order (ties: the timer scheduled first fires first).
#include <array>
#include <cstdint>
#include <optional>

#include "engine/services.h"

namespace zn {

class VirtualClock : public TimerService {
public:
    void setInterval(TimerId t, int ms) override;
    void setEnabled(TimerId t, bool on) override;
    int interval(TimerId t) const override { return timer(t).interval; }
    bool enabled(TimerId t) const override { return timer(t).enabled; }

    std::int64_t now() const { return now_; }
    // When the next event falls due; nothing when no timer is enabled.
    std::optional<std::int64_t> nextDue() const;

    // Moves the clock to the next event due at or before `until` and returns its timer,
    // rescheduled for its next period before the caller runs it. Returns false and sets
    // the clock to `until` when nothing more falls due by then.
    bool step(std::int64_t until, TimerId& fired);

    // Advances by ms, calling onEvent(TimerId) for every event that falls due, in order;
    // an event due exactly at the end runs too.
    template <typename Handler>
    void advance(std::int64_t ms, Handler&& onEvent) {
        const std::int64_t until = now_ + ms;
        TimerId t;
        while (step(until, t)) onEvent(t);
    }

private:
    struct Timer {
        int interval = 0;
        bool enabled = false;
        std::int64_t due = 0;
        std::uint64_t order = 0;  // when it was scheduled, to break ties
    };
    Timer& timer(TimerId t) { return timers_[static_cast<int>(t)]; }
    const Timer& timer(TimerId t) const { return timers_[static_cast<int>(t)]; }
    void schedule(Timer& tm, std::int64_t from);

    std::array<Timer, kTimerCount> timers_{};
    std::int64_t now_ = 0;
    std::uint64_t scheduled_ = 0;
};

}  // namespace zn
