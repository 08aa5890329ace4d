#pragma once
// One game on the in-memory services: the virtual clock, the figure table, recorded sound
// and a seeded random source with forced draws. The tests, the benchmarks and the script
// driver all play through it, so they set a game up the same way.
#include <cstdint>

#include "engine/figure_table.h"
#include "engine/game.h"
#include "engine/queued_random.h"
#include "engine/recording_sound.h"
#include "engine/virtual_clock.h"

namespace zn {

struct HeadlessGame {
    VirtualClock clock;
    FigureTable figures;
    RecordingSound sound;
    QueuedRandom random;
    Game game{clock, figures, sound, random};

    // Sound is on, as after choosing a sound output in the splash dialog.
    explicit HeadlessGame(std::uint64_t seed = 0) : random(seed) { game.Snd_Enabled = true; }

    // Advances the virtual clock by ms, firing every timer that falls due on the way.
    void run(std::int64_t ms) {
        clock.advance(ms, [this](TimerId t) { game.onTimer(t); });
    }
    // Power on, wait for the start tune, select game n (1..4), start it: the first tick is
    // 120 ms away.
    void startGame(int n) {
        game.Inp_power_down();
        run(2980);
        for (int i = 0; i < n; ++i) game.Inp_select_down();
        game.Inp_select_up();
        game.Inp_start_down();
        game.Inp_start_up();
    }
};

}  // namespace zn
