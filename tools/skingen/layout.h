#pragma once
// Where everything sits on the default skin's 692 x 747 game area. All the generator's
// pictures and the rectangles written to Config.ini come from these numbers.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace zn::skingen {

constexpr int kGameWidth = 692;
constexpr int kGameHeight = 747;

// The plastic body and the dark bezel around the screen.
constexpr QRect kBody(14, 10, 664, 727);
constexpr int kBodyRadius = 66;
constexpr QRect kBezel(64, 50, 564, 432);

// The liquid-crystal screen, and within it the score panel and the maze.
constexpr QRect kScreen(96, 78, 500, 368);
constexpr int kCellW = 56;
constexpr int kCellH = 42;
constexpr QPoint kMazeOrigin(kScreen.left() + (kScreen.width() - 8 * kCellW) / 2, 142);  // top-left of (2,7)

// The cell (col 2..9, row 1..7) in game-area pixels; row 7 is the top row.
constexpr QRect cellRect(int col, int row) {
    return QRect(kMazeOrigin.x() + (col - 2) * kCellW, kMazeOrigin.y() + (7 - row) * kCellH, kCellW, kCellH);
}

// The figures of one cell: Nibbo left of centre, the ghost right of it, the pill between.
constexpr QSize kNibboSize(25, 25);
constexpr QSize kGhostSize(24, 26);
constexpr int kNibboShift = -14;
constexpr int kGhostShift = 14;
constexpr QRect figureRect(int col, int row, QSize size, int shift) {
    const QRect c = cellRect(col, row);
    return QRect(c.center().x() + 1 + shift - size.width() / 2, c.center().y() + 1 - size.height() / 2,
                 size.width(), size.height());
}

// What the pill figure of a cell shows: energizers at (3,2), (8,2), (3,6), (8,6), bonus stars
// at (3,4), (8,4), pills everywhere else.
enum class PillKind { Pill, Energizer, Star };
constexpr PillKind pillKind(int col, int row) {
    if ((col == 3 || col == 8) && (row == 2 || row == 6)) return PillKind::Energizer;
    if ((col == 3 || col == 8) && row == 4) return PillKind::Star;
    return PillKind::Pill;
}
constexpr QSize pillSize(PillKind kind) {
    return kind == PillKind::Energizer ? QSize(16, 16) : kind == PillKind::Star ? QSize(22, 22) : QSize(9, 9);
}

// Score panel: two life markers, five digit positions, the game-over panel.
constexpr QSize kDigitSize(24, 40);
constexpr int kDigitPitch = 31;
constexpr QRect digitRect(int position) {  // position 1..5, 1 the leftmost
    return QRect(258 + (position - 1) * kDigitPitch, 88, kDigitSize.width(), kDigitSize.height());
}
constexpr QRect lifeRect(int marker) { return QRect(120 + (marker - 1) * 32, 94, 26, 26); }
constexpr QRect kGameOver(432, 88, 146, 40);

// Controls on the body.
constexpr QPoint kJoystickCentre(182, 612);
constexpr int kJoystickWell = 84;
constexpr QRect kJoystick(kJoystickCentre.x() - 70, kJoystickCentre.y() - 70, 140, 140);
constexpr int kArrowSize = 56;
constexpr QRect arrowRect(int dx, int dy) {  // dx, dy in -1..1: the arrow's side of the centre
    return QRect(kJoystickCentre.x() - kArrowSize / 2 + dx * 58,
                 kJoystickCentre.y() - kArrowSize / 2 + dy * 58, kArrowSize, kArrowSize);
}

constexpr QPoint kSelectCentre(452, 640);
constexpr QPoint kStartCentre(574, 640);
constexpr int kButtonRadius = 27;
constexpr QRect buttonRect(QPoint centre) { return QRect(centre.x() - 36, centre.y() - 36, 72, 72); }

constexpr QRect kPowerSlot(468, 532, 84, 22);   // the slide switch's track
constexpr QRect kPowerRect(456, 522, 108, 42);  // its picture and click area

}  // namespace zn::skingen
