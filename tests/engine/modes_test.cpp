#include "engine/snapshot.h"
#include "rig.h"

namespace zn::test {
namespace {

TEST(Modes, CreationLeavesTheDeviceOffWithTheLabyrinthFilled) {
    Rig r;
    EXPECT_EQ(r.game.Gam_Mode, Mode_Off);
    EXPECT_EQ(r.game.labyrinth(2, 7), Dir_Right | Dir_Down);
    EXPECT_EQ(r.game.labyrinth(5, 4), Dir_Right | Dir_Up);
    EXPECT_EQ(r.game.labyrinth(1, 5), Dir_Right | Dir_Left);
    EXPECT_EQ(r.game.labyrinth(10, 1), 0);
    EXPECT_TRUE(r.enabledTimers().empty());
    EXPECT_TRUE(r.sound.calls.empty());
}

TEST(Modes, LabyrinthOpeningsMatchExceptTheOneWayHouseExit) {
    Rig r;
    for (int col = 1; col <= 10; ++col)
        for (int row = 1; row <= 7; ++row) {
            const int m = r.game.labyrinth(col, row);
            auto wrap = [](int c) { return c == 11 ? 1 : c == 0 ? 10 : c; };
            if (m & Dir_Right) {
                EXPECT_TRUE(r.game.labyrinth(wrap(col + 1), row) & Dir_Left) << col << row;
            }
            if (m & Dir_Left) {
                EXPECT_TRUE(r.game.labyrinth(wrap(col - 1), row) & Dir_Right) << col << row;
            }
            if (m & Dir_Down) {
                EXPECT_TRUE(r.game.labyrinth(col, row - 1) & Dir_Up) << col << row;
            }
            const bool house = row == 4 && (col == 5 || col == 6);
            if ((m & Dir_Up) && !house) {
                EXPECT_TRUE(r.game.labyrinth(col, row + 1) & Dir_Down) << col << row;
            }
        }
    EXPECT_FALSE(r.game.labyrinth(5, 5) & Dir_Down);
}

TEST(Modes, PowerOnPlaysTheTuneThenGoesIdleAfter2980ms) {
    Rig r;
    r.game.Inp_power_down();
    EXPECT_EQ(r.game.Gam_Mode, Mode_Power_On);
    EXPECT_EQ(r.takeSounds(), (std::vector{silence(), play(Snd_Start)}));
    EXPECT_TRUE(r.figures.visible(img::im_background_screen));
    EXPECT_TRUE(r.figures.visible(img::btn_power_on));
    r.game.Inp_select_down();  // ignored during the tune
    r.run(2979);
    EXPECT_EQ(r.game.Gam_Mode, Mode_Power_On);
    r.run(1);
    EXPECT_EQ(r.game.Gam_Mode, Mode_Idle);
    EXPECT_TRUE(r.enabledTimers().empty());
    EXPECT_EQ(showFigures(r.figures).substr(0, 75),
              "panel screen=1 power=1 select=1 start=0 gameover=0 lives=0 digits=00000\nrow");
}

TEST(Modes, SelectCyclesTheGameNumberInTheLeftmostDigit) {
    Rig r;
    r.powerOnToIdle();
    for (int expected : {1, 2, 3, 4, 1}) {
        r.game.Inp_select_down();
        EXPECT_EQ(r.figures.panelDigit(1), expected);
        for (int p = 2; p <= 5; ++p) {
            EXPECT_TRUE(r.figures.visible(img::im_panel_digit_pos(p)));
            EXPECT_EQ(r.figures.panelDigit(p), -1);
        }
    }
    EXPECT_EQ(r.game.Gam_Mode, Mode_Select_1);
}

TEST(Modes, PressedButtonFiguresAppearInEveryModeAndOnlyThemWhileOff) {
    Rig r;
    r.game.Inp_select_down();
    r.game.Inp_start_down();
    EXPECT_TRUE(r.figures.visible(img::btn_select_down));
    EXPECT_TRUE(r.figures.visible(img::btn_start_down));
    EXPECT_EQ(r.game.Gam_Mode, Mode_Off);
    r.game.Inp_select_up();
    r.game.Inp_start_up();
    EXPECT_FALSE(r.figures.visible(img::btn_select_down));
    EXPECT_FALSE(r.figures.visible(img::btn_start_down));
}

TEST(Modes, StartInIdleAndDuringPlayChangesNothing) {
    Rig r;
    r.powerOnToIdle();
    r.game.Inp_start_down();
    EXPECT_EQ(r.game.Gam_Mode, Mode_Idle);
    r.startGame(2);
    r.run(1200);
    const auto before = showState(r.game, r.clock);
    r.game.Inp_start_down();
    r.game.Inp_select_down();
    EXPECT_EQ(showState(r.game, r.clock), before);
}

TEST(Modes, StartingAGameSetsUpTheFirstStage) {
    Rig r;
    r.startGame(1);
    const Game& g = r.game;
    EXPECT_EQ(g.Gam_Mode, Mode_Play_1);
    EXPECT_EQ(g.Gam_Score, 0);
    EXPECT_EQ(g.Gam_Lives, 2);
    EXPECT_EQ(g.Gam_Next_Life_Score, 20000);
    EXPECT_EQ(g.Gam_Bonus_Star_Score, -10);
    EXPECT_EQ(g.Gam_Bonus_Star_Cycle, 4);
    EXPECT_EQ(g.Gam_Pills_Left, 52);
    EXPECT_EQ(g.Gam_Tick, 1);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Game});
    EXPECT_EQ(r.clock.interval(TimerId::Game), 120);
    EXPECT_EQ(showFigures(r.figures),
              "panel screen=1 power=1 select=0 start=0 gameover=0 lives=2 digits=00000\n"
              "row 7 22222222\n"
              "row 6 22222222\n"
              "row 5 22222222\n"
              "row 4 22240222\n"
              "row 3 22223222\n"
              "row 2 22222222\n"
              "row 1 22222222\n");
    EXPECT_EQ(g.pills(6, 3), Cell_Pill);  // under Nibbo, not eaten at the start
    EXPECT_EQ(g.pills(3, 4), Cell_Bonus_Star);
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
        EXPECT_EQ(r.game.Gam_Ghost_Step_Ticks, c.stepTicks) << c.game << "/" << c.stage;
        EXPECT_EQ(r.game.Gam_Ghost_Count, c.count) << c.game << "/" << c.stage;
        for (int k = 1; k <= 3; ++k) {
            EXPECT_EQ(r.game.Gam_Ghosts[k].State, k <= c.count ? Ghost_Chasing : Ghost_Absent);
            EXPECT_EQ(r.game.Gam_Ghosts[k].Col, k == 1 ? 5 : 6);
            EXPECT_EQ(r.game.Gam_Ghosts[k].Row, 4);
        }
    }
}

TEST(Modes, PowerOffDuringPlayDarkensEverythingAndTheNextPowerOnStartsOver) {
    Rig r;
    r.startGame(3);
    r.game.Inp_arrow_left_down();
    r.run(5000);
    r.takeSounds();
    r.game.Inp_power_down();
    EXPECT_EQ(r.game.Gam_Mode, Mode_Off);
    EXPECT_TRUE(r.enabledTimers().empty());
    EXPECT_EQ(r.takeSounds(), std::vector{silence()});
    EXPECT_EQ(showFigures(r.figures),
              "panel screen=0 power=0 select=0 start=0 gameover=0 lives=0 digits=-----\n"
              "row 7 00000000\nrow 6 00000000\nrow 5 00000000\nrow 4 00000000\n"
              "row 3 00000000\nrow 2 00000000\nrow 1 00000000\n");
    r.game.Inp_power_down();
    EXPECT_EQ(r.game.Gam_Mode, Mode_Power_On);
    EXPECT_EQ(r.figures.panelDigit(1), 0);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Demo_Start});
}

TEST(Modes, NoSoundCallsWhileSoundIsDisabled) {
    Rig r;
    r.game.Snd_Enabled = false;
    r.game.Inp_power_down();
    EXPECT_TRUE(r.sound.calls.empty());
    r.game.Inp_power_down();
    r.startGame(4);
    r.game.Inp_arrow_up_down();
    r.run(60000);
    r.game.Inp_power_down();
    EXPECT_TRUE(r.sound.calls.empty());
}

}  // namespace
}  // namespace zn::test
