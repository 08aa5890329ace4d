#include <vector>

#include "rig.h"

namespace zn::test {
namespace {

TEST(Ghosts, StepRulesWithForcedDraws) {
    // Forced draws: 0 right, 1 up, 2 left, 3 down; `used` counts the draws the step took.
    struct Case {
        const char* what;
        int state, gc, gr, nc, nr;
        std::vector<int> forced;
        int toCol, toRow, used;
    } cases[] = {
        {"ring d=5 goes right", Ghost_Chasing, 7, 5, 2, 5, {2}, 8, 5, 0},
        {"ring d=-5 goes left", Ghost_Chasing, 2, 5, 7, 5, {0}, 1, 5, 0},
        {"ring d=-4 goes right", Ghost_Chasing, 3, 5, 7, 5, {}, 4, 5, 0},
        {"ring d=4 goes left", Ghost_Chasing, 7, 5, 3, 5, {}, 6, 5, 0},
        {"ring d=-9 wraps left", Ghost_Chasing, 1, 5, 10, 5, {}, 10, 5, 0},
        {"ring d=9 wraps right", Ghost_Chasing, 10, 5, 1, 5, {}, 1, 5, 0},
        {"ring d=0 draws from the full mask", Ghost_Chasing, 1, 5, 1, 5, {1, 2}, 10, 5, 2},
        {"row 3 halves meet through the tunnel", Ghost_Chasing, 4, 3, 7, 3, {}, 3, 3, 0},
        {"row 3 from the right half", Ghost_Chasing, 7, 3, 4, 3, {}, 8, 3, 0},
        {"row 3 same half", Ghost_Chasing, 2, 3, 4, 3, {}, 3, 3, 0},
        {"row 3 from the right tunnel", Ghost_Chasing, 10, 3, 7, 3, {}, 9, 3, 0},
        {"row: right removed, left or down", Ghost_Chasing, 7, 7, 3, 7, {0, 3}, 7, 6, 2},
        {"row: only down remains", Ghost_Chasing, 6, 7, 3, 7, {0, 0, 3}, 6, 6, 3},
        {"row: may still turn off the row", Ghost_Chasing, 2, 2, 7, 2, {3}, 2, 1, 1},
        {"column: up removed", Ghost_Chasing, 2, 6, 2, 1, {1, 3}, 2, 5, 2},
        {"escaping row: left removed", Ghost_Escaping, 7, 7, 3, 7, {2, 0}, 8, 7, 2},
        {"escaping column: down removed", Ghost_Escaping, 2, 6, 2, 2, {3, 1}, 2, 7, 2},
        {"escaping in the tunnel keeps both", Ghost_Escaping, 1, 5, 4, 5, {2}, 10, 5, 1},
        {"escaping rows 3 and 5 are ordinary", Ghost_Escaping, 4, 5, 7, 5, {2}, 3, 5, 1},
        {"house exit right", Ghost_Chasing, 5, 4, 6, 3, {0}, 6, 4, 1},
        {"house exit up", Ghost_Chasing, 5, 4, 6, 3, {3, 2, 1}, 5, 5, 3},
    };
    for (const auto& c : cases) {
        Rig r;
        r.game.Gam_Ghost_Count = 1;
        r.placeGhost(1, c.state, c.gc, c.gr);
        r.placeGhost(2, Ghost_Absent, 6, 4);
        r.game.Gam_Nibbo_Col = c.nc;
        r.game.Gam_Nibbo_Row = c.nr;
        for (int v : c.forced) r.random.force(v);
        r.game.Gam_Move_Ghosts();
        const std::string to = std::to_string(c.toCol) + "," + std::to_string(c.toRow);
        EXPECT_TRUE(stateHas(r, "ghosts=" + std::to_string(c.state) + "," + to + "/0,6,4")) << c.what;
        EXPECT_EQ(static_cast<int>(c.forced.size() - r.random.forcedLeft()), c.used) << c.what;
    }
}

TEST(Ghosts, MoveInRecordOrderEachConsumingItsOwnDraws) {
    Rig r;
    r.startGame(4);
    r.game.Gam_Ghost_Count = 3;
    r.game.Gam_Ghosts[3].State = Ghost_Chasing;
    r.game.Gam_Nibbo_Col = 2;
    r.game.Gam_Nibbo_Row = 1;
    for (int v : {1, 2, 1}) r.random.force(v);
    r.game.Gam_Move_Ghosts();
    EXPECT_TRUE(stateHas(r, "ghosts=1,5,5/1,5,4/1,6,5"));
}

TEST(Ghosts, ContactOnlyWithGhostsInPlayOnNibbosVisibleCell) {
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
    r.game.Gam_Nibbo_Col = 1;  // a ghost in the same tunnel cell does not meet Nibbo
    r.game.Gam_Ghosts[3].Col = 1;
    EXPECT_FALSE(r.game.Gam_Check_Chasing_Ghost());
}

TEST(Ghosts, EveryRefusedForcedDrawIsConsumedHoweverLongTheRun) {
    Rig r;
    r.game.Gam_Ghost_Count = 1;
    r.placeGhost(1, Ghost_Chasing, 5, 6);  // closed to the right
    r.game.Gam_Nibbo_Col = 2;
    r.game.Gam_Nibbo_Row = 1;
    for (int i = 0; i < 1500; ++i) r.random.force(0);
    r.random.force(3);
    r.random.force(1);  // left for the next draw
    r.game.Gam_Move_Ghosts();
    EXPECT_TRUE(stateHas(r, "ghosts=1,5,5/"));
    EXPECT_EQ(r.random.forcedLeft(), 1u);
}

}  // namespace
}  // namespace zn::test
