#include "rig.h"

namespace zn::test {
namespace {

TEST(Modes, LabyrinthOpeningsMatchExceptTheOneWayHouseExit) {
    Rig r;
    auto wrap = [](int c) { return c == 11 ? 1 : c == 0 ? 10 : c; };
    for (int col = 1; col <= 10; ++col)
        for (int row = 1; row <= 7; ++row) {
            const int m = r.game.labyrinth(col, row);
            const bool houseBelow = row == 5 && (col == 5 || col == 6);
            EXPECT_EQ(bool(m & Dir_Right), bool(r.game.labyrinth(wrap(col + 1), row) & Dir_Left))
                << col << row;
            if (row > 1) {
                EXPECT_EQ(bool(m & Dir_Down), bool(r.game.labyrinth(col, row - 1) & Dir_Up) && !houseBelow)
                    << col << row;
            }
        }
    EXPECT_EQ(r.game.labyrinth(5, 4), Dir_Right | Dir_Up);
    EXPECT_EQ(r.game.labyrinth(2, 7), Dir_Right | Dir_Down);
}

TEST(Modes, GhostRosterByGameAndStage) {
    struct Case {
        int game, stage, stepTicks, count;
    } cases[] = {{1, 1, 5, 1}, {1, 2, 5, 2}, {1, 9, 5, 2}, {2, 1, 5, 1}, {2, 2, 5, 2}, {2, 3, 5, 3},
                 {3, 1, 5, 1}, {3, 2, 5, 2}, {3, 3, 2, 3}, {3, 7, 2, 3}, {4, 1, 2, 2}, {4, 2, 2, 3}};
    for (const auto& c : cases) {
        Rig r;
        r.startGame(c.game);
        r.game.Gam_Stage = c.stage;
        r.game.Gam_Init_Stage_Ghosts();
        const char* ghosts[] = {"", "1,5,4/0,6,4/0,6,4", "1,5,4/1,6,4/0,6,4", "1,5,4/1,6,4/1,6,4"};
        EXPECT_TRUE(stateHas(r, "step_ticks=" + std::to_string(c.stepTicks) + " ghost_count=" +
                                    std::to_string(c.count) + " nibbo=6,3 ghosts=" + ghosts[c.count]))
            << "game " << c.game << " stage " << c.stage;
    }
}

TEST(Modes, StartingAGameSetsUpTheFirstStageWithTheStarsLit) {
    Rig r;
    r.startGame(1);
    EXPECT_TRUE(stateHas(r,
                         "mode=7 score=0 lives=2 stage=1 pills_left=52 next_life=20000 star_score=-10 "
                         "star_cycle=4 tick=1 energizer=0"));
    EXPECT_TRUE(stateHas(r, "timers=Game:120"));
    EXPECT_EQ(showState(r.game, r.clock).substr(showState(r.game, r.clock).find("\ncells")),
              "\ncells 7 0111111110\ncells 6 0121111210\ncells 5 0111111110\ncells 4 0131001310\n"
              "cells 3 0111111110\ncells 2 0121111210\ncells 1 0111111110\n");
    EXPECT_TRUE(figuresHave(r,
                            "lives=2 digits=00000\nrow 7 22222222\nrow 6 22222222\nrow 5 22222222\n"
                            "row 4 22240222\nrow 3 22223222\n"));
}

TEST(Modes, PowerOffDuringPlayDarkensEverythingAndPowerOnStartsOver) {
    Rig r;
    r.startGame(3);
    r.game.Inp_arrow_left_down();
    r.run(5000);
    r.takeSounds();
    r.game.Inp_power_down();
    EXPECT_TRUE(stateHas(r, "mode=0 "));
    EXPECT_TRUE(stateHas(r, "timers=none"));
    EXPECT_EQ(r.takeSounds(), std::vector{silence()});
    EXPECT_TRUE(figuresHave(r,
                            "panel screen=0 power=0 select=0 start=0 gameover=0 lives=0 digits=-----\n"
                            "row 7 00000000\nrow 6 00000000\nrow 5 00000000\nrow 4 00000000\n"
                            "row 3 00000000\nrow 2 00000000\nrow 1 00000000\n"));
    r.game.Inp_power_down();
    EXPECT_EQ(r.takeSounds(), (std::vector{silence(), play(Snd_Start)}));
    EXPECT_TRUE(stateHas(r, "timers=Demo_Start:2980"));
    EXPECT_TRUE(figuresHave(r, "screen=1 power=1 select=0 start=0 gameover=0 lives=0 digits=00000"));
}

TEST(Modes, NoSoundCallsWhileSoundIsDisabled) {
    Rig r;
    r.game.Snd_Enabled = false;
    r.game.Inp_power_down();
    r.game.Inp_power_down();
    r.startGame(4);
    r.game.Inp_arrow_up_down();
    r.run(60000);
    r.game.Inp_power_down();
    EXPECT_TRUE(r.sound.calls.empty());
}

}  // namespace
}  // namespace zn::test
