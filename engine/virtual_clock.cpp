#include "engine/virtual_clock.h"

#include <algorithm>

namespace zn {

// A period below 1 ms would let one timer fire without end inside a single advance.
void VirtualClock::schedule(Timer& tm, std::int64_t from) {
    tm.due = from + std::max(tm.interval, 1);
    tm.order = ++scheduled_;
}

void VirtualClock::setInterval(TimerId t, int ms) {
    Timer& tm = timer(t);
    tm.interval = ms;
    if (tm.enabled) schedule(tm, now_);  // restarts the period; a pending event is dropped
}

void VirtualClock::setEnabled(TimerId t, bool on) {
    Timer& tm = timer(t);
    if (on == tm.enabled) return;
    tm.enabled = on;
    if (on) schedule(tm, now_);
}

std::optional<std::int64_t> VirtualClock::nextDue() const {
    std::optional<std::int64_t> due;
    for (const Timer& tm : timers_)
        if (tm.enabled && (!due || tm.due < *due)) due = tm.due;
    return due;
}

bool VirtualClock::step(std::int64_t until, TimerId& fired) {
    Timer* next = nullptr;
    int nextIndex = 0;
    for (int i = 0; i < kTimerCount; ++i) {
        Timer& tm = timers_[i];
        if (!tm.enabled || tm.due > until) continue;
        if (!next || tm.due < next->due || (tm.due == next->due && tm.order < next->order)) {
            next = &tm;
            nextIndex = i;
        }
    }
    if (!next) {
        now_ = std::max(now_, until);
        return false;
    }
    now_ = next->due;
    schedule(*next, now_);
    fired = static_cast<TimerId>(nextIndex);
    return true;
}

}  // namespace zn
