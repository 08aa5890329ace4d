// The game's pace: at each speed the game's timers come speed / 100 as often in real time,
// and a game recorded at a slower speed plays again at that speed to the same end.
#include "ui/pace.h"

#include <gtest/gtest.h>

#include "engine/headless_game.h"
#include "engine/snapshot.h"
#include "replay/recording.h"
#include "replay/session.h"

namespace zn {
namespace {

TEST(Pace, EachSpeedSlowsEveryTimerBySpeedOverAHundred) {
    const struct {
        int speed;
        int tickPeriod;  // the 120 ms game tick, in real milliseconds
        int startTune;   // the 2980 ms power-on tune
        std::int64_t gameMsIn10s;
    } cases[] = {{100, 120, 2980, 10000}, {75, 160, 3973, 7500}, {50, 240, 5960, 5000}, {60, 120, 2980, 10000}};
    for (const auto& c : cases) {
        EXPECT_EQ(Pace::realPeriod(120, c.speed), c.tickPeriod) << c.speed;
        EXPECT_EQ(Pace::realPeriod(2980, c.speed), c.startTune) << c.speed;
        // Ten seconds of frames of 16.7 ms (16 and 17 in turn): no game time lost on the way.
        Pace pace(c.speed);
        std::int64_t game = 0;
        for (int real = 0, i = 0; real < 10000; ++i) {
            const int frame = std::min(i % 3 == 2 ? 16 : 17, 10000 - real);
            game += pace.gameMs(frame);
            real += frame;
        }
        EXPECT_EQ(game, c.gameMsIn10s) << c.speed;
        // The real time until the next game tick is due, from wherever the carry stands.
        const std::int64_t wait = pace.realMs(120);
        EXPECT_GE(pace.gameMs(wait), 120) << c.speed;
    }
}

// A game at 50 %: the host moves the session by the paced real time of 16 ms frames, the
// player presses between frames; its recording says 50, and played at that pace it takes
// the same real time to reach the same end.
TEST(Pace, ASlowedGameIsRecordedWithItsSpeedAndPlaysAgainExactly) {
    const struct {
        int atRealMs;
        Control control;
        bool press;
    } presses[] = {{100, Control::Power, true},   {6500, Control::Select, true}, {6600, Control::Select, false},
                   {6700, Control::Start, true},  {6800, Control::Start, false}, {7000, Control::Left, true},
                   {9000, Control::Left, false},  {9010, Control::Up, true},     {12000, Control::Up, false}};
    const int kEndMs = 15000;
    std::string liveEnd;
    replay::Recording recording;
    {
        HeadlessGame d;
        replay::GameControls controls(d.game);
        replay::Session s(d.clock, d.game, d.random, controls, {std::nullopt, true, 42});
        Pace pace(50);
        std::size_t next = 0;
        for (int real = 0; real < kEndMs; real += 16) {
            s.advance(pace.gameMs(16));
            for (; next < std::size(presses) && presses[next].atRealMs <= real + 16; ++next)
                s.input(presses[next].control, presses[next].press);
        }
        liveEnd = showFigures(d.figures) + showState(d.game, d.clock);
        recording = *s.recorded();
        recording.speed = pace.speed();
        EXPECT_EQ(d.game.Gam_Mode, Mode_Play_1);
        EXPECT_NEAR(static_cast<double>(d.clock.now()), kEndMs / 2.0, 16);
    }
    const replay::ReadResult read = replay::readRecording(replay::writeRecording(recording));
    ASSERT_TRUE(read.recording);
    EXPECT_EQ(read.recording->speed, 50);

    HeadlessGame d(7);
    replay::GameControls controls(d.game);
    replay::Session s(d.clock, d.game, d.random, controls, {*read.recording, false, 0});
    Pace pace(read.recording->speed);
    int real = 0;
    for (; s.phase() == replay::Session::Phase::Playing && real < 2 * kEndMs; real += 16) s.advance(pace.gameMs(16));
    EXPECT_EQ(showFigures(d.figures) + showState(d.game, d.clock), liveEnd);
    EXPECT_NEAR(real, kEndMs, 32);
}

}  // namespace
}  // namespace zn
