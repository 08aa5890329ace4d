#include "rig.h"

namespace zn::test {
namespace {

// Game n under way at 1200 ms with its ghosts parked in the tunnel, and the steps that
// start each pause.
struct PauseRig : Rig {
    explicit PauseRig(int n = 1) {
        startGame(n);
        placeNibbo(1, 3);
        run(1200);
        takeSounds();
        for (int k = 1; k <= game.Gam_Ghost_Count; ++k) placeGhost(k, Ghost_Chasing, 10, 5);
    }
    void meetGhostAt33(int state) {
        placeNibbo(2, 3);
        placeGhost(1, state, 3, 3);
        stepTick(Dir_Right);
    }
    void catchNibbo() { meetGhostAt33(Ghost_Chasing); }
    void eatGhost() { meetGhostAt33(Ghost_Escaping); }
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
    r.stepTick(Dir_Up);  // the energizer at (3,6): the miss must end its period
    const std::int64_t t0 = r.clock.now();
    r.catchNibbo();
    r.run(200);
    EXPECT_TRUE(r.takeSounds().empty());
    r.run(1);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Miss)});
    r.run(599);
    EXPECT_TRUE(stateHas(r, "lives=2 "));
    r.run(1);
    EXPECT_EQ(r.clock.now() - t0, 801);
    EXPECT_TRUE(stateHas(r, "score=0 lives=1 stage=1 pills_left=51"));
    EXPECT_TRUE(stateHas(r, "tick=1 energizer=0 step_ticks=5 ghost_count=1 nibbo=6,3 ghosts=1,5,4/"));
    EXPECT_TRUE(stateHas(r, "timers=Game:120"));
    EXPECT_TRUE(figuresHave(r,
                            "lives=1 digits=00000\nrow 7 22222222\nrow 6 20222222\nrow 5 22222222\n"
                            "row 4 22240222\nrow 3 22223222\n"));
}

TEST(Miss, TheThirdCatchEndsTheGameAndTheModeChanges2980msLater) {
    PauseRig r(2);
    r.game.Gam_Score = 1230;
    r.game.Vid_Display_Panel_Score(r.game.Gam_Score, true);
    for (int i = 0; i < 2; ++i) {
        r.catchNibbo();
        r.run(801);
    }
    r.game.pills(4, 3) = Cell_Empty;  // an eaten pill that the game-over board refills
    r.game.Gam_Pills_Left = 51;
    r.takeSounds();
    r.catchNibbo();
    r.run(801);
    EXPECT_EQ(r.takeSounds(), (std::vector{play(Snd_Miss), play(Snd_Start)}));
    EXPECT_TRUE(stateHas(r, "mode=8 score=1230 lives=-1 stage=1 pills_left=52"));
    EXPECT_TRUE(stateHas(r, "timers=Miss:2980"));
    EXPECT_TRUE(figuresHave(r, "gameover=1 lives=0 digits=01230\n"));
    EXPECT_TRUE(figuresHave(r, "row 3 22223222\n"));
    r.game.Inp_start_down();  // still the play mode: no effect
    r.run(2979);
    EXPECT_TRUE(stateHas(r, "mode=8 "));
    r.run(1);
    EXPECT_TRUE(stateHas(r, "mode=12 "));
    EXPECT_TRUE(stateHas(r, "timers=none"));

    r.game.Inp_start_down();
    EXPECT_TRUE(stateHas(r, "mode=8 score=0 lives=2 stage=1"));
    EXPECT_TRUE(figuresHave(r, "gameover=0 lives=2 digits=00000"));
    r.catchNibbo();
    r.game.Gam_Lives = 0;
    r.run(801 + 2980);
    r.game.Inp_select_down();
    EXPECT_TRUE(stateHas(r, "mode=3 "));
    EXPECT_TRUE(figuresHave(r, "gameover=0 lives=0 digits=1____"));
}

TEST(GhostEaten, EveryGhostOnTheCellIsEatenFor200PointsEach) {
    PauseRig r;
    r.game.Gam_Ghost_Count = 3;
    r.game.Gam_Lives = 0;
    r.game.Gam_Score = 39600;
    r.game.Gam_Next_Life_Score = 20000;
    r.game.Gam_Energizer_Time = 10;
    r.placeGhost(2, Ghost_Escaping, 3, 3);
    r.placeGhost(3, Ghost_Escaping, 9, 7);
    const std::int64_t t0 = r.clock.now();
    r.eatGhost();
    EXPECT_TRUE(stateHas(r, "timers=Ghost:1"));
    EXPECT_TRUE(figuresHave(r, "row 7 22222226\n"));  // a blinking ghost is lit for the pause
    r.run(51);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Ghost)});
    r.run(599);
    EXPECT_TRUE(stateHas(r, "score=39610 lives=1 stage=1 pills_left=51 next_life=40000"));
    r.run(1);
    EXPECT_EQ(r.clock.now() - t0, 651);
    EXPECT_TRUE(stateHas(r, "score=40010 lives=2 stage=1 pills_left=51 next_life=60000"));
    EXPECT_TRUE(stateHas(r,
                         "tick=4 energizer=10 step_ticks=5 ghost_count=3 nibbo=3,3 "
                         "ghosts=1,5,4/1,5,4/2,9,7"));
    EXPECT_TRUE(stateHas(r, "timers=Game:120"));
}

TEST(GhostEaten, CancelsABonusStarTakenInTheSameStepButKeepsItsPoints) {
    PauseRig r;
    r.placeGhost(1, Ghost_Escaping, 3, 4);
    r.takeStar();
    EXPECT_TRUE(stateHas(r, "score=2000 "));
    EXPECT_TRUE(stateHas(r, "timers=Ghost:1"));
    r.run(651);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Ghost)});
    EXPECT_TRUE(stateHas(r, "score=2200 "));
}

TEST(StageComplete, NewStageShownAt201msAndPlayResumesAt3401ms) {
    PauseRig r(3);
    r.game.Gam_Stage = 2;
    const std::int64_t t0 = r.clock.now();
    r.clearBoard();
    r.run(200);
    EXPECT_TRUE(stateHas(r, "stage=2 pills_left=0"));
    r.run(1);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Stage)});
    EXPECT_TRUE(stateHas(r, "score=10 lives=2 stage=3 pills_left=52"));
    EXPECT_TRUE(stateHas(r, "step_ticks=2 ghost_count=3 nibbo=6,3 ghosts=1,5,4/1,6,4/1,6,4"));
    EXPECT_TRUE(figuresHave(r, "row 4 2224422"));
    r.run(3199);
    EXPECT_TRUE(stateHas(r, "timers=Stage_Complete:3200"));
    r.run(1);
    EXPECT_EQ(r.clock.now() - t0, 3401);
    EXPECT_TRUE(stateHas(r, "tick=1 "));
    EXPECT_TRUE(stateHas(r, "timers=Game:120"));
}

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
        const std::string score = "score=" + std::to_string(r.game.Gam_Score) + " ";
        r.takeSounds();
        r.game.Inp_power_down();
        r.run(10000);
        EXPECT_TRUE(stateHas(r, "mode=0 " + score)) << c.name;
        EXPECT_TRUE(stateHas(r, "timers=none")) << c.name;
        EXPECT_EQ(r.takeSounds(), std::vector{silence()}) << c.name;
    }
}

}  // namespace
}  // namespace zn::test
