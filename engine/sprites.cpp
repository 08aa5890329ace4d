#include "engine/sprites.h"

namespace zn {

Sprites::Sprites(FigureService& figures) : figures_(figures) {
    for (int col = 2; col <= 9; ++col)
        for (int row = 1; row <= 7; ++row) {
            const int i = figureIndex(col, row);
            if (!img::isHouse(col, row)) {
                Vid_Nibbo_Figures[i] = img::im_nibbo(col, row);
                Vid_Pill_Figures[i] = img::im_pill(col, row);
            }
            Vid_Ghost_Figures[i] = img::im_ghost(col, row);
        }
    Vid_Score_Digits[0] = Vid_Life_Markers[0] = img::im_panel_digit_pos(1);  // unused slots
    for (int p = 1; p <= 5; ++p) Vid_Score_Digits[p] = img::im_panel_digit_pos(p);
    for (int d = 0; d <= 9; ++d) Vid_Digit_Pictures[d] = img::im_panel_number(d);
    Vid_Life_Markers[1] = img::im_panel_lives_1;
    Vid_Life_Markers[2] = img::im_panel_lives_2;
}

void Sprites::Vid_Display_All_Sprites(bool visible) {
    for (int p = 1; p <= 5; ++p) figures_.setVisible(Vid_Score_Digits[p], visible);
    const std::int32_t lives = visible ? 2 : 0;
    Vid_Display_Panel_Life(lives);
    figures_.setVisible(img::im_panel_gameover, visible);
    Vid_Display_All_Nibbo(visible);
    Vid_Display_All_Pill(visible);
    Vid_Display_All_Ghost(visible);
}

void Sprites::Vid_Display_All_Nibbo(bool visible) {
    for (const auto& f : Vid_Nibbo_Figures)
        if (f) figures_.setVisible(*f, visible);
}

void Sprites::Vid_Display_All_Pill(bool visible) {
    for (const auto& f : Vid_Pill_Figures)
        if (f) figures_.setVisible(*f, visible);
}

void Sprites::Vid_Display_All_Ghost(bool visible) {
    for (ImageId f : Vid_Ghost_Figures) figures_.setVisible(f, visible);
}

void Sprites::Vid_Display_Nibbo(const std::int32_t& col, const std::int32_t& row, bool visible) {
    // The row is checked too, although the game never passes one outside 1..7: a
    // wrong value must not reach past the table.
    if (!isVisibleCell(col, row)) return;
    if (const auto& f = Vid_Nibbo_Figures[figureIndex(col, row)]) figures_.setVisible(*f, visible);
}

void Sprites::displayPill(std::int32_t col, std::int32_t row, bool visible) {
    if (!isVisibleCell(col, row)) return;
    if (const auto& f = Vid_Pill_Figures[figureIndex(col, row)]) figures_.setVisible(*f, visible);
}

void Sprites::displayGhostCell(std::int32_t col, std::int32_t row, bool visible) {
    if (!isVisibleCell(col, row)) return;
    figures_.setVisible(Vid_Ghost_Figures[figureIndex(col, row)], visible);
}

void Sprites::Vid_Display_Panel_Life(const std::int32_t& count) {
    for (int i = 1; i <= 2; ++i) figures_.setVisible(Vid_Life_Markers[i], i <= count);
}

void Sprites::Vid_Display_Panel_Score(std::int32_t& score, bool visible) {
    while (score >= 100000) score -= 100000;
    if (visible) {
        std::int32_t divisor = 10000;
        for (int p = 1; p <= 5; ++p, divisor /= 10) {
            // A negative score never occurs in play; the modulo keeps the index in range anyway.
            const int digit = ((score / divisor) % 10 + 10) % 10;
            figures_.copyPicture(Vid_Score_Digits[p], Vid_Digit_Pictures[digit]);
        }
    } else {
        for (int p = 1; p <= 5; ++p) figures_.clearPicture(Vid_Score_Digits[p]);
    }
    for (int p = 1; p <= 5; ++p) figures_.setVisible(Vid_Score_Digits[p], true);
}

void Sprites::displayPanelDigit(int p, int d) {
    if (p < 1 || p > 5 || d < 0 || d > 9) return;
    figures_.copyPicture(Vid_Score_Digits[p], Vid_Digit_Pictures[d]);
}

}  // namespace zn
