#pragma once
// The game's clock at a speed (settings/settingrules.h: kSpeeds): the host's real milliseconds
// become the game's at speed / 100, the part of a millisecond left over carried to the next
// call so that no time is lost; the rules stay the same, on a slower clock. Hosts with a
// virtual clock pace it through this; a host with real timers stretches their periods.
#include <cstdint>

#include "settings/settingrules.h"

namespace zn {

class Pace {
public:
    explicit Pace(int percent = kSpeedDefault) : speed_(speedPercentFrom(percent)) {}

    int speed() const { return speed_; }
    void setSpeed(int percent) { speed_ = speedPercentFrom(percent); }

    // The game's milliseconds for realMs that passed (none for a negative time).
    std::int64_t gameMs(std::int64_t realMs) {
        if (realMs <= 0) return 0;
        const std::int64_t hundredths = realMs * speed_ + carry_;
        carry_ = hundredths % 100;
        return hundredths / 100;
    }
    // The real milliseconds until gameMs more of the game's have passed, rounded up.
    std::int64_t realMs(std::int64_t gameMs) const {
        if (gameMs <= 0) return 0;
        return (gameMs * 100 - carry_ + speed_ - 1) / speed_;
    }
    // A timer's period of gameMs, in real milliseconds, to the nearest.
    static int realPeriod(int gameMs, int percent) {
        const int speed = speedPercentFrom(percent);
        return static_cast<int>((static_cast<std::int64_t>(gameMs) * 100 + speed / 2) / speed);
    }

private:
    int speed_;
    std::int64_t carry_ = 0;  // hundredths of a game millisecond
};

}  // namespace zn
