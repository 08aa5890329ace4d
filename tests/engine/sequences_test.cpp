#include "engine/snapshot.h"
#include "rig.h"

namespace zn::test {
namespace {

// Game `n` under way at 1200 ms, and the Nibbo step tick that starts each pause.
struct PauseRig : Rig {
    explicit PauseRig(int n = 1) {
        startGame(n);
        placeNibbo(1, 3);  // safe in the tunnel while the game runs in
        run(1200);
        takeSounds();
        for (int k = 1; k <= 3; ++k) placeGhost(k, game.Gam_Ghosts[k].State == Ghost_Absent ? 0 : 1, 10, 5);
    }
    void stepTick(int dir) {
        game.Inp_Joystick_Right = dir == Dir_Right;
        game.Inp_Joystick_Up = dir == Dir_Up;
        game.Inp_Joystick_Left = dir == Dir_Left;
        game.Inp_Joystick_Down = dir == Dir_Down;
        game.Gam_Tick = 4;
        game.Timer_GameTimer();
    }
    void catchNibbo() {
        placeNibbo(2, 3);
        placeGhost(1, Ghost_Chasing, 3, 3);
        stepTick(Dir_Right);
    }
    void eatGhost() {
        placeNibbo(2, 3);
        placeGhost(1, Ghost_Escaping, 3, 3);
        stepTick(Dir_Right);
    }
    void clearBoard() {
        leaveOnlyItemAt(3, 3);
        placeNibbo(2, 3);
        stepTick(Dir_Right);
    }
    void takeStar() {
        game.pills(3, 4) = Cell_Bonus_Star;
        placeNibbo(3, 5);
        stepTick(Dir_Down);
    }
};

TEST(Miss, WithASpareLifePlayResumesAfter801msWithTheBoardKept) {
    PauseRig r;
    r.placeNibbo(3, 5);
    r.stepTick(Dir_Up);  // eats the energizer at (3,6)
    r.game.Gam_Ghosts[1].State = Ghost_Chasing;
    const std::int64_t t0 = r.clock.now();
    r.catchNibbo();
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Miss});
    r.run(200);
    EXPECT_TRUE(r.takeSounds().empty());
    r.run(1);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Miss)});
    EXPECT_EQ(r.clock.now() - t0, 201);
    r.run(599);
    EXPECT_EQ(r.game.Gam_Lives, 2);
    r.run(1);
    EXPECT_EQ(r.game.Gam_Lives, 1);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Game});
    EXPECT_EQ(r.game.Gam_Tick, 1);
    EXPECT_EQ(r.game.Gam_Energizer_Time, 0);
    EXPECT_EQ(r.game.Gam_Nibbo_Col, 6);
    EXPECT_EQ(r.game.Gam_Ghosts[1].State, Ghost_Chasing);
    EXPECT_EQ(r.game.Gam_Ghosts[1].Col, 5);
    EXPECT_EQ(r.game.Gam_Pills_Left, 51);
    EXPECT_EQ(r.game.pills(3, 6), Cell_Empty);
    EXPECT_TRUE(r.figures.visible(img::im_panel_lives_1));
    EXPECT_FALSE(r.figures.visible(img::im_panel_lives_2));
    EXPECT_FALSE(r.figures.visible(img::im_nibbo(2, 3)));
    EXPECT_FALSE(r.figures.visible(img::im_nibbo(3, 3)));
    EXPECT_TRUE(r.figures.visible(img::im_nibbo(6, 3)));
}

TEST(Miss, TheThirdCatchEndsTheGameAndTheModeChanges2980msLater) {
    PauseRig r(2);
    r.game.Gam_Score = 1230;
    r.game.Vid_Display_Panel_Score(r.game.Gam_Score, true);
    for (int lives : {1, 0}) {
        r.catchNibbo();
        r.run(801);
        EXPECT_EQ(r.game.Gam_Lives, lives);
    }
    r.game.pills(4, 3) = Cell_Empty;  // an eaten pill that the game-over board refills
    r.game.Gam_Pills_Left = 51;
    r.takeSounds();
    r.catchNibbo();
    r.run(801);
    EXPECT_EQ(r.game.Gam_Lives, -1);
    EXPECT_EQ(r.takeSounds(), (std::vector{play(Snd_Miss), play(Snd_Start)}));
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Miss});
    EXPECT_EQ(r.game.Gam_Pills_Left, 52);
    EXPECT_EQ(showFigures(r.figures).substr(0, 72),
              "panel screen=1 power=1 select=0 start=0 gameover=1 lives=0 digits=01230\n");
    r.game.Inp_start_down();  // still the play mode: no effect
    EXPECT_EQ(r.game.Gam_Mode, Mode_Play_2);
    r.run(2979);
    EXPECT_EQ(r.game.Gam_Mode, Mode_Play_2);
    r.run(1);
    EXPECT_EQ(r.game.Gam_Mode, Mode_Game_Over_2);
    EXPECT_TRUE(r.enabledTimers().empty());

    r.game.Inp_start_down();
    EXPECT_EQ(r.game.Gam_Mode, Mode_Play_2);
    EXPECT_EQ(r.game.Gam_Score, 0);
    EXPECT_EQ(r.game.Gam_Lives, 2);
    EXPECT_FALSE(r.figures.visible(img::im_panel_gameover));
}

TEST(Miss, SelectAtGameOverGoesToGameOne) {
    PauseRig r(3);
    r.game.Gam_Lives = 0;
    r.catchNibbo();
    r.run(801 + 2980);
    EXPECT_EQ(r.game.Gam_Mode, Mode_Game_Over_3);
    r.game.Inp_select_down();
    EXPECT_EQ(r.game.Gam_Mode, Mode_Select_1);
    EXPECT_EQ(r.figures.panelDigit(1), 1);
    EXPECT_FALSE(r.figures.visible(img::im_panel_gameover));
}

TEST(GhostEaten, TwoGhostsOnTheCellAreBothEatenWithALifeCheckAfterEach) {
    PauseRig r;
    r.game.Gam_Ghost_Count = 3;
    r.game.Gam_Lives = 0;
    r.game.Gam_Score = 39600;
    r.game.Gam_Next_Life_Score = 20000;
    r.placeGhost(2, Ghost_Escaping, 3, 3);
    r.placeGhost(3, Ghost_Escaping, 9, 7);
    r.game.Gam_Energizer_Time = 10;
    const std::int64_t t0 = r.clock.now();
    r.eatGhost();
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Ghost});
    EXPECT_EQ(r.game.Gam_Score, 39610);  // the pill under the ghosts
    EXPECT_TRUE(r.figures.visible(img::im_ghost(9, 7)));
    r.run(51);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Ghost)});
    r.run(599);
    EXPECT_EQ(r.game.Gam_Score, 39610);
    r.run(1);
    EXPECT_EQ(r.clock.now() - t0, 651);
    EXPECT_EQ(r.game.Gam_Score, 40010);
    EXPECT_EQ(r.game.Gam_Lives, 2);
    EXPECT_EQ(r.game.Gam_Next_Life_Score, 60000);
    for (int k : {1, 2}) {
        EXPECT_EQ(r.game.Gam_Ghosts[k].State, Ghost_Chasing);
        EXPECT_EQ(r.game.Gam_Ghosts[k].Col, 5);
        EXPECT_EQ(r.game.Gam_Ghosts[k].Row, 4);
    }
    EXPECT_EQ(r.game.Gam_Ghosts[3].State, Ghost_Escaping);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Game});
    EXPECT_EQ(r.game.Gam_Tick, 4);
}

TEST(GhostEaten, CancelsABonusStarTakenInTheSameStepButKeepsItsPoints) {
    PauseRig r;
    r.game.pills(3, 4) = Cell_Bonus_Star;
    r.placeGhost(1, Ghost_Escaping, 3, 4);
    r.placeNibbo(3, 5);
    r.stepTick(Dir_Down);
    EXPECT_EQ(r.game.Gam_Score, 2000);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Ghost});
    r.run(651);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Ghost)});
    EXPECT_EQ(r.game.Gam_Score, 2200);
}

TEST(StageComplete, NewStageShownAt201msAndPlayResumesAt3401ms) {
    PauseRig r(3);
    r.game.Gam_Stage = 2;
    r.game.Gam_Score = 500;
    const std::int64_t t0 = r.clock.now();
    r.clearBoard();
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Stage_Complete});
    r.run(200);
    EXPECT_EQ(r.game.Gam_Stage, 2);
    r.run(1);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Stage)});
    EXPECT_EQ(r.game.Gam_Stage, 3);
    EXPECT_EQ(r.game.Gam_Ghost_Count, 3);
    EXPECT_EQ(r.game.Gam_Ghost_Step_Ticks, 2);
    EXPECT_EQ(r.game.Gam_Pills_Left, 52);
    EXPECT_EQ(r.game.Gam_Score, 510);
    EXPECT_TRUE(r.figures.visible(img::im_ghost(6, 4)));
    EXPECT_TRUE(r.figures.visible(img::im_nibbo(6, 3)));
    r.run(3199);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Stage_Complete});
    r.run(1);
    EXPECT_EQ(r.clock.now() - t0, 3401);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Game});
    EXPECT_EQ(r.game.Gam_Tick, 1);
}

// Switching off in the middle of any pause ends it at once and for good.
TEST(Pauses, PowerOffInTheMiddleEndsThemWithoutScoringOrSound) {
    struct Case {
        const char* name;
        void (PauseRig::*start)();
        int after;
    } cases[] = {{"miss", &PauseRig::catchNibbo, 300},
                 {"ghost", &PauseRig::eatGhost, 60},
                 {"stage", &PauseRig::clearBoard, 1000},
                 {"star", &PauseRig::takeStar, 1}};
    for (const auto& c : cases) {
        PauseRig r;
        (r.*c.start)();
        r.run(c.after);
        const int score = r.game.Gam_Score;
        r.takeSounds();
        r.game.Inp_power_down();
        EXPECT_TRUE(r.enabledTimers().empty()) << c.name;
        r.run(10000);
        EXPECT_EQ(r.game.Gam_Score, score) << c.name;
        EXPECT_EQ(r.takeSounds(), std::vector{silence()}) << c.name;
        r.game.Inp_power_down();
        EXPECT_EQ(r.takeSounds(), (std::vector{silence(), play(Snd_Start)})) << c.name;
        EXPECT_EQ(r.game.Gam_Mode, Mode_Power_On) << c.name;
    }
}

}  // namespace
}  // namespace zn::test
