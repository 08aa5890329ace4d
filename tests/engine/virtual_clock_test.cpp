#include "engine/virtual_clock.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zn {
namespace {

using Fired = std::vector<std::pair<std::int64_t, TimerId>>;

template <typename F>
Fired advance(VirtualClock& c, std::int64_t ms, F&& onEvent) {
    Fired out;
    c.advance(ms, [&](TimerId t) {
        out.emplace_back(c.now(), t);
        onEvent(t);
    });
    return out;
}
Fired advance(VirtualClock& c, std::int64_t ms) {
    return advance(c, ms, [](TimerId) {});
}

TEST(VirtualClock, FirstEventOneIntervalAfterEnablingThenPeriodic) {
    VirtualClock c;
    c.setInterval(TimerId::Game, 120);
    advance(c, 50);
    c.setEnabled(TimerId::Game, true);
    EXPECT_EQ(advance(c, 119), Fired{});
    EXPECT_EQ(advance(c, 1), (Fired{{170, TimerId::Game}}));  // due exactly at the end of the wait
    c.setEnabled(TimerId::Game, true);                        // already enabled: no restart
    EXPECT_EQ(advance(c, 240), (Fired{{290, TimerId::Game}, {410, TimerId::Game}}));
    c.setEnabled(TimerId::Miss, true);  // a zero interval cannot stall the clock
    EXPECT_EQ(advance(c, 2).size(), 2u);
}

TEST(VirtualClock, TiesRunInSchedulingOrderAndCancelledOrRestartedEventsDoNot) {
    VirtualClock c;
    for (TimerId t : {TimerId::Miss, TimerId::Game, TimerId::Bonus_Star}) {
        c.setInterval(t, 10);
        c.setEnabled(t, true);
    }
    const Fired fired = advance(c, 25, [&](TimerId t) {
        if (t == TimerId::Game) c.setEnabled(TimerId::Bonus_Star, false);
        if (t == TimerId::Miss && c.now() == 20) c.setInterval(TimerId::Miss, 3);  // next at 23
    });
    EXPECT_EQ(fired, (Fired{{10, TimerId::Miss},
                            {10, TimerId::Game},
                            {20, TimerId::Miss},
                            {20, TimerId::Game},
                            {23, TimerId::Miss}}));
}

}  // namespace
}  // namespace zn
