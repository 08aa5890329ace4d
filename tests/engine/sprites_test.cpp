#include "engine/sprites.h"

#include "rig.h"

namespace zn::test {
namespace {

std::string panel(const FigureTable& f) {
    const std::string s = showFigures(f);
    return s.substr(0, s.find('\n'));
}

TEST(Sprites, ScoreRollsOverInTheCallersVariableAndShowsFiveDigits) {
    struct Case {
        std::int32_t in, out;
        bool visible;
        const char* digits;
    } cases[] = {{0, 0, true, "00000"},      {120, 120, true, "00120"},      {99990, 99990, true, "99990"},
                 {100000, 0, true, "00000"}, {354321, 54321, true, "54321"}, {777, 777, false, "_____"}};
    for (const auto& c : cases) {
        FigureTable f;
        Sprites s(f);
        std::int32_t score = c.in;
        s.Vid_Display_Panel_Score(score, c.visible);
        EXPECT_EQ(score, c.out);
        EXPECT_TRUE(contains(panel(f), std::string("digits=") + c.digits));
    }
}

TEST(Sprites, LifeMarkersLightUpToTheCount) {
    for (auto [count, lit] : {std::pair{-1, 0}, {0, 0}, {1, 1}, {2, 2}}) {
        FigureTable f;
        Sprites s(f);
        s.Vid_Display_Panel_Life(count);
        EXPECT_TRUE(contains(panel(f), "lives=" + std::to_string(lit))) << count;
    }
}

TEST(Sprites, NothingIsLitOutsideTheVisibleCellsOrForNibboInTheHouse) {
    FigureTable f;
    Sprites s(f);
    for (auto [col, row] : {std::pair{1, 3}, {10, 5}, {5, 4}, {6, 4}, {3, 0}, {3, 8}}) {
        s.Vid_Display_Nibbo(col, row, true);
        s.displayPill(col, row, true);
        if (col != 5 && col != 6) s.displayGhostCell(col, row, true);
    }
    s.displayGhostCell(5, 4, true);
    EXPECT_TRUE(contains(showFigures(f),
                         "row 7 00000000\nrow 6 00000000\nrow 5 00000000\nrow 4 00040000\n"
                         "row 3 00000000\nrow 2 00000000\nrow 1 00000000\n"));
}

TEST(Sprites, AllSpritesOffHidesGameFiguresButNotButtonsOrTheScreen) {
    FigureTable f;
    Sprites s(f);
    s.Vid_Display_All_Sprites(true);
    EXPECT_TRUE(contains(showFigures(f), "row 4 77744777\n"));
    f.setVisible(img::im_background_screen, true);
    f.setVisible(img::btn_power_on, true);
    s.Vid_Display_All_Sprites(false);
    EXPECT_TRUE(contains(
        showFigures(f),
        "panel screen=1 power=1 select=0 start=0 gameover=0 lives=0 digits=-----\nrow 7 00000000\n"));
    EXPECT_FALSE(f.visible(img::im_ghost_05_04_b));
}

}  // namespace
}  // namespace zn::test
