#include "display/qttimers.h"

#include <chrono>
#include <cstdio>

#include "ui/pace.h"

namespace zn {
namespace {

// When ZN_TICK_LOG names a file, each Timer_Game event ("T"), (re)start ("A") and stop ("S")
// is appended to it with the monotonic time in nanoseconds: the benchmark measures the tick
// rhythm of the running program from it. Unset, it costs one test per event.
std::FILE* tickLog() {
    static std::FILE* const file = []() -> std::FILE* {
        const QByteArray path = qgetenv("ZN_TICK_LOG");
        std::FILE* f = path.isEmpty() ? nullptr : std::fopen(path.constData(), "a");
        if (f) std::setvbuf(f, nullptr, _IOLBF, 0);
        return f;
    }();
    return file;
}

void logTick(TimerId t, char what) {
    if (t != TimerId::Game) return;
    std::FILE* f = tickLog();
    if (!f) return;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    std::fprintf(f, "%c %lld\n", what, static_cast<long long>(ns.count()));
}

}  // namespace

QtTimers::QtTimers(QObject* parent) : QObject(parent) {
    for (int i = 0; i < kTimerCount; ++i) {
        QTimer& t = slots_[static_cast<std::size_t>(i)].timer;
        t.setTimerType(Qt::PreciseTimer);
        const auto id = static_cast<TimerId>(i);
        connect(&t, &QTimer::timeout, this, [this, id] {
            logTick(id, 'T');
            if (handler_) handler_(id);
        });
    }
}

void QtTimers::arm(Slot& s) {
    const auto id = static_cast<TimerId>(&s - slots_.data());
    if (s.enabled && s.interval > 0) {
        s.timer.start(Pace::realPeriod(s.interval, speed_));  // (re)starts the period from now
        logTick(id, 'A');
    } else {
        if (s.timer.isActive()) logTick(id, 'S');
        s.timer.stop();
    }
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

void QtTimers::setSpeed(int percent) {
    if (speedPercentFrom(percent) == speed_) return;
    speed_ = speedPercentFrom(percent);
    for (Slot& s : slots_)
        if (s.timer.isActive()) arm(s);
}

int QtTimers::interval(TimerId t) const { return slots_[static_cast<std::size_t>(t)].interval; }
bool QtTimers::enabled(TimerId t) const { return slots_[static_cast<std::size_t>(t)].enabled; }
bool QtTimers::running(TimerId t) const { return slots_[static_cast<std::size_t>(t)].timer.isActive(); }
int QtTimers::remainingTime(TimerId t) const {
    return slots_[static_cast<std::size_t>(t)].timer.remainingTime();
}

}  // namespace zn
