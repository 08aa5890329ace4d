#include "rig.h"

namespace zn::test {
namespace {

// Game 1 with its ghost parked in the tunnel, where it can meet nobody; ticks are run by hand.
struct TickRig : Rig {
    TickRig() {
        startGame(1);
        placeGhost(1, Ghost_Chasing, 1, 5);
        game.Vid_Display_All_Ghost(false);
    }
    // One tick on which Nibbo may step (and the ghosts of game 1 may not), with only `held` pressed.
    void nibboTick(int held) {
        game.Inp_Joystick_Right = held & Dir_Right;
        game.Inp_Joystick_Up = held & Dir_Up;
        game.Inp_Joystick_Left = held & Dir_Left;
        game.Inp_Joystick_Down = held & Dir_Down;
        game.Gam_Tick = 4;
        game.Timer_GameTimer();
    }
};

TEST(Tick, NibboTakesTheFirstOpenHeldDirectionInTheOrderRightUpLeftDown) {
    struct Case {
        int col, row, held, toCol, toRow;
    } cases[] = {
        {2, 3, Dir_Right | Dir_Up, 3, 3},   // both open: right wins
        {5, 6, Dir_Right | Dir_Up, 5, 7},   // right closed: up
        {5, 6, Dir_Right, 5, 6},            // only a closed direction: no step
        {4, 3, Dir_Left | Dir_Down, 3, 3},  // left before down
        {6, 5, Dir_Down, 6, 5},             // nothing enters the house
        {2, 3, Dir_Left, 1, 3},             // into the tunnel
        {1, 3, Dir_Left, 10, 3},            // wrap
        {10, 3, Dir_Left, 9, 3},            // and back on screen
        {10, 5, Dir_Right, 1, 5},
        {2, 3, 0, 2, 3},
    };
    for (const auto& c : cases) {
        TickRig r;
        r.placeNibbo(c.col, c.row);
        r.nibboTick(c.held);
        EXPECT_EQ(r.game.Gam_Nibbo_Col, c.toCol) << c.col << "," << c.row << " held " << c.held;
        EXPECT_EQ(r.game.Gam_Nibbo_Row, c.toRow) << c.col << "," << c.row << " held " << c.held;
        int lit = 0;
        for (int col = 2; col <= 9; ++col)
            for (int row = 1; row <= 7; ++row)
                if (!img::isHouse(col, row)) lit += r.figures.visible(img::im_nibbo(col, row));
        EXPECT_EQ(lit, c.toCol >= 2 && c.toCol <= 9 ? 1 : 0);
    }
}

TEST(Tick, RhythmOfGhostsNibboAndTheTickCounter) {
    Rig r;
    r.startGame(1);
    r.placeNibbo(1, 5);  // in the tunnel no ghost can catch it
    std::vector<int> ghostTicks, ticks;
    for (int i = 0; i < 25; ++i) {
        const TGhost before = r.game.Gam_Ghosts[1];
        ticks.push_back(r.game.Gam_Tick);
        r.run(120);
        if (before.Col != r.game.Gam_Ghosts[1].Col || before.Row != r.game.Gam_Ghosts[1].Row)
            ghostTicks.push_back(ticks.back());
    }
    EXPECT_EQ(ghostTicks, (std::vector{5, 10, 15, 20, 5}));
    EXPECT_EQ(ticks[19], 20);
    EXPECT_EQ(ticks[20], 1);

    Rig fast;
    fast.startGame(4);
    fast.game.Inp_arrow_right_down();
    fast.run(3 * 120);
    EXPECT_EQ(fast.game.Gam_Nibbo_Col, 6);
    fast.run(120);  // fourth tick: the first on which Nibbo may step
    EXPECT_EQ(fast.game.Gam_Nibbo_Col, 7);
    EXPECT_EQ(fast.game.Gam_Score, 10);
}

TEST(Tick, PillScoresTenAndPlaysItsSoundAtTheEndOfTheTick) {
    TickRig r;
    r.nibboTick(Dir_Right);
    EXPECT_EQ(r.game.Gam_Score, 10);
    EXPECT_EQ(r.game.Gam_Pills_Left, 51);
    EXPECT_EQ(r.game.pills(7, 3), Cell_Empty);
    EXPECT_FALSE(r.figures.visible(img::im_pill(7, 3)));
    EXPECT_EQ(r.figures.panelDigit(4), 1);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Pill)});
    EXPECT_EQ(r.game.Gam_Tick, 5);
    r.nibboTick(Dir_Left);  // back onto the start cell, whose pill is still there
    EXPECT_EQ(r.game.Gam_Score, 20);
    r.nibboTick(Dir_Right);  // an empty cell: no sound
    EXPECT_EQ(r.game.Gam_Score, 20);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Pill)});
}

TEST(Tick, EnergizerTurnsGhostsEscapingForNinetyTwoTicksWithTheirSounds) {
    TickRig r;
    r.game.Gam_Ghost_Count = 2;
    r.placeGhost(2, Ghost_Chasing, 10, 5);
    r.placeNibbo(2, 2);
    r.nibboTick(Dir_Right);  // (3,2) holds an energizer
    EXPECT_EQ(r.game.Gam_Score, 0);
    EXPECT_EQ(r.game.Gam_Pills_Left, 51);
    EXPECT_EQ(r.game.Gam_Ghosts[1].State, Ghost_Escaping);
    EXPECT_EQ(r.game.Gam_Ghosts[2].State, Ghost_Escaping);
    EXPECT_EQ(r.game.Gam_Energizer_Time, 2);
    EXPECT_TRUE(r.takeSounds().empty());

    r.nibboTick(Dir_Right);  // a pill while escaping
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Pill_Alt)});
    r.nibboTick(Dir_Down);  // closed: no pill
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Energizer)});

    r.game.Gam_Energizer_Time = 91;
    r.nibboTick(0);
    EXPECT_EQ(r.game.Gam_Energizer_Time, 92);
    EXPECT_EQ(r.game.Gam_Ghosts[1].State, Ghost_Escaping);
    r.nibboTick(0);
    EXPECT_EQ(r.game.Gam_Energizer_Time, 0);
    EXPECT_EQ(r.game.Gam_Ghosts[1].State, Ghost_Chasing);
    EXPECT_EQ(r.game.Gam_Ghosts[2].State, Ghost_Chasing);
    EXPECT_EQ(r.game.Gam_Ghosts[2].Col, 10);
}

TEST(Tick, SecondEnergizerRestartsThePeriodAndPlaysTheEnergizerSound) {
    TickRig r;
    r.placeNibbo(3, 5);
    r.game.Gam_Energizer_Time = 50;
    r.game.Gam_Ghosts[1].State = Ghost_Escaping;
    r.nibboTick(Dir_Up);  // (3,6)
    EXPECT_EQ(r.game.Gam_Energizer_Time, 2);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Energizer)});
}

TEST(Tick, EscapingGhostsBlinkOnOneTickInFour) {
    Rig r;
    r.startGame(1);
    r.placeNibbo(1, 3);
    r.placeGhost(1, Ghost_Escaping, 2, 7);
    r.game.Gam_Energizer_Time = 1;
    std::vector<int> litOnTick;
    for (int i = 0; i < 8; ++i) {
        const int tick = r.game.Gam_Tick;
        r.run(120);
        const TGhost& g = r.game.Gam_Ghosts[1];
        if (r.figures.visible(img::im_ghost(g.Col, g.Row))) litOnTick.push_back(tick);
    }
    EXPECT_EQ(litOnTick, (std::vector{4, 8}));
}

TEST(Tick, StandingOnAStarTakesItAtTheNextStepTickAndPausesOneSecond) {
    Rig r;
    r.startGame(1);
    r.placeNibbo(3, 4);
    r.run(480);
    EXPECT_EQ(r.game.Gam_Score, 2000);
    EXPECT_EQ(r.game.Gam_Bonus_Star_Score, 2000);
    EXPECT_EQ(r.game.pills(3, 4), Cell_Empty);
    EXPECT_EQ(r.game.pills(8, 4), Cell_Bonus_Star);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Bonus_Star});
    EXPECT_EQ(r.game.Gam_Tick, 4);  // a handed-over tick does not advance the counter
    r.run(1);
    EXPECT_EQ(r.takeSounds(), std::vector{play(Snd_Bonus)});
    r.run(999);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Bonus_Star});
    r.run(1);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Game});
    r.run(119);
    EXPECT_EQ(r.game.Gam_Tick, 4);
    r.run(1);
    EXPECT_EQ(r.game.Gam_Tick, 5);
}

TEST(Tick, BonusStarsLightAtCycleOneUnlessTheScoreIsUnchangedAndGoOutAt24) {
    struct Case {
        int cycle, score, starScore, before, after;
    } cases[] = {{1, 10, 0, Cell_Empty, Cell_Bonus_Star},
                 {1, 2000, 2000, Cell_Empty, Cell_Empty},
                 {2, 10, 0, Cell_Empty, Cell_Empty},
                 {24, 10, 0, Cell_Bonus_Star, Cell_Empty},
                 {23, 10, 0, Cell_Bonus_Star, Cell_Bonus_Star}};
    for (const auto& c : cases) {
        Rig r;
        r.game.pills(3, 4) = r.game.pills(8, 4) = c.before;
        r.game.Gam_Bonus_Star_Cycle = c.cycle;
        r.game.Gam_Score = c.score;
        r.game.Gam_Bonus_Star_Score = c.starScore;
        r.game.Gam_Set_Bonus_Stars();
        EXPECT_EQ(r.game.pills(3, 4), c.after) << c.cycle;
        EXPECT_EQ(r.game.pills(8, 4), c.after) << c.cycle;
        if (c.before != c.after) {
            EXPECT_EQ(r.figures.visible(img::im_pill(8, 4)), c.after != Cell_Empty);
        }
    }
    Rig r;
    r.startGame(1);
    r.placeNibbo(1, 3);
    r.run(19 * 120);
    EXPECT_EQ(r.game.pills(3, 4), Cell_Bonus_Star);
    r.run(120);
    EXPECT_EQ(r.game.pills(3, 4), Cell_Empty);
    EXPECT_FALSE(r.figures.visible(img::im_pill(3, 4)));
}

TEST(Tick, ScoreRollsOverAndAThresholdOf100000IsNeverMet) {
    TickRig r;
    r.game.Gam_Score = 99990;
    r.game.Gam_Next_Life_Score = 100000;
    r.game.Gam_Lives = 1;
    r.nibboTick(Dir_Right);
    EXPECT_EQ(r.game.Gam_Score, 0);
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(r.figures.panelDigit(p), 0);
    EXPECT_EQ(r.game.Gam_Lives, 1);
}

TEST(Tick, ExtraLifeWaitsWhileBothMarkersAreLit) {
    TickRig r;
    r.game.Gam_Score = 19990;
    r.nibboTick(Dir_Right);
    EXPECT_EQ(r.game.Gam_Score, 20000);
    EXPECT_EQ(r.game.Gam_Lives, 2);
    EXPECT_EQ(r.game.Gam_Next_Life_Score, 20000);
    r.game.Gam_Lives = 1;  // as after a miss
    r.nibboTick(0);        // a step tick without a step still checks
    EXPECT_EQ(r.game.Gam_Lives, 2);
    EXPECT_EQ(r.game.Gam_Next_Life_Score, 40000);
    EXPECT_TRUE(r.figures.visible(img::im_panel_lives_2));
    r.game.Gam_Lives = 0;
    r.game.Gam_Score = 90000;
    r.game.Gam_Check_New_Life();  // one life per call
    EXPECT_EQ(r.game.Gam_Lives, 1);
    EXPECT_EQ(r.game.Gam_Next_Life_Score, 60000);
}

TEST(Tick, LastItemAnEnergizerStartsTheStageCompleteSequenceSilently) {
    TickRig r;
    r.leaveOnlyItemAt(8, 6);
    r.placeNibbo(8, 5);
    r.nibboTick(Dir_Up);
    EXPECT_EQ(r.game.Gam_Pills_Left, 0);
    EXPECT_EQ(r.game.Gam_Ghosts[1].State, Ghost_Escaping);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Stage_Complete});
    EXPECT_TRUE(r.takeSounds().empty());
    EXPECT_EQ(r.game.Gam_Tick, 4);
}

TEST(Tick, SteppingOntoAChasingGhostIsACatchAndThePillStays) {
    TickRig r;
    r.placeGhost(1, Ghost_Chasing, 7, 3);
    r.nibboTick(Dir_Right);
    EXPECT_EQ(r.game.Gam_Nibbo_Col, 7);
    EXPECT_EQ(r.game.pills(7, 3), Cell_Pill);
    EXPECT_EQ(r.game.Gam_Score, 0);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Miss});
    r.run(801);
    EXPECT_EQ(r.game.pills(7, 3), Cell_Pill);
    EXPECT_TRUE(r.figures.visible(img::im_pill(7, 3)));
}

TEST(Tick, EatingAGhostWithTheLastPillDefersTheStageToTheNextStep) {
    TickRig r;
    r.leaveOnlyItemAt(7, 3);
    r.placeGhost(1, Ghost_Escaping, 7, 3);
    r.nibboTick(Dir_Right);
    EXPECT_EQ(r.game.Gam_Pills_Left, 0);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Ghost});
    r.run(651);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Game});
    EXPECT_EQ(r.game.Gam_Score, 210);
    r.placeGhost(1, Ghost_Chasing, 1, 5);
    r.nibboTick(Dir_Right);
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Stage_Complete});
}

TEST(Tick, NoContactInTheTunnel) {
    TickRig r;
    r.placeNibbo(2, 5);
    r.placeGhost(1, Ghost_Chasing, 1, 5);
    r.nibboTick(Dir_Left);
    EXPECT_EQ(r.game.Gam_Nibbo_Col, 1);
    EXPECT_FALSE(r.game.Gam_Check_Chasing_Ghost());
    EXPECT_EQ(r.enabledTimers(), std::vector{TimerId::Game});
    r.game.Gam_Ghosts[1].State = Ghost_Escaping;
    EXPECT_FALSE(r.game.Gam_Check_Escaping_Ghost());
}

}  // namespace
}  // namespace zn::test
