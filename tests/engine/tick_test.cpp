#include "rig.h"

namespace zn::test {
namespace {

// Game 1 under way, its ghost parked in the tunnel where it meets nobody.
struct TickRig : Rig {
    TickRig() {
        startGame(1);
        placeGhost(1, Ghost_Chasing, 1, 5);
        game.Vid_Display_All_Ghost(false);
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
        {2, 3, Dir_Left, 1, 3},             // into the tunnel, invisible
        {1, 3, Dir_Left, 10, 3},            // wrap
        {10, 3, Dir_Left, 9, 3},            // and back on screen
        {10, 5, Dir_Right, 1, 5},
    };
    for (const auto& c : cases) {
        TickRig r;
        r.placeNibbo(c.col, c.row);
        r.game.Inp_Joystick_Right = c.held & Dir_Right;
        r.game.Inp_Joystick_Up = c.held & Dir_Up;
        r.game.Inp_Joystick_Left = c.held & Dir_Left;
        r.game.Inp_Joystick_Down = c.held & Dir_Down;
        r.game.Gam_Tick = 4;
        r.game.Timer_GameTimer();
        const std::string where = std::to_string(c.toCol) + "," + std::to_string(c.toRow);
        EXPECT_TRUE(stateHas(r, "nibbo=" + where)) << c.col << "," << c.row << " held " << c.held;
        int lit = 0;
        for (int i = 0; i < kImageCount; ++i)
            lit += r.figures.visible(img::at(i)) && imageName(img::at(i)).starts_with("im_nibbo");
        EXPECT_EQ(lit, c.toCol >= 2 && c.toCol <= 9 ? 1 : 0) << where;
    }
}

TEST(Tick, GhostsStepOnMultiplesOfTheirTicksNibboOnMultiplesOfFour) {
    Rig r;
    r.startGame(1);
    r.placeNibbo(1, 5);  // in the tunnel nothing can catch it
    std::vector<int> ticks, ghostTicks;
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
    EXPECT_TRUE(stateHas(fast, "nibbo=6,3"));
    fast.run(120);
    EXPECT_TRUE(stateHas(fast, "score=10"));
    EXPECT_TRUE(stateHas(fast, "nibbo=7,3"));
}

TEST(Tick, WhatNibboEatsAndTheSoundTheTickEndsWith) {
    struct Case {
        const char* what;
        int col, row, dir;
        bool escaping;
        int energizerBefore;
        const char* after;
        std::vector<SoundCall> sounds;
    } cases[] = {
        {"pill", 6, 3, Dir_Right, false, 0, "score=10 lives=2 stage=1 pills_left=51", {play(Snd_Pill)}},
        {"pill while escaping", 6, 3, Dir_Right, true, 5, "score=10 ", {play(Snd_Pill_Alt)}},
        {"nothing while escaping", 5, 6, Dir_Right, true, 5, "score=0 ", {play(Snd_Energizer)}},
        {"energizer", 2, 2, Dir_Right, false, 0, "score=0 lives=2 stage=1 pills_left=51", {}},
        {"energizer again", 3, 5, Dir_Up, true, 50, "energizer=2", {play(Snd_Energizer)}},
        {"period ends",
         5,
         6,
         0,
         true,
         92,
         "energizer=0 step_ticks=5 ghost_count=1 nibbo=5,6 ghosts=1,",
         {play(Snd_Energizer)}},
        {"start cell pill", 7, 3, Dir_Left, false, 0, "score=10 ", {play(Snd_Pill)}},
    };
    for (const auto& c : cases) {
        TickRig r;
        r.placeNibbo(c.col, c.row);
        if (c.escaping) r.game.Gam_Ghosts[1].State = Ghost_Escaping;
        r.game.Gam_Energizer_Time = c.energizerBefore;
        r.stepTick(c.dir);
        EXPECT_TRUE(stateHas(r, c.after)) << c.what;
        EXPECT_EQ(r.takeSounds(), c.sounds) << c.what;
        EXPECT_TRUE(stateHas(r, "tick=5")) << c.what;
    }
    TickRig r;  // an energizer turns every ghost in play escaping, and shows no points
    r.game.Gam_Ghost_Count = 2;
    r.placeGhost(2, Ghost_Chasing, 10, 3);
    r.placeNibbo(2, 2);
    r.stepTick(Dir_Right);
    EXPECT_TRUE(stateHas(r, "energizer=2 step_ticks=5 ghost_count=2 nibbo=3,2 ghosts=2,1,5/2,10,3/0,6,4"));
    EXPECT_TRUE(figuresHave(r, "digits=00000\n"));
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

TEST(Tick, StarsGoOutOnThe20thTickAndAStarUnderNibboIsTakenWithAOneSecondPause) {
    Rig r;
    r.startGame(1);
    r.placeNibbo(1, 3);
    r.run(19 * 120);
    EXPECT_TRUE(figuresHave(r, "row 4 22"));
    r.run(120);
    EXPECT_TRUE(stateHas(r, "star_cycle=24"));
    EXPECT_TRUE(figuresHave(r, "row 4 20"));

    Rig s;
    s.startGame(1);
    s.placeNibbo(3, 4);  // standing still on the lit star
    s.run(480);
    EXPECT_TRUE(stateHas(s,
                         "score=2000 lives=2 stage=1 pills_left=52 next_life=20000 star_score=2000 "
                         "star_cycle=8 tick=4"));
    EXPECT_TRUE(stateHas(s, "timers=Bonus_Star:1"));
    EXPECT_TRUE(figuresHave(s, "row 4 21240222"));
    s.run(1);
    EXPECT_EQ(s.takeSounds(), std::vector{play(Snd_Bonus)});
    s.run(999);
    EXPECT_TRUE(stateHas(s, "timers=Bonus_Star:1000"));
    s.run(1);
    EXPECT_TRUE(stateHas(s, "timers=Game:120"));
    s.run(120);
    EXPECT_TRUE(stateHas(s, "tick=5"));
}

TEST(Tick, BonusStarsLightAtCycleOneOnlyWhenTheScoreHasChanged) {
    for (auto [score, lit] : {std::pair{10, true}, {2000, false}}) {
        Rig r;
        r.game.Gam_Bonus_Star_Cycle = 1;
        r.game.Gam_Score = score;
        r.game.Gam_Bonus_Star_Score = 2000;
        r.game.Gam_Set_Bonus_Stars();
        EXPECT_EQ(r.game.pills(8, 4), lit ? Cell_Bonus_Star : Cell_Empty);
        EXPECT_EQ(r.figures.visible(img::im_pill(3, 4)), lit);
    }
}

TEST(Tick, ScoreRollOverAndTheExtraLifeQuirks) {
    TickRig r;
    r.game.Gam_Score = 19990;
    r.stepTick(Dir_Right);  // both markers lit: the threshold stays
    EXPECT_TRUE(stateHas(r, "score=20000 lives=2 stage=1 pills_left=51 next_life=20000"));
    r.game.Gam_Lives = 1;  // as after a miss
    r.stepTick(0);         // a step tick without a step still grants it
    EXPECT_TRUE(stateHas(r, "lives=2 stage=1 pills_left=51 next_life=40000"));
    EXPECT_TRUE(figuresHave(r, "lives=2"));

    r.game.Gam_Score = 99990;
    r.game.Gam_Lives = 1;
    r.game.Gam_Next_Life_Score = 100000;
    r.stepTick(Dir_Right);
    EXPECT_TRUE(stateHas(r, "score=0 lives=1"));
    EXPECT_TRUE(figuresHave(r, "digits=00000"));
    r.game.Gam_Lives = 0;
    r.game.Gam_Score = 90000;
    r.game.Gam_Next_Life_Score = 20000;
    r.game.Gam_Check_New_Life();  // one life per call
    EXPECT_TRUE(stateHas(r, "score=90000 lives=1 stage=1 pills_left=50 next_life=40000"));
}

TEST(Tick, TheLastItemAnEnergizerStartsTheStageCompleteSequenceSilently) {
    TickRig r;
    r.leaveOnlyItemAt(8, 6);
    r.placeNibbo(8, 5);
    r.stepTick(Dir_Up);
    EXPECT_TRUE(stateHas(r, "pills_left=0"));
    EXPECT_TRUE(stateHas(r, "tick=4 energizer=1 step_ticks=5 ghost_count=1 nibbo=8,6 ghosts=2,"));
    EXPECT_TRUE(stateHas(r, "timers=Stage_Complete:1"));
    EXPECT_TRUE(r.takeSounds().empty());
}

TEST(Tick, ACatchLeavesThePillAndAnEatenGhostDefersTheClearedStage) {
    TickRig r;
    r.placeGhost(1, Ghost_Chasing, 7, 3);
    r.stepTick(Dir_Right);
    EXPECT_TRUE(stateHas(r, "score=0 lives=2 stage=1 pills_left=52"));
    EXPECT_TRUE(stateHas(r, "timers=Miss:1"));
    r.run(801);
    EXPECT_TRUE(figuresHave(r, "row 3 22223222"));  // Nibbo home, (7,3) still holds its pill

    TickRig e;
    e.leaveOnlyItemAt(7, 3);
    e.placeGhost(1, Ghost_Escaping, 7, 3);
    e.stepTick(Dir_Right);
    EXPECT_TRUE(stateHas(e, "score=10 lives=2 stage=1 pills_left=0"));
    EXPECT_TRUE(stateHas(e, "timers=Ghost:1"));
    e.run(651);
    EXPECT_TRUE(stateHas(e, "score=210 "));
    EXPECT_TRUE(stateHas(e, "timers=Game:120"));
    e.placeGhost(1, Ghost_Chasing, 1, 5);
    e.stepTick(Dir_Right);
    EXPECT_TRUE(stateHas(e, "timers=Stage_Complete:1"));
}

}  // namespace
}  // namespace zn::test
