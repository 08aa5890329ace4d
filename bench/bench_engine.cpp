// Game ticks through the engine with in-memory services, and the cost of one whole game.
#include <benchmark/benchmark.h>

#include "engine/headless_game.h"

namespace zn {
namespace {

// Sound calls are counted by nobody: keeping them would grow a vector during the run.
struct Device : HeadlessGame {
    Device() : HeadlessGame(2024) { sound.keepCalls = false; }
};

// One tick of game 4 (three fast ghosts from stage 2) with Nibbo parked in the tunnel, so
// that nothing interrupts the ticks: ghosts step every other tick, the stars come and go.
void BM_GameTick(benchmark::State& state) {
    Device d;
    d.startGame(4);
    d.game.Gam_Stage = 2;
    d.game.Gam_Init_Stage_Ghosts();
    d.game.Gam_Nibbo_Col = 1;
    d.game.Gam_Nibbo_Row = 5;
    for (auto _ : state) d.game.Timer_GameTimer();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GameTick);

// The same through the virtual clock: one 120 ms advance per iteration.
void BM_GameTickThroughClock(benchmark::State& state) {
    Device d;
    d.startGame(4);
    d.game.Gam_Nibbo_Col = 1;
    d.game.Gam_Nibbo_Row = 5;
    for (auto _ : state) d.run(120);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GameTickThroughClock);

// A whole game 2, from the start button to the game-over mode, with Nibbo walking a loop
// of the lower board while the ghosts hunt it; the pauses run on the virtual clock.
void BM_FullGame(benchmark::State& state) {
    std::int64_t ticks = 0;
    std::int64_t games = 0;
    for (auto _ : state) {
        Device d;
        d.random.seed(static_cast<std::uint64_t>(games++));
        d.startGame(2);
        d.game.Inp_arrow_down_down();
        d.game.Inp_arrow_left_down();
        const std::int64_t start = d.clock.now();
        while (d.game.Gam_Mode == Mode_Play_2) d.run(120);
        ticks += (d.clock.now() - start) / 120;
    }
    state.counters["ticks_per_game"] = benchmark::Counter(static_cast<double>(ticks) / games);
}
BENCHMARK(BM_FullGame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zn

BENCHMARK_MAIN();
