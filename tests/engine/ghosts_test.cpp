#include <cctype>
#include <string>
#include <vector>

#include "rig.h"

namespace zn::test {
namespace {

struct StepCase {
    const char* what;
    int state, gc, gr, nc, nr;
    std::vector<int> forced;
    int toCol, toRow;
    int drawsUsed;
};

class GhostStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(GhostStep, FollowsTheChaseOrEscapeRule) {
    const StepCase& c = GetParam();
    Rig r;
    r.game.Gam_Mode = Mode_Play_1;
    r.game.Gam_Ghost_Count = 1;
    r.placeGhost(1, c.state, c.gc, c.gr);
    r.placeGhost(2, Ghost_Absent, 6, 4);
    r.game.Gam_Nibbo_Col = c.nc;
    r.game.Gam_Nibbo_Row = c.nr;
    for (int v : c.forced) r.random.force(v);
    r.game.Gam_Move_Ghosts();
    EXPECT_EQ(r.game.Gam_Ghosts[1].Col, c.toCol);
    EXPECT_EQ(r.game.Gam_Ghosts[1].Row, c.toRow);
    EXPECT_EQ(static_cast<int>(c.forced.size() - r.random.forcedLeft()), c.drawsUsed);
    EXPECT_EQ(r.game.Gam_Ghosts[2].Col, 6);  // absent records never move
}

// Forced draws: 0 right, 1 up, 2 left, 3 down.
INSTANTIATE_TEST_SUITE_P(
    Rules, GhostStep,
    ::testing::Values(
        StepCase{"ring d=5 goes right", Ghost_Chasing, 7, 5, 2, 5, {2}, 8, 5, 0},
        StepCase{"ring d=-5 goes left", Ghost_Chasing, 2, 5, 7, 5, {0}, 1, 5, 0},
        StepCase{"ring d=-4 goes right", Ghost_Chasing, 3, 5, 7, 5, {}, 4, 5, 0},
        StepCase{"ring d=4 goes left", Ghost_Chasing, 7, 5, 3, 5, {}, 6, 5, 0},
        StepCase{"ring d=-9 wraps left", Ghost_Chasing, 1, 5, 10, 5, {}, 10, 5, 0},
        StepCase{"ring d=9 wraps right", Ghost_Chasing, 10, 5, 1, 5, {}, 1, 5, 0},
        StepCase{"ring d=0 draws from the full mask", Ghost_Chasing, 1, 5, 1, 5, {1, 2}, 10, 5, 2},
        StepCase{"row 3 halves meet through the tunnel", Ghost_Chasing, 4, 3, 7, 3, {}, 3, 3, 0},
        StepCase{"row 3 right half toward the left", Ghost_Chasing, 7, 3, 4, 3, {}, 8, 3, 0},
        StepCase{"row 3 same half", Ghost_Chasing, 2, 3, 4, 3, {}, 3, 3, 0},
        StepCase{"row 3 from the right tunnel", Ghost_Chasing, 10, 3, 7, 3, {}, 9, 3, 0},
        StepCase{"row: right removed, left or down", Ghost_Chasing, 7, 7, 3, 7, {0, 3}, 7, 6, 2},
        StepCase{"row: only down remains", Ghost_Chasing, 6, 7, 3, 7, {0, 0, 3}, 6, 6, 3},
        StepCase{"row: may still turn off the row", Ghost_Chasing, 2, 2, 7, 2, {3}, 2, 1, 1},
        StepCase{"column: up removed", Ghost_Chasing, 2, 6, 2, 1, {1, 3}, 2, 5, 2},
        StepCase{"escaping row: left removed", Ghost_Escaping, 7, 7, 3, 7, {2, 0}, 8, 7, 2},
        StepCase{"escaping column: down removed", Ghost_Escaping, 2, 6, 2, 2, {3, 1}, 2, 7, 2},
        StepCase{"escaping in the tunnel keeps both", Ghost_Escaping, 1, 5, 4, 5, {2}, 10, 5, 1},
        StepCase{"escaping rows 3 and 5 are ordinary", Ghost_Escaping, 4, 5, 7, 5, {2}, 3, 5, 1},
        StepCase{"house exit right", Ghost_Chasing, 5, 4, 6, 3, {0}, 6, 4, 1},
        StepCase{"house exit up", Ghost_Chasing, 5, 4, 6, 3, {3, 2, 1}, 5, 5, 3}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST(Ghosts, MoveInRecordOrderEachConsumingItsOwnDraws) {
    Rig r;
    r.startGame(4);
    r.game.Gam_Ghost_Count = 3;
    r.game.Gam_Ghosts[3].State = Ghost_Chasing;
    r.game.Gam_Nibbo_Col = 2;
    r.game.Gam_Nibbo_Row = 1;
    for (int v : {1, 2, 1}) r.random.force(v);
    r.game.Gam_Move_Ghosts();
    EXPECT_EQ(r.game.Gam_Ghosts[1].Row, 5);
    EXPECT_EQ(r.game.Gam_Ghosts[2].Col, 5);
    EXPECT_EQ(r.game.Gam_Ghosts[2].Row, 4);
    EXPECT_EQ(r.game.Gam_Ghosts[3].Col, 6);
    EXPECT_EQ(r.game.Gam_Ghosts[3].Row, 5);
}

TEST(Ghosts, ChecksMatchOnlyTheirStateOnNibbosVisibleCell) {
    Rig r;
    r.game.Gam_Ghost_Count = 2;
    r.game.Gam_Nibbo_Col = 4;
    r.game.Gam_Nibbo_Row = 3;
    r.placeGhost(1, Ghost_Escaping, 4, 3);
    r.placeGhost(2, Ghost_Chasing, 4, 2);
    r.placeGhost(3, Ghost_Chasing, 4, 3);  // not in play
    EXPECT_FALSE(r.game.Gam_Check_Chasing_Ghost());
    EXPECT_TRUE(r.game.Gam_Check_Escaping_Ghost());
    r.game.Gam_Ghost_Count = 3;
    EXPECT_TRUE(r.game.Gam_Check_Chasing_Ghost());
}

// A source that only ever yields one value must not hang the tick.
TEST(Ghosts, ABrokenRandomSourceCannotHangTheStep) {
    struct Stuck : RandomService {
        int draw4() override { return 0; }
    } stuck;
    VirtualClock clock;
    FigureTable figures;
    RecordingSound sound;
    Game g(clock, figures, sound, stuck);
    g.Gam_Ghost_Count = 1;
    g.Gam_Ghosts[1] = {Ghost_Chasing, 5, 6};  // (5,6) is closed to the right
    g.Gam_Nibbo_Col = 2;
    g.Gam_Nibbo_Row = 1;
    g.Gam_Move_Ghosts();
    EXPECT_EQ(g.Gam_Ghosts[1].Row, 7);  // the first open direction: up
}

}  // namespace
}  // namespace zn::test
