#pragma once
// A game on in-memory services, with the steps a player takes to reach a situation.
#include <gtest/gtest.h>

#include <vector>

#include "engine/figure_table.h"
#include "engine/game.h"
#include "engine/queued_random.h"
#include "engine/recording_sound.h"
#include "engine/virtual_clock.h"

namespace zn::test {

struct Rig {
    VirtualClock clock;
    FigureTable figures;
    RecordingSound sound;
    QueuedRandom random{12345};
    Game game{clock, figures, sound, random};

    Rig() { game.Snd_Enabled = true; }

    void run(std::int64_t ms) {
        clock.advance(ms, [this](TimerId t) { game.onTimer(t); });
    }
    // Runs until the next event has run; returns its timer.
    TimerId runEvent() {
        TimerId t{};
        bool fired = clock.step(clock.now() + 1000000, t);
        EXPECT_TRUE(fired);
        if (fired) game.onTimer(t);
        return t;
    }
    void powerOnToIdle() {
        game.Inp_power_down();
        run(2980);
    }
    // Power on, select game n, start it: the first tick is 120 ms away.
    void startGame(int n) {
        powerOnToIdle();
        for (int i = 0; i < n; ++i) {
            game.Inp_select_down();
            game.Inp_select_up();
        }
        game.Inp_start_down();
        game.Inp_start_up();
        sound.calls.clear();
    }
    // Only the timers that are enabled, in TimerId order.
    std::vector<TimerId> enabledTimers() const {
        std::vector<TimerId> on;
        for (int i = 0; i < kTimerCount; ++i)
            if (clock.enabled(static_cast<TimerId>(i))) on.push_back(static_cast<TimerId>(i));
        return on;
    }
    std::vector<SoundCall> takeSounds() {
        auto s = sound.calls;
        sound.calls.clear();
        return s;
    }
    // Nibbo placed on a cell with its figure, as if it had walked there.
    void placeNibbo(int col, int row) {
        game.Vid_Display_All_Nibbo(false);
        game.Gam_Nibbo_Col = col;
        game.Gam_Nibbo_Row = row;
        game.Vid_Display_Nibbo(col, row, true);
    }
    void placeGhost(int k, int state, int col, int row) { game.Gam_Ghosts[k] = {state, col, row}; }
    // Every pill and energizer eaten but the one at (col, row).
    void leaveOnlyItemAt(int col, int row) {
        for (int c = 1; c <= 10; ++c)
            for (int r = 1; r <= 7; ++r)
                if ((c != col || r != row) && game.pills(c, r) != Cell_Bonus_Star) {
                    game.pills(c, r) = Cell_Empty;
                    game.Vid_Display_Pill(c, r, false);
                }
        game.Gam_Pills_Left = 1;
    }
};

inline SoundCall play(Sample s) { return {s}; }
inline SoundCall silence() { return {}; }

}  // namespace zn::test
