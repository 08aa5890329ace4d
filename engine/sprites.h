#pragma once
// The figure tables and the display operations through which the game lights the
// simulated screen. Every figure is an image of the main window that is only shown
// or hidden; the score digits also get their pictures copied from the digit figures.
// Toolkit-free: the figures are reached through the engine's FigureService.
#include <array>
#include <cstdint>
#include <optional>

#include "engine/images.h"
#include "engine/services.h"

namespace zn {

constexpr int kFigureCells = 56;  // 8 visible columns x 7 rows

// Index of a visible cell in the figure tables: one column from row 1 to row 7, then the next.
constexpr int figureIndex(int col, int row) { return (col - 2) * 7 + (row - 1); }

constexpr bool isVisibleCell(int col, int row) { return col >= 2 && col <= 9 && row >= 1 && row <= 7; }

class Sprites {
public:
    // Builds the tables; touches no figure.
    explicit Sprites(FigureService& figures);

    // Entries of the ghost-house cells (indices 24 and 31) stay empty in the Nibbo and pill tables.
    std::array<std::optional<ImageId>, kFigureCells> Vid_Nibbo_Figures;
    std::array<std::optional<ImageId>, kFigureCells> Vid_Pill_Figures;
    std::array<ImageId, kFigureCells> Vid_Ghost_Figures;
    std::array<ImageId, 6> Vid_Score_Digits;     // positions 1..5, 1 the leftmost; [0] unused
    std::array<ImageId, 10> Vid_Digit_Pictures;  // digits 0..9
    std::array<ImageId, 3> Vid_Life_Markers;     // markers 1..2; [0] unused

    // Every digit position, both life markers, the game-over panel and every grid figure.
    void Vid_Display_All_Sprites(bool visible);
    void Vid_Display_All_Nibbo(bool visible);
    void Vid_Display_All_Pill(bool visible);
    void Vid_Display_All_Ghost(bool visible);
    // Nothing outside the visible cells or on the ghost house.
    void Vid_Display_Nibbo(const std::int32_t& col, const std::int32_t& row, bool visible);
    // The pill figure of a cell (also energizers and bonus stars); nothing where none exists.
    void displayPill(std::int32_t col, std::int32_t row, bool visible);
    // The ghost figure of a cell; nothing outside the visible cells (tunnel columns).
    void displayGhostCell(std::int32_t col, std::int32_t row, bool visible);
    // Marker i (1..2) lit exactly when i <= count.
    void Vid_Display_Panel_Life(const std::int32_t& count);
    // Reduces the caller's score below 100000, then shows its five digits (visible) or
    // empties the positions (not visible); the five positions end up shown either way.
    void Vid_Display_Panel_Score(std::int32_t& score, bool visible);
    // Digit position p (1..5) takes the picture of digit d.
    void displayPanelDigit(int p, int d);

    // Shows or hides one figure that is in no table (screen, buttons, game-over panel).
    void showFigure(ImageId id, bool visible) { figures_.setVisible(id, visible); }

private:
    FigureService& figures_;
};

}  // namespace zn
