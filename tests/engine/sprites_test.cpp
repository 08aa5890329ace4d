#include "display/sprites.h"

#include <gtest/gtest.h>

#include "engine/figure_table.h"

namespace zn {
namespace {

std::string digits(const FigureTable& f) {
    std::string s;
    for (int p = 1; p <= 5; ++p) {
        const int d = f.panelDigit(p);
        s += !f.visible(img::im_panel_digit_pos(p)) ? '-' : d < 0 ? '_' : char('0' + d);
    }
    return s;
}

int litCount(const FigureTable& f) {
    int n = 0;
    for (int i = 0; i < kImageCount; ++i) n += f.visible(img::at(i));
    return n;
}

TEST(Sprites, TablesFollowTheCellIndexAndLeaveTheHouseEmpty) {
    FigureTable f;
    Sprites s(f);
    EXPECT_EQ(s.Vid_Nibbo_Figures[0], img::im_nibbo(2, 1));
    EXPECT_EQ(s.Vid_Pill_Figures[6], img::im_pill(2, 7));
    EXPECT_EQ(s.Vid_Ghost_Figures[55], img::im_ghost(9, 7));
    EXPECT_FALSE(s.Vid_Nibbo_Figures[24].has_value());
    EXPECT_FALSE(s.Vid_Pill_Figures[31].has_value());
    EXPECT_EQ(imageName(s.Vid_Ghost_Figures[24]), "im_ghost_05_04");
    EXPECT_EQ(imageName(s.Vid_Ghost_Figures[31]), "im_ghost_06_04");
}

TEST(Sprites, ScoreRollsOverInTheCallersVariableAndShowsLeadingZeros) {
    struct Case {
        std::int32_t in, out;
        const char* shown;
    } cases[] = {{0, 0, "00000"},
                 {120, 120, "00120"},
                 {99990, 99990, "99990"},
                 {100000, 0, "00000"},
                 {354321, 54321, "54321"}};
    for (const auto& c : cases) {
        FigureTable f;
        Sprites s(f);
        std::int32_t score = c.in;
        s.Vid_Display_Panel_Score(score, true);
        EXPECT_EQ(score, c.out) << c.in;
        EXPECT_EQ(digits(f), c.shown) << c.in;
    }
}

TEST(Sprites, ScoreWithDigitsOffEmptiesThePositionsButLeavesThemShown) {
    FigureTable f;
    Sprites s(f);
    std::int32_t score = 12345;
    s.Vid_Display_Panel_Score(score, true);
    s.Vid_Display_Panel_Score(score, false);
    EXPECT_EQ(digits(f), "_____");
}

TEST(Sprites, LifeMarkersLightUpToTheCount) {
    const std::pair<std::int32_t, int> cases[] = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}};
    for (auto [count, lit] : cases) {
        FigureTable f;
        Sprites s(f);
        s.Vid_Display_Panel_Life(count);
        EXPECT_EQ(f.visible(img::im_panel_lives_1) + f.visible(img::im_panel_lives_2), lit) << count;
        EXPECT_EQ(f.visible(img::im_panel_lives_1), lit >= 1);
    }
}

TEST(Sprites, NibboAndGhostOutsideTheVisibleCellsChangeNothing) {
    FigureTable f;
    Sprites s(f);
    for (auto [col, row] : {std::pair{1, 3}, {10, 5}, {5, 4}, {6, 4}, {3, 0}, {3, 8}})
        s.Vid_Display_Nibbo(col, row, true);
    for (auto [col, row] : {std::pair{1, 3}, {10, 5}, {4, 9}}) s.Vid_Display_Ghost_Cell(col, row, true);
    EXPECT_EQ(litCount(f), 0);
    s.Vid_Display_Ghost_Cell(5, 4, true);
    EXPECT_TRUE(f.visible(img::im_ghost(5, 4)));
    EXPECT_EQ(litCount(f), 1);
}

TEST(Sprites, AllSpritesOffHidesGameFiguresButNotButtonsOrBackgrounds) {
    FigureTable f;
    Sprites s(f);
    s.Vid_Display_All_Sprites(true);
    // 54 + 54 + 56 grid figures, 5 digits, 2 markers, the game-over panel.
    EXPECT_EQ(litCount(f), 54 + 54 + 56 + 5 + 2 + 1);
    EXPECT_FALSE(f.visible(img::im_ghost_05_04_b));
    f.setVisible(img::im_background_screen, true);
    f.setVisible(img::btn_power_on, true);
    s.Vid_Display_All_Sprites(false);
    EXPECT_EQ(litCount(f), 2);
    EXPECT_TRUE(f.visible(img::im_background_screen));
    EXPECT_TRUE(f.visible(img::btn_power_on));
}

}  // namespace
}  // namespace zn
