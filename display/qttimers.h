#pragma once
// The engine's six timers over QTimer (Qt::PreciseTimer), with the semantics of the
// engine's virtual clock: any interval given to an enabled timer restarts its period from
// that moment; enabling an enabled timer changes nothing; an interval of 0 or less gives
// no events while the timer stays enabled.
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "engine/services.h"

namespace zn {

class QtTimers : public QObject, public TimerService {
    Q_OBJECT
public:
    explicit QtTimers(QObject* parent = nullptr);

    // Receives every timer event, in the GUI thread.
    void setHandler(std::function<void(TimerId)> handler) { handler_ = std::move(handler); }

    void setInterval(TimerId t, int ms) override;
    void setEnabled(TimerId t, bool on) override;
    int interval(TimerId t) const override;
    bool enabled(TimerId t) const override;

    // Whether the underlying QTimer runs (an enabled timer with interval 0 does not), and
    // the milliseconds to its next event (-1 when it does not run).
    bool running(TimerId t) const;
    int remainingTime(TimerId t) const;

    // The game's pace in percent (kSpeeds): each period runs speed / 100 as fast; a change
    // restarts the running periods at the new length.
    void setSpeed(int percent);

private:
    struct Slot {
        QTimer timer;
        int interval = 1000;
        bool enabled = false;
    };
    void arm(Slot& s);
    std::array<Slot, kTimerCount> slots_;
    std::function<void(TimerId)> handler_;
    int speed_ = 100;
};

}  // namespace zn
