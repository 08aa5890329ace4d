// The liquid-crystal screen: the lit background with the printed maze and the faint unlit
// segments, the glass over it, and every figure's picture.
#include <QLinearGradient>
#include <QPainter>

#include "engine/game.h"
#include "tools/skingen/art.h"
#include "tools/skingen/layout.h"

namespace zn::skingen {
namespace {

const QColor kInk(64, 86, 96);  // the maze printed under the liquid crystal; opaque, so joints do not darken

QImage blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Every figure the screen can show, with its shape and its rectangle in game-area pixels.
template <typename Fn>
void forEachSegmentFigure(Fn&& fn) {
    for (int col = 2; col <= 9; ++col)
        for (int row = 1; row <= 7; ++row) {
            fn(ghostShape(kGhostSize.width(), kGhostSize.height()),
               figureRect(col, row, kGhostSize, kGhostShift));
            if (img::isHouse(col, row)) continue;
            fn(nibboShape(kNibboSize.width()), figureRect(col, row, kNibboSize, kNibboShift));
        }
    for (int col = 2; col <= 9; ++col)
        for (int row = 1; row <= 7; ++row) {
            if (img::isHouse(col, row)) continue;
            const PillKind kind = pillKind(col, row);
            const QSize size = pillSize(kind);
            fn(kind == PillKind::Star        ? starShape(size.width())
               : kind == PillKind::Energizer ? energizerShape(size.width())
                                             : pillShape(size.width()),
               figureRect(col, row, size, 0));
        }
    for (int p = 1; p <= 5; ++p) fn(digitSegments(8), digitRect(p));
    for (int m = 1; m <= 2; ++m) fn(nibboShape(lifeRect(m).width()), lifeRect(m));
    fn(gameOverShape(), kGameOver);
}

void paintMaze(QPainter& p) {
    QPen wall(kInk, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(wall);
    for (int col = 2; col <= 9; ++col)
        for (int row = 1; row <= 7; ++row) {
            const int open = kLabyrinth[cellIndex(col, row)];
            const QRectF c = QRectF(cellRect(col, row)).translated(-kScreen.topLeft());
            // Each cell draws its closed right and upper sides, the outer column and row their outer
            // sides too. The walls agree from both sides except at the ghost house's door.
            if (!(open & Dir_Right)) p.drawLine(c.topRight(), c.bottomRight());
            if (!(open & Dir_Up)) p.drawLine(c.topLeft(), c.topRight());
            if (col == 2 && !(open & Dir_Left)) p.drawLine(c.topLeft(), c.bottomLeft());
            if (row == 1 && !(open & Dir_Down)) p.drawLine(c.bottomLeft(), c.bottomRight());
        }
    // The ghost house's one-way door: open from below, closed from above.
    QPen door(kInk, 2.5, Qt::DashLine, Qt::FlatCap);
    p.setPen(door);
    for (int col : {5, 6}) {
        const QRectF c = QRectF(cellRect(col, 4)).translated(-kScreen.topLeft());
        p.drawLine(c.topLeft() + QPointF(4, 0), c.topRight() - QPointF(4, 0));
    }
    // The tunnels of rows 3 and 5 run out to the screen's edges.
    p.setPen(wall);
    for (int row : {3, 5}) {
        const QRectF l = QRectF(cellRect(2, row)).translated(-kScreen.topLeft());
        const QRectF r = QRectF(cellRect(9, row)).translated(-kScreen.topLeft());
        for (double y : {l.top(), l.bottom()}) {
            p.drawLine(QPointF(4, y), QPointF(l.left(), y));
            p.drawLine(QPointF(r.right(), y), QPointF(kScreen.width() - 4, y));
        }
    }
}

}  // namespace

QImage segmentPicture(const QPainterPath& shape, QSize size, QColor colour, int scale) {
    QImage image = blank(size * scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    scalePainter(p, scale);
    p.fillPath(shape, colour);
    return image;
}

ScreenArt paintScreen(int scale) {
    ScreenArt art;
    const QSize size = kScreen.size();

    art.lit = QImage(size * scale, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&art.lit);
        p.setRenderHint(QPainter::Antialiasing);
        scalePainter(p, scale);
        QLinearGradient bg(0, 0, size.width(), size.height());
        bg.setColorAt(0, QColor(214, 221, 196));
        bg.setColorAt(1, QColor(189, 199, 171));
        p.fillRect(QRect(QPoint(0, 0), size), bg);
        paintMaze(p);
        forEachSegmentFigure([&p](const QPainterPath& shape, QRect where) {
            p.fillPath(shape.translated(where.topLeft() - kScreen.topLeft()), kSegmentFaint);
        });
    }

    art.glass = blank(size * scale);
    {
        QPainter p(&art.glass);
        scalePainter(p, scale);
        QLinearGradient shine(0, 0, size.width() * 0.55, size.height() * 0.75);
        shine.setColorAt(0, QColor(255, 255, 255, 52));
        shine.setColorAt(0.45, QColor(255, 255, 255, 14));
        shine.setColorAt(0.46, QColor(255, 255, 255, 0));
        p.fillRect(QRect(QPoint(0, 0), size), shine);
        QLinearGradient top(0, 0, 0, 10);
        top.setColorAt(0, QColor(0, 0, 0, 70));
        top.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRect(0, 0, size.width(), 10), top);
        QLinearGradient left(0, 0, 8, 0);
        left.setColorAt(0, QColor(0, 0, 0, 50));
        left.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRect(0, 0, 8, size.height()), left);
    }

    art.nibbo = segmentPicture(nibboShape(kNibboSize.width()), kNibboSize, kSegmentLit, scale);
    art.ghost =
        segmentPicture(ghostShape(kGhostSize.width(), kGhostSize.height()), kGhostSize, kSegmentLit, scale);
    art.pill = segmentPicture(pillShape(pillSize(PillKind::Pill).width()), pillSize(PillKind::Pill),
                              kSegmentLit, scale);
    art.energizer = segmentPicture(energizerShape(pillSize(PillKind::Energizer).width()),
                                   pillSize(PillKind::Energizer), kSegmentLit, scale);
    art.star = segmentPicture(starShape(pillSize(PillKind::Star).width()), pillSize(PillKind::Star),
                              kSegmentLit, scale);
    art.life = segmentPicture(nibboShape(lifeRect(1).width()), lifeRect(1).size(), kSegmentLit, scale);
    art.gameOver = segmentPicture(gameOverShape(), kGameOver.size(), kSegmentLit, scale);
    for (int d = 0; d <= 9; ++d)
        art.digits[d] = segmentPicture(digitSegments(d), kDigitSize, kSegmentLit, scale);
    return art;
}

}  // namespace zn::skingen
