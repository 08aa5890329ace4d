#include "display/qttimers.h"

namespace zn {

QtTimers::QtTimers(QObject* parent) : QObject(parent) {
    for (int i = 0; i < kTimerCount; ++i) {
        QTimer& t = slots_[static_cast<std::size_t>(i)].timer;
        t.setTimerType(Qt::PreciseTimer);
        const auto id = static_cast<TimerId>(i);
        connect(&t, &QTimer::timeout, this, [this, id] {
            if (handler_) handler_(id);
        });
    }
}

void QtTimers::arm(Slot& s) {
    if (s.enabled && s.interval > 0)
        s.timer.start(s.interval);  // (re)starts the period from now
    else
        s.timer.stop();
}

void QtTimers::setInterval(TimerId t, int ms) {
    Slot& s = slots_[static_cast<std::size_t>(t)];
    s.interval = ms;
    arm(s);
}

void QtTimers::setEnabled(TimerId t, bool on) {
    Slot& s = slots_[static_cast<std::size_t>(t)];
    if (s.enabled == on) return;
    s.enabled = on;
    arm(s);
}

int QtTimers::interval(TimerId t) const { return slots_[static_cast<std::size_t>(t)].interval; }
bool QtTimers::enabled(TimerId t) const { return slots_[static_cast<std::size_t>(t)].enabled; }
bool QtTimers::running(TimerId t) const { return slots_[static_cast<std::size_t>(t)].timer.isActive(); }
int QtTimers::remainingTime(TimerId t) const {
    return slots_[static_cast<std::size_t>(t)].timer.remainingTime();
}

}  // namespace zn
