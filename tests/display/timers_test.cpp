// The engine's timers over QTimer, driven by a real event loop.
#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "display/qttimers.h"

namespace zn {
namespace {

TEST(QtTimers, EventsComeForTheEnabledTimerOnly) {
    QtTimers timers;
    std::vector<TimerId> fired;
    timers.setHandler([&](TimerId t) { fired.push_back(t); });
    timers.setInterval(TimerId::Game, 10);
    timers.setInterval(TimerId::Miss, 10);
    timers.setEnabled(TimerId::Game, true);
    QTest::qWait(120);
    timers.setEnabled(TimerId::Game, false);
    ASSERT_GE(fired.size(), 3u);
    for (TimerId t : fired) EXPECT_EQ(t, TimerId::Game);
    const std::size_t n = fired.size();
    QTest::qWait(50);
    EXPECT_EQ(fired.size(), n);  // nothing after disabling
}

TEST(QtTimers, EnablingAnEnabledTimerKeepsItsPeriod) {
    QtTimers timers;
    timers.setInterval(TimerId::Demo_Start, 2980);
    timers.setEnabled(TimerId::Demo_Start, true);
    QTest::qWait(300);
    timers.setEnabled(TimerId::Demo_Start, true);
    EXPECT_LE(timers.remainingTime(TimerId::Demo_Start), 2980 - 250);
}

TEST(QtTimers, ANewIntervalRestartsTheRunningPeriod) {
    QtTimers timers;
    timers.setInterval(TimerId::Ghost, 1000);
    timers.setEnabled(TimerId::Ghost, true);
    QTest::qWait(300);
    timers.setInterval(TimerId::Ghost, 1000);
    EXPECT_GE(timers.remainingTime(TimerId::Ghost), 900);
    timers.setInterval(TimerId::Ghost, 600);
    EXPECT_GE(timers.remainingTime(TimerId::Ghost), 500);
    EXPECT_LE(timers.remainingTime(TimerId::Ghost), 600);
    EXPECT_EQ(timers.interval(TimerId::Ghost), 600);
}

TEST(QtTimers, AnIntervalSetWhileDisabledWaitsForTheEnable) {
    QtTimers timers;
    int events = 0;
    timers.setHandler([&](TimerId) { ++events; });
    timers.setInterval(TimerId::Stage_Complete, 1);
    EXPECT_FALSE(timers.running(TimerId::Stage_Complete));
    QTest::qWait(30);
    EXPECT_EQ(events, 0);
    timers.setEnabled(TimerId::Stage_Complete, true);
    EXPECT_TRUE(timers.enabled(TimerId::Stage_Complete));
    QTest::qWait(30);
    EXPECT_GT(events, 0);
}

TEST(QtTimers, AZeroIntervalGivesNoEventsButStaysEnabled) {
    QtTimers timers;
    int events = 0;
    timers.setHandler([&](TimerId) { ++events; });
    timers.setInterval(TimerId::Bonus_Star, 0);
    timers.setEnabled(TimerId::Bonus_Star, true);
    QTest::qWait(30);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(timers.enabled(TimerId::Bonus_Star));
    EXPECT_FALSE(timers.running(TimerId::Bonus_Star));
    timers.setInterval(TimerId::Bonus_Star, 5);  // an interval brings the enabled timer to life
    QTest::qWait(40);
    EXPECT_GT(events, 0);
}

}  // namespace
}  // namespace zn
