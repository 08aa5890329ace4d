// Many thousands of ticks of random input in each game, with the game's invariants
// checked after every timer event and every input. The seeds are printed at the start;
// SOAK_SEED=N plays other input (N = 0 is the default input), and a failure names the seed
// that repeats it.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

#include "rig.h"

namespace zn::test {
namespace {

bool inPlayOrOver(int mode) { return mode >= Mode_Play_1 && mode <= Mode_Game_Over_4; }

void checkInvariants(const Rig& r) {
    const Game& g = r.game;
    const FigureTable& f = r.figures;
    ASSERT_GE(g.Gam_Mode, Mode_Off);
    ASSERT_LE(g.Gam_Mode, Mode_Game_Over_4);
    if (!inPlayOrOver(g.Gam_Mode)) return;

    int running = 0;
    for (TimerId t :
         {TimerId::Game, TimerId::Bonus_Star, TimerId::Ghost, TimerId::Miss, TimerId::Stage_Complete})
        running += r.clock.enabled(t);
    ASSERT_LE(running, 1);
    ASSERT_FALSE(r.clock.enabled(TimerId::Demo_Start));

    ASSERT_GE(g.Gam_Score, 0);
    ASSERT_LT(g.Gam_Score, 100000);
    ASSERT_GE(g.Gam_Lives, -1);
    ASSERT_LE(g.Gam_Lives, 2);
    ASSERT_GE(g.Gam_Ghost_Count, 1);
    ASSERT_LE(g.Gam_Ghost_Count, 3);

    int items = 0;
    for (int col = 1; col <= 10; ++col)
        for (int row = 1; row <= 7; ++row) {
            const int c = g.pills(col, row);
            items += c == Cell_Pill || c == Cell_Energizer;
            if (isVisibleCell(col, row) && !img::isHouse(col, row)) {
                ASSERT_EQ(f.visible(img::im_pill(col, row)), c != Cell_Empty) << col << "," << row;
            } else {
                ASSERT_EQ(c, Cell_Empty);
            }
        }
    ASSERT_EQ(g.Gam_Pills_Left, items);

    ASSERT_FALSE(img::isHouse(g.Gam_Nibbo_Col, g.Gam_Nibbo_Row));
    for (int col = 2; col <= 9; ++col)
        for (int row = 1; row <= 7; ++row) {
            if (!img::isHouse(col, row)) {
                ASSERT_EQ(f.visible(img::im_nibbo(col, row)),
                          col == g.Gam_Nibbo_Col && row == g.Gam_Nibbo_Row);
            }
            bool ghostHere = false;
            for (int k = 1; k <= g.Gam_Ghost_Count; ++k)
                ghostHere |= g.Gam_Ghosts[k].Col == col && g.Gam_Ghosts[k].Row == row;
            if (f.visible(img::im_ghost(col, row))) {
                ASSERT_TRUE(ghostHere) << col << "," << row;
            }
        }
    for (int k = 1; k <= 3; ++k) {
        const TGhost& gh = g.Gam_Ghosts[k];
        ASSERT_EQ(gh.State == Ghost_Absent, k > g.Gam_Ghost_Count);
        ASSERT_TRUE(gh.Col >= 1 && gh.Col <= 10 && gh.Row >= 1 && gh.Row <= 7);
    }

    std::int32_t shown = 0;
    for (int p = 1; p <= 5; ++p) {
        ASSERT_TRUE(f.visible(img::im_panel_digit_pos(p)));
        shown = shown * 10 + f.panelDigit(p);
    }
    ASSERT_EQ(shown, g.Gam_Score);
    ASSERT_EQ(f.visible(img::im_panel_lives_1), g.Gam_Lives >= 1);
    ASSERT_EQ(f.visible(img::im_panel_lives_2), g.Gam_Lives >= 2);
}

// The first step of a shortest way from Nibbo to the nearest pill, energizer or star;
// 0 when none can be reached.
int towardFood(const Game& g) {
    std::array<int, kGameCells> firstStep{};
    std::array<bool, kGameCells> seen{};
    std::vector<std::pair<int, int>> queue{{g.Gam_Nibbo_Col, g.Gam_Nibbo_Row}};
    seen[cellIndex(g.Gam_Nibbo_Col, g.Gam_Nibbo_Row)] = true;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const auto [col, row] = queue[i];
        const int here = cellIndex(col, row);
        if (i > 0 && g.pills(col, row) != Cell_Empty) return firstStep[here];
        for (int dir : {Dir_Right, Dir_Up, Dir_Left, Dir_Down}) {
            if (!(g.labyrinth(col, row) & dir)) continue;
            int c = col + (dir == Dir_Right) - (dir == Dir_Left);
            const int r = row + (dir == Dir_Up) - (dir == Dir_Down);
            c = c == 11 ? 1 : c == 0 ? 10 : c;
            if (seen[cellIndex(c, r)]) continue;
            seen[cellIndex(c, r)] = true;
            firstStep[cellIndex(c, r)] = i == 0 ? dir : firstStep[here];
            queue.emplace_back(c, r);
        }
    }
    return 0;
}

struct Tally {
    int misses = 0, gameOvers = 0, ghostsEaten = 0, stages = 0, stars = 0;
};

void soak(int gameNumber, std::uint64_t seed, std::int64_t simulatedMs, Tally& tally) {
    Rig r;
    r.random.seed(seed);
    std::mt19937_64 input(seed * 7 + 1);
    auto chance = [&](int percent) { return static_cast<int>(input() % 100) < percent; };
    r.startGame(gameNumber);
    r.sound.keepCalls = false;
    r.sound.listener = [&](const SoundCall& c) {
        if (!c.sample) return;
        tally.misses += *c.sample == Snd_Miss;
        tally.ghostsEaten += *c.sample == Snd_Ghost;
        tally.stages += *c.sample == Snd_Stage;
        tally.stars += *c.sample == Snd_Bonus;
    };
    void (Game::*const presses[])() = {&Game::Inp_arrow_right_down, &Game::Inp_arrow_up_down,
                                       &Game::Inp_arrow_left_down, &Game::Inp_arrow_down_down};
    void (Game::*const releases[])() = {&Game::Inp_arrow_right_up, &Game::Inp_arrow_up_up,
                                        &Game::Inp_arrow_left_up, &Game::Inp_arrow_down_up};
    const std::int64_t end = r.clock.now() + simulatedMs;
    while (r.clock.now() < end) {
        if (chance(60)) {  // mostly a player heading for the food, so that stages get cleared
            const int want = towardFood(r.game);
            for (int d = 0; d < 4; ++d) (r.game.*((want >> d) & 1 ? presses : releases)[d])();
        } else {
            const int d = static_cast<int>(input() % 4);
            (r.game.*(chance(70) ? presses : releases)[d])();
        }
        if (chance(5)) r.game.Inp_start_down(), r.game.Inp_start_up();
        if (chance(2)) r.game.Inp_select_down(), r.game.Inp_select_up();
        if (chance(1)) r.game.Inp_power_down();
        ASSERT_NO_FATAL_FAILURE(checkInvariants(r));

        const std::int64_t until = r.clock.now() + 1 + static_cast<std::int64_t>(input() % 700);
        TimerId t;
        while (r.clock.step(until, t)) {
            const int modeBefore = r.game.Gam_Mode;
            r.game.onTimer(t);
            if (r.game.Gam_Mode != modeBefore && r.game.Gam_Mode >= Mode_Game_Over_1) ++tally.gameOvers;
            ASSERT_NO_FATAL_FAILURE(checkInvariants(r));
        }
        // Find the way back into a game after a power-off or a game over.
        if (r.game.Gam_Mode == Mode_Off) r.game.Inp_power_down();
        if (r.game.Gam_Mode == Mode_Idle ||
            (r.game.Gam_Mode >= Mode_Select_1 && r.game.Gam_Mode <= Mode_Select_4)) {
            for (int i = 0; i < 4 && r.game.Gam_Mode != Mode_Select_1 + gameNumber - 1; ++i)
                r.game.Inp_select_down();
            r.game.Inp_start_down();
        }
    }
}

// The base of every seed of this run: SOAK_SEED when it holds a number, else 0.
std::uint64_t baseSeed() {
    const char* text = std::getenv("SOAK_SEED");
    if (!text || !*text) return 0;
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text, &end, 10);
    if (*end != '\0') {
        ADD_FAILURE() << "SOAK_SEED is not a number: " << text;
        return 0;
    }
    return v;
}

TEST(Soak, RandomPlayInAllFourGamesKeepsEveryInvariant) {
    const std::uint64_t base = baseSeed();
    std::printf("soak seed %llu (SOAK_SEED=%llu repeats this run)\n", static_cast<unsigned long long>(base),
                static_cast<unsigned long long>(base));
    std::fflush(stdout);
    Tally tally;
    for (int n = 1; n <= 4; ++n)
        for (std::uint64_t k : {1u, 2u, 3u}) {
            const std::uint64_t seed = base * 1000 + k * 100 + n;
            ASSERT_NO_FATAL_FAILURE(soak(n, seed, 30LL * 60 * 1000, tally))
                << "game " << n << ", seed " << seed << " (SOAK_SEED=" << base << ")";
        }
    // The random play must really have reached the situations the invariants guard.
    EXPECT_GT(tally.misses, 100);
    EXPECT_GT(tally.gameOvers, 10);
    EXPECT_GT(tally.ghostsEaten, 10);
    EXPECT_GT(tally.stars, 10);
    EXPECT_GT(tally.stages, 10);
    std::printf("misses %d, game overs %d, ghosts eaten %d, stars %d, stages %d\n", tally.misses,
                tally.gameOvers, tally.ghostsEaten, tally.stars, tally.stages);
}

}  // namespace
}  // namespace zn::test
