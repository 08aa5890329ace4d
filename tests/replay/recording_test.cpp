#include "replay/recording.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/headless_game.h"
#include "engine/snapshot.h"
#include "replay/session.h"

namespace zn::replay {
namespace {

// A step of play: wait ms, or press (+) or release (-) a control.
struct Step {
    int waitMs;
    Control control;
    bool press;
};
Step wait(int ms) { return {ms, Control::Power, true}; }
Step down(Control c) { return {0, c, true}; }
Step up(Control c) { return {0, c, false}; }

std::string picture(HeadlessGame& d) { return showFigures(d.figures) + showState(d.game, d.clock); }

struct Played {
    std::string end;  // figures and state when the recording ends
    Recording recording;
};

// Plays the steps on the engine itself, as the script driver does, noting what it presses.
Played playLive(std::uint64_t seed, const std::vector<Step>& steps) {
    HeadlessGame d(seed);
    Recorder recorder(seed);
    for (const Step& step : steps) {
        if (step.waitMs > 0) {
            d.run(step.waitMs);
            continue;
        }
        step.press ? pressOnGame(d.game, step.control) : releaseOnGame(d.game, step.control);
        recorder.note(d.clock.now(), step.control, step.press);
    }
    return {picture(d), recorder.upTo(d.clock.now())};
}

const std::vector<Step> kStartGame2 = {
    down(Control::Power),  wait(2980),          down(Control::Select), up(Control::Select),
    down(Control::Select), up(Control::Select), down(Control::Start),  up(Control::Start)};

std::vector<Step> busyPlay(int turns) {
    std::vector<Step> steps = kStartGame2;
    const Control dirs[] = {Control::Left, Control::Up, Control::Right, Control::Down};
    for (int i = 0; i < turns; ++i) {
        const Control c = dirs[(i * 7 + i / 3) % 4];
        steps.insert(steps.end(), {down(c), wait(130 + 37 * (i % 9)), down(c), wait(40), up(c), wait(3)});
    }
    return steps;
}

struct RoundTrip {
    const char* name;
    std::uint64_t seed;
    std::vector<Step> steps;
    std::size_t events;  // what the recorder keeps
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

class RecordingRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

// Recorded, written, read and played again, a game ends on the same figures and state; the
// clock then holds still until a press hands the game over.
TEST_P(RecordingRoundTrip, PlaysAgainToTheSameEnd) {
    const RoundTrip& c = GetParam();
    const Played live = playLive(c.seed, c.steps);
    EXPECT_EQ(live.recording.events.size(), c.events);

    const std::string text = writeRecording(live.recording);
    const ReadResult read = readRecording(text);
    ASSERT_TRUE(read.recording) << read.problem.line << ": " << read.problem.reason << "\n" << text;
    EXPECT_EQ(*read.recording, live.recording);

    HeadlessGame d(12345);  // another seed: the recording's must win
    GameControls controls(d.game);
    Session s(d.clock, d.game, d.random, controls, {*read.recording, false, 0});
    EXPECT_FALSE(s.input(Control::Power, true));  // the player waits while it plays
    s.advance(kMaxTimeMs);
    EXPECT_EQ(s.phase(), Session::Phase::Held);
    EXPECT_EQ(picture(d), live.end);
    s.advance(5000);
    EXPECT_EQ(d.clock.now(), live.recording.end);
    EXPECT_FALSE(s.input(Control::Up, false));
    EXPECT_TRUE(s.input(Control::Power, true));
    EXPECT_EQ(s.phase(), Session::Phase::Live);
    EXPECT_EQ(d.game.Gam_Mode, live.recording.events.empty() ? Mode_Power_On : Mode_Off);
}

INSTANTIATE_TEST_SUITE_P(
    Games, RecordingRoundTrip,
    ::testing::Values(
        RoundTrip{"nothing_pressed", 0, {wait(1500)}, 0},
        RoundTrip{"power_release_left_out", 9, {down(Control::Power), up(Control::Power), wait(100)}, 1},
        RoundTrip{"game_started", 7, kStartGame2, 7},
        // every turn: a press, its repeat (left out), a release
        RoundTrip{"busy_play", 20261208, busyPlay(60), 7 + 60 * 2},
        RoundTrip{"largest_seed", UINT64_MAX, busyPlay(5), 7 + 5 * 2},
        RoundTrip{"hours_of_waiting", 3, {down(Control::Power), wait(5 * 3600 * 1000)}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The host sleeps until whatever falls due first: a timer or the recording's next event, then
// its end; nothing once held.
TEST(RecordingSession, TellsTheHostWhenSomethingFallsDueNext) {
    HeadlessGame d;
    GameControls controls(d.game);
    const Recording r{
        1, kSpeedDefault, StartState::Off, {{50, Control::Power, true}, {3000, Control::Up, true}}, 4000};
    Session s(d.clock, d.game, d.random, controls, {r, false, 0});
    EXPECT_EQ(s.untilNext(), 50);  // no timer yet: the power press
    s.advance(60);
    EXPECT_EQ(s.untilNext(), 2940);  // the up press at 3000, before the start tune ends at 3030
    s.advance(2980);
    EXPECT_EQ(s.untilNext(), 960);  // no timer: the end at 4000
    s.advance(960);
    EXPECT_EQ(s.phase(), Session::Phase::Held);
    EXPECT_EQ(s.untilNext(), std::nullopt);
}

struct Refusal {
    const char* text;
    long line;
    const char* reason;  // a part of the reason
};

class RecordingRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(RecordingRefusal, NamesTheLineAndTheReason) {
    const ReadResult r = readRecording(GetParam().text);
    ASSERT_FALSE(r.recording);
    EXPECT_EQ(r.problem.line, GetParam().line);
    EXPECT_NE(r.problem.reason.find(GetParam().reason), std::string::npos) << r.problem.reason;
}

#define HEAD "zorpy-nibbo-replay 1\nseed 5\nstart off\n"
INSTANTIATE_TEST_SUITE_P(
    Texts, RecordingRefusal,
    ::testing::Values(
        Refusal{"zorpy-nibbo-replay 2\nseed 5\nstart off\nend 0\n", 1, "version '2'"},
        Refusal{"hello\n", 1, "not a replay"}, Refusal{"", 1, "the first line is missing"},
        Refusal{HEAD "10U\n-3u\nend 0\n", 5, "backwards"}, Refusal{HEAD "end -1\n", 4, "backwards"},
        Refusal{HEAD "86400000U\n1u\nend 0\n", 5, "passes 24 hours"},
        Refusal{HEAD "86400001U\nend 0\n", 4, "passes 24 hours"},
        Refusal{HEAD "0P\n12000000000000000000000U\nend 0\n", 5, "passes 24 hours"},
        Refusal{HEAD "0PX\nend 0\n", 4, "unknown control 'X'"}, Refusal{HEAD "0\x01\nend 0\n", 4, "'\\x01'"},
        Refusal{HEAD "0Pp\nend 0\n", 4, "power has no release"}, Refusal{HEAD "5\nend 0\n", 4, "no control"},
        Refusal{HEAD "0P\n", 5, "the end line is missing"},
        Refusal{HEAD "end 0\n0P\n", 5, "text after the end"},
        Refusal{"zorpy-nibbo-replay 1\nseed x\nstart off\nend 0\n", 2, "seed 'x'"},
        Refusal{"zorpy-nibbo-replay 1\nseed 18446744073709551616\nstart off\nend 0\n", 2, "seed"},
        Refusal{"zorpy-nibbo-replay 1\nseed 1\nspeed 60\nstart off\nend 0\n", 3, "speed '60'"},
        Refusal{"zorpy-nibbo-replay 1\nseed 1\nstart on\nend 0\n", 3, "start 'on'"}));
#undef HEAD

TEST(RecordingText, AcceptsCrlfASpeedAndNoLastLineEnd) {
    const ReadResult r =
        readRecording("zorpy-nibbo-replay 1\r\nseed 8\r\nspeed 75\r\nstart off\r\n0P\r\n3Gg\r\nend 4");
    ASSERT_TRUE(r.recording) << r.problem.reason;
    EXPECT_EQ(r.recording->speed, 75);
    EXPECT_EQ(r.recording->events,
              (std::vector<Event>{
                  {0, Control::Power, true}, {3, Control::Select, true}, {3, Control::Select, false}}));
    EXPECT_EQ(r.recording->end, 7);
    EXPECT_NE(writeRecording(*r.recording).find("speed 75\n"), std::string::npos);
}

TEST(RecordingText, RefusesATextOverAMegabyteWhole) {
    std::string text = "zorpy-nibbo-replay 1\nseed 1\nstart off\n";
    while (text.size() <= kMaxBytes) text += "0U\n0u\n";
    const ReadResult r = readRecording(text + "end 0\n");
    ASSERT_FALSE(r.recording);
    EXPECT_EQ(r.problem.line, 0);
    EXPECT_NE(r.problem.reason.find("over the 1 MB"), std::string::npos);
}

}  // namespace
}  // namespace zn::replay
