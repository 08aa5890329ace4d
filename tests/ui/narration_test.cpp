// The narrator's words: a real game watched as a host watches it, and the state changes it
// must tell apart (an extra life, a new stage, the score's pace).
#include "ui/narration.h"

#include <gtest/gtest.h>

#include "engine/headless_game.h"

namespace zn {
namespace {

struct Watched {
    HeadlessGame g{7};
    Narrator narrator;
    std::vector<Utterance> heard;

    Watched() { look(); }
    void look() {
        for (auto& u : narrator.observe(NarratedState::of(g.game), g.clock.now())) heard.push_back(u);
    }
    // Moves the clock as a host's frames do, looking after each.
    void run(std::int64_t ms) {
        for (std::int64_t t = 0; t < ms; t += 16) {
            g.run(16);
            look();
        }
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& u : heard) t.push_back(u.text);
        return t;
    }
};

TEST(Narration, AGameToldFromPowerOnToGameOver) {
    Watched w;
    w.g.game.Inp_power_down();
    w.look();
    w.run(2980);
    w.g.game.Inp_select_down();
    w.look();
    w.g.game.Inp_select_down();
    w.look();
    w.g.game.Inp_start_down();
    w.look();
    w.run(120000);  // nobody at the joystick: the ghosts catch Nibbo three times
    w.g.game.Inp_power_down();
    w.look();
    const std::vector<std::string> expected = {
        "Power on.", "Game 1 chosen.", "Game 2 chosen.", "Game 2 started. 2 lives left.",
        "Caught! 1 life left.", "Caught! No lives left.", "Game over. Score 0.", "Power off.",
    };
    EXPECT_EQ(w.texts(), expected);
    for (const auto& u : w.heard) EXPECT_EQ(u.urgent, u.text.rfind("Game over", 0) == 0) << u.text;
    EXPECT_EQ(Narrator::describe(NarratedState::of(w.g.game)), "The device is off.");
}

TEST(Narration, ChangesInPlayAndTheScoresPace) {
    const NarratedState play{Mode_Play_1, 0, 2, 1};
    const struct {
        std::int64_t at;
        NarratedState state;
        std::vector<std::string> said;
    } steps[] = {
        {0, play, {}},
        {100, {Mode_Play_1, 10, 2, 1}, {"Score 10."}},     // after a quiet while: at once
        {900, {Mode_Play_1, 20, 2, 1}, {}},                // within 2 s of the last: later
        {1500, {Mode_Play_1, 30, 1, 1}, {"Caught! 1 life left."}},
        {2100, {Mode_Play_1, 30, 1, 1}, {"Score 30."}},    // its last value, once due
        {2200, {Mode_Play_1, 20000, 2, 2}, {"Stage complete. Stage 2.", "Extra life! 2 lives left."}},
        {9000, {Mode_Play_1, 20000, 2, 2}, {"Score 20000."}},
        {9100, {Mode_Play_1, 20000, 2, 2}, {}},
    };
    Narrator n;
    for (const auto& s : steps) {
        std::vector<std::string> said;
        for (const auto& u : n.observe(s.state, s.at)) said.push_back(u.text);
        EXPECT_EQ(said, s.said) << "at " << s.at;
    }
}

TEST(Narration, TheWholeStateOnDemand) {
    const struct {
        NarratedState state;
        const char* words;
    } cases[] = {
        {{Mode_Off, 0, 0, 0}, "The device is off."},
        {{Mode_Idle, 0, 0, 0}, "The device is on. No game chosen."},
        {{Mode_Select_3, 0, 0, 0}, "Game 3 chosen. Press START to play."},
        {{Mode_Play_4, 1230, 1, 3}, "Game 4, stage 3. Score 1230. 1 life left."},
        {{Mode_Play_2, 500, -1, 1}, "Game 2 over. Score 500."},  // the game-over pause
        {{Mode_Game_Over_2, 500, -1, 1}, "Game 2 over. Score 500."},
    };
    for (const auto& c : cases) EXPECT_EQ(Narrator::describe(c.state), c.words);
    EXPECT_EQ(Narrator::speedWords(75), "Speed 75 percent.");
}

}  // namespace
}  // namespace zn
