#pragma once
// A game on in-memory services, with the steps a player takes to reach a situation
// and checks against the script driver's text pictures of state and figures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/headless_game.h"
#include "engine/snapshot.h"

namespace zn::test {

struct Rig : HeadlessGame {
    Rig() : HeadlessGame(12345) {}

    // Power on, select game n, start it: the first tick is 120 ms away; no sound recorded yet.
    void startGame(int n) {
        HeadlessGame::startGame(n);
        sound.calls.clear();
    }
    std::vector<SoundCall> takeSounds() {
        auto s = sound.calls;
        sound.calls.clear();
        return s;
    }
    void placeNibbo(int col, int row) {
        game.Vid_Display_All_Nibbo(false);
        game.Gam_Nibbo_Col = col;
        game.Gam_Nibbo_Row = row;
        game.Vid_Display_Nibbo(col, row, true);
    }
    void placeGhost(int k, int state, int col, int row) { game.Gam_Ghosts[k] = {state, col, row}; }
    // One tick on which Nibbo may step (and ghosts stepping every 5 ticks may not), `dir` held.
    void stepTick(int dir) {
        game.Inp_Joystick_Right = dir == Dir_Right;
        game.Inp_Joystick_Up = dir == Dir_Up;
        game.Inp_Joystick_Left = dir == Dir_Left;
        game.Inp_Joystick_Down = dir == Dir_Down;
        game.Gam_Tick = 4;
        game.Timer_GameTimer();
    }
    // Every pill and energizer eaten but the one at (col, row).
    void leaveOnlyItemAt(int col, int row) {
        for (int c = 2; c <= 9; ++c)
            for (int r = 1; r <= 7; ++r)
                if ((c != col || r != row) && game.pills(c, r) != Cell_Bonus_Star) {
                    game.pills(c, r) = Cell_Empty;
                    game.displayPill(c, r, false);
                }
        game.Gam_Pills_Left = 1;
    }
};

inline SoundCall play(Sample s) { return {s}; }
inline SoundCall silence() { return {}; }

inline ::testing::AssertionResult contains(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "lacks \"" << part << "\" in\n" << text;
}
// The `state` line of the game, e.g. "... score=10 lives=2 ... timers=Game:120".
inline ::testing::AssertionResult stateHas(const Rig& r, const std::string& part) {
    const std::string s = showState(r.game, r.clock);
    return contains(s.substr(0, s.find('\n')), part);
}
// The `show` picture of the figures, e.g. "row 3 22223222".
inline ::testing::AssertionResult figuresHave(const Rig& r, const std::string& part) {
    return contains(showFigures(r.figures), part);
}

}  // namespace zn::test
