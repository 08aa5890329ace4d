// The engine's timers over QTimer, driven by a real event loop. The tests wait for events,
// never for a time: a loaded machine makes them slower, not wrong. Where a timer must stay
// silent, another timer's events prove that the event loop ran through several of its periods.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <vector>

#include "display/qttimers.h"

namespace zn {
namespace {

constexpr int kPatienceMs = 10000;  // only a failing test waits this long

// Lets the event loop run until the predicate holds; false when it never did.
template <typename Predicate>
bool waitFor(Predicate predicate) {
    return QTest::qWaitFor(predicate, kPatienceMs);
}

// The timers with a handler that counts the events of each timer.
struct CountingTimers {
    QtTimers timers;
    std::vector<TimerId> fired;
    CountingTimers() {
        timers.setHandler([this](TimerId t) { fired.push_back(t); });
    }
    std::size_t count(TimerId t) const {
        std::size_t n = 0;
        for (TimerId f : fired) n += f == t;
        return n;
    }
    // Runs the event loop until the Miss timer has fired three times more at the given
    // interval: long enough for a running timer of that interval to have fired as well.
    bool lapsOfTheWitness(int ms) {
        const std::size_t target = count(TimerId::Miss) + 3;
        timers.setInterval(TimerId::Miss, ms);
        timers.setEnabled(TimerId::Miss, true);
        const bool ran = waitFor([&] { return count(TimerId::Miss) >= target; });
        timers.setEnabled(TimerId::Miss, false);
        return ran;
    }
};

TEST(QtTimers, EventsComeForTheEnabledTimerOnly) {
    CountingTimers c;
    c.timers.setInterval(TimerId::Game, 10);
    c.timers.setInterval(TimerId::Miss, 10);
    c.timers.setEnabled(TimerId::Game, true);
    ASSERT_TRUE(waitFor([&] { return c.fired.size() >= 3; }));
    c.timers.setEnabled(TimerId::Game, false);
    for (TimerId t : c.fired) EXPECT_EQ(t, TimerId::Game);
    const std::size_t n = c.count(TimerId::Game);
    ASSERT_TRUE(c.lapsOfTheWitness(10));
    EXPECT_EQ(c.count(TimerId::Game), n);  // nothing after disabling
}

TEST(QtTimers, EnablingAnEnabledTimerKeepsItsPeriod) {
    QtTimers timers;
    timers.setInterval(TimerId::Demo_Start, 2980);
    timers.setEnabled(TimerId::Demo_Start, true);
    ASSERT_TRUE(waitFor([&] { return timers.remainingTime(TimerId::Demo_Start) <= 2980 - 250; }));
    timers.setEnabled(TimerId::Demo_Start, true);
    EXPECT_LE(timers.remainingTime(TimerId::Demo_Start), 2980 - 250);  // not started again
}

TEST(QtTimers, ANewIntervalRestartsTheRunningPeriod) {
    QtTimers timers;
    timers.setInterval(TimerId::Ghost, 1000);
    timers.setEnabled(TimerId::Ghost, true);
    ASSERT_TRUE(waitFor([&] { return timers.remainingTime(TimerId::Ghost) <= 700; }));
    // A restarted period has its whole length left but for the time since the restart, which
    // the machine decides (and a few ms of rounding); a period that went on has at most 700 ms
    // minus that time left.
    QElapsedTimer since;
    since.start();
    timers.setInterval(TimerId::Ghost, 1000);
    EXPECT_GE(timers.remainingTime(TimerId::Ghost), 1000 - since.elapsed() - 5);
    since.restart();
    timers.setInterval(TimerId::Ghost, 600);
    EXPECT_GE(timers.remainingTime(TimerId::Ghost), 600 - since.elapsed() - 5);
    EXPECT_LE(timers.remainingTime(TimerId::Ghost), 600);
    EXPECT_EQ(timers.interval(TimerId::Ghost), 600);
}

TEST(QtTimers, AnIntervalSetWhileDisabledWaitsForTheEnable) {
    CountingTimers c;
    c.timers.setInterval(TimerId::Stage_Complete, 1);
    EXPECT_FALSE(c.timers.running(TimerId::Stage_Complete));
    ASSERT_TRUE(c.lapsOfTheWitness(1));
    EXPECT_EQ(c.count(TimerId::Stage_Complete), 0u);
    c.timers.setEnabled(TimerId::Stage_Complete, true);
    EXPECT_TRUE(c.timers.enabled(TimerId::Stage_Complete));
    EXPECT_TRUE(waitFor([&] { return c.count(TimerId::Stage_Complete) > 0; }));
}

TEST(QtTimers, AZeroIntervalGivesNoEventsButStaysEnabled) {
    CountingTimers c;
    c.timers.setInterval(TimerId::Bonus_Star, 0);
    c.timers.setEnabled(TimerId::Bonus_Star, true);
    ASSERT_TRUE(c.lapsOfTheWitness(1));
    EXPECT_EQ(c.count(TimerId::Bonus_Star), 0u);
    EXPECT_TRUE(c.timers.enabled(TimerId::Bonus_Star));
    EXPECT_FALSE(c.timers.running(TimerId::Bonus_Star));
    c.timers.setInterval(TimerId::Bonus_Star, 5);  // an interval brings the enabled timer to life
    EXPECT_TRUE(waitFor([&] { return c.count(TimerId::Bonus_Star) > 0; }));
}

}  // namespace
}  // namespace zn
