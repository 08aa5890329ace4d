#include "engine/virtual_clock.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zn {
namespace {

using Fired = std::vector<std::pair<std::int64_t, TimerId>>;

Fired advance(VirtualClock& c, std::int64_t ms) {
    Fired out;
    c.advance(ms, [&](TimerId t) { out.emplace_back(c.now(), t); });
    return out;
}

TEST(VirtualClock, FirstEventOneIntervalAfterEnablingAndPeriodicAfter) {
    VirtualClock c;
    c.setInterval(TimerId::Game, 120);
    c.advance(50, [](TimerId) {});
    c.setEnabled(TimerId::Game, true);
    EXPECT_EQ(advance(c, 119), Fired{});
    EXPECT_EQ(advance(c, 1), (Fired{{170, TimerId::Game}}));  // due exactly at the end of the wait
    EXPECT_EQ(advance(c, 240), (Fired{{290, TimerId::Game}, {410, TimerId::Game}}));
    EXPECT_EQ(c.now(), 410);
}

TEST(VirtualClock, TiesFireInTheOrderTheTimersWereScheduled) {
    VirtualClock c;
    c.setInterval(TimerId::Miss, 10);
    c.setInterval(TimerId::Game, 10);
    c.setEnabled(TimerId::Miss, true);
    c.setEnabled(TimerId::Game, true);
    EXPECT_EQ(advance(c, 10), (Fired{{10, TimerId::Miss}, {10, TimerId::Game}}));
}

TEST(VirtualClock, NewIntervalRestartsAndReenablingChangesNothing) {
    VirtualClock c;
    c.setInterval(TimerId::Ghost, 100);
    c.setEnabled(TimerId::Ghost, true);
    c.advance(60, [](TimerId) {});
    c.setEnabled(TimerId::Ghost, true);  // no restart
    c.setInterval(TimerId::Miss, 5);
    EXPECT_EQ(advance(c, 40), (Fired{{100, TimerId::Ghost}}));
    c.advance(30, [](TimerId) {});
    c.setInterval(TimerId::Ghost, 100);  // restarts at 130
    EXPECT_EQ(advance(c, 99), Fired{});
    EXPECT_EQ(advance(c, 1), (Fired{{230, TimerId::Ghost}}));
}

TEST(VirtualClock, AnEventCancelledByAnEarlierOneAtTheSameTimeDoesNotRun) {
    VirtualClock c;
    for (TimerId t : {TimerId::Game, TimerId::Bonus_Star}) {
        c.setInterval(t, 10);
        c.setEnabled(t, true);
    }
    Fired out;
    c.advance(25, [&](TimerId t) {
        out.emplace_back(c.now(), t);
        if (t == TimerId::Game) c.setEnabled(TimerId::Bonus_Star, false);
        if (t == TimerId::Game && c.now() == 20) c.setInterval(TimerId::Game, 3);  // next at 23
    });
    EXPECT_EQ(out, (Fired{{10, TimerId::Game}, {20, TimerId::Game}, {23, TimerId::Game}}));
}

TEST(VirtualClock, ZeroIntervalCannotStallTheClock) {
    VirtualClock c;
    c.setEnabled(TimerId::Game, true);
    EXPECT_EQ(advance(c, 3).size(), 3u);
}

}  // namespace
}  // namespace zn
