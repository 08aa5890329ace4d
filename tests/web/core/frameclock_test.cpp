#include "web/core/frameclock.h"

#include <gtest/gtest.h>

namespace zn::web {
namespace {

constexpr std::int64_t kCap = static_cast<std::int64_t>(FrameClock::kMaxCatchUpMs);

TEST(FrameClock, FollowsRealTimeCatchesUpByItsCapAndStandsStill) {
    struct Step {
        const char* what;
        double t;
        bool running;
        bool restartFirst;
        std::int64_t gameTime;  // after the frame
    };
    const Step steps[] = {
        {"the first frame only notes the time", 1000, true, false, 0},
        {"a frame later", 1016.5, true, false, 16},
        {"the half milliseconds add up", 1033, true, false, 33},
        {"a stall: no more than the cap", 5033, true, false, 33 + kCap},
        {"hidden: stands still", 6000, false, false, 33 + kCap},
        {"visible again: the time away is not played", 9000, true, true, 33 + kCap},
        {"on from where it stood", 9120, true, false, 153 + kCap},
        {"a clock running backwards moves nothing", 9100, true, false, 153 + kCap},
        {"paused", 9500, false, false, 153 + kCap},
        {"resumed: the pause is not played", 9600, true, true, 153 + kCap},
        {"and on", 9700, true, false, 253 + kCap},
    };
    FrameClock clock;
    std::int64_t gameTime = 0;
    for (const Step& s : steps) {
        if (s.restartFirst) clock.restart();
        gameTime += clock.frame(s.t, s.running);
        EXPECT_EQ(gameTime, s.gameTime) << s.what;
    }
}

}  // namespace
}  // namespace zn::web
