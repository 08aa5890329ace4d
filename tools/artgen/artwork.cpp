#include "tools/artgen/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "input/dialoglook.h"  // kDialogNavy

namespace zn::art {
namespace {

const QColor kNavyLight(24, 82, 148);
const QColor kAccent(255, 200, 40);

QFont artFont(int px, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// w x h dialog pixels at scale device pixels each: a painter on it draws in dialog pixels.
QImage blank(int w, int h, const QColor& fill, int scale = 1) {
    QImage img(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale);
    img.fill(fill);
    return img;
}

// Text with a dark outline, readable on any background.
void outlinedText(QPainter& p, const QRectF& r, const QString& text, const QFont& font, const QColor& fill,
                  const QColor& outline, qreal width) {
    QPainterPath path;
    const QFontMetricsF fm(font);
    const qreal x = r.center().x() - fm.horizontalAdvance(text) / 2;
    const qreal y = r.center().y() + (fm.ascent() - fm.descent()) / 2;
    path.addText(QPointF(x, y), font, text);
    p.setPen(QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

// The handheld itself: a yellow case, the LCD with its maze of 8 x 7 cells, the joystick
// on the left, the power slider and two red buttons on the right. Used on the box and in
// the icon.
void drawHandheld(QPainter& p, const QRectF& r) {
    p.save();
    const qreal u = r.width() / 100.0;  // all measures in hundredths of the case width
    QLinearGradient body(r.topLeft(), r.bottomRight());
    body.setColorAt(0, QColor(255, 214, 92));
    body.setColorAt(1, QColor(226, 150, 24));
    p.setPen(QPen(QColor(132, 84, 8), 1.2 * u));
    p.setBrush(body);
    p.drawRoundedRect(r, 9 * u, 9 * u);

    const QRectF bezel(r.left() + 8 * u, r.top() + 8 * u, r.width() - 16 * u, r.height() * 0.56);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 34, 44));
    p.drawRoundedRect(bezel, 4 * u, 4 * u);
    const QRectF lcd = bezel.adjusted(5 * u, 5 * u, -5 * u, -5 * u);
    QLinearGradient glass(lcd.topLeft(), lcd.bottomLeft());
    glass.setColorAt(0, QColor(204, 214, 186));
    glass.setColorAt(1, QColor(172, 186, 152));
    p.setBrush(glass);
    p.drawRect(lcd);

    // The maze: walls around the playfield, the ghost house in the middle, a pill per cell.
    const int cols = 8, rows = 7;
    const qreal cw = lcd.width() / cols, ch = lcd.height() / rows;
    const QColor ink(52, 60, 48);
    p.setPen(QPen(ink, std::max<qreal>(1.0, 0.9 * u)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(lcd.adjusted(0.15 * cw, 0.15 * ch, -0.15 * cw, -0.15 * ch));
    p.drawRect(QRectF(lcd.left() + 3.2 * cw, lcd.top() + 3.2 * ch, 1.6 * cw, 0.6 * ch));
    p.drawLine(QPointF(lcd.left() + 1.5 * cw, lcd.top() + 1.5 * ch),
               QPointF(lcd.left() + 2.5 * cw, lcd.top() + 1.5 * ch));
    p.drawLine(QPointF(lcd.left() + 5.5 * cw, lcd.top() + 1.5 * ch),
               QPointF(lcd.left() + 6.5 * cw, lcd.top() + 1.5 * ch));
    p.drawLine(QPointF(lcd.left() + 1.5 * cw, lcd.top() + 5.5 * ch),
               QPointF(lcd.left() + 6.5 * cw, lcd.top() + 5.5 * ch));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (int c = 0; c < cols; ++c) {
        for (int row = 0; row < rows; ++row) {
            if (row == 3 && (c == 3 || c == 4)) continue;  // the ghost house
            const QPointF centre(lcd.left() + (c + 0.5) * cw, lcd.top() + (row + 0.5) * ch);
            const bool energizer = (row == 0 || row == rows - 1) && (c == 0 || c == cols - 1);
            const qreal rad = (energizer ? 0.16 : 0.07) * std::min(cw, ch);
            p.drawEllipse(centre, rad, rad);
        }
    }

    // The joystick: a dark disc with four arrows.
    const qreal lowTop = bezel.bottom(), lowHeight = r.bottom() - bezel.bottom();
    const QPointF js(r.left() + 24 * u, lowTop + lowHeight * 0.52);
    p.setPen(QPen(QColor(132, 84, 8), 0.8 * u));
    p.setBrush(QColor(74, 52, 20));
    p.drawEllipse(js, 15 * u, 15 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 226, 204));
    for (int d = 0; d < 4; ++d) {
        p.save();
        p.translate(js);
        p.rotate(90 * d);
        const QPointF arrow[] = {QPointF(0, -12 * u), QPointF(-4 * u, -7 * u), QPointF(4 * u, -7 * u)};
        p.drawPolygon(arrow, 3);
        p.restore();
    }
    // The power slider above two red buttons: game select and start.
    p.setBrush(QColor(60, 60, 60));
    p.drawRoundedRect(QRectF(r.right() - 38 * u, lowTop + lowHeight * 0.2, 18 * u, 5 * u), 2 * u, 2 * u);
    p.setBrush(QColor(210, 210, 210));
    p.drawRoundedRect(QRectF(r.right() - 37 * u, lowTop + lowHeight * 0.2 + 0.8 * u, 8 * u, 3.4 * u), u, u);
    for (int i = 0; i < 2; ++i) {
        const QPointF c(r.right() - (40 - 19 * i) * u, lowTop + lowHeight * 0.62);
        QRadialGradient knob(c - QPointF(2 * u, 2 * u), 7 * u);
        knob.setColorAt(0, QColor(255, 120, 100));
        knob.setColorAt(1, QColor(176, 20, 20));
        p.setPen(QPen(QColor(110, 60, 8), 0.8 * u));
        p.setBrush(knob);
        p.drawEllipse(c, 6.5 * u, 6.5 * u);
    }
    p.restore();
}

}  // namespace

QImage splashBackground(int scale) {
    QImage img = blank(460, 420, Qt::white, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient top(0, 0, 0, 52);
    top.setColorAt(0, kDialogNavy);
    top.setColorAt(1, kNavyLight);
    p.fillRect(QRect(0, 0, 460, 52), top);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    for (int x = 10; x < 460; x += 20) {
        p.drawEllipse(QPointF(x, 6), 1.6, 1.6);
        p.drawEllipse(QPointF(x, 47), 1.6, 1.6);
    }
    p.fillRect(QRect(0, 52, 460, 2), kAccent);

    // Faint maze pillars in the margins, clear of the text in the middle: the release line
    // (Arial 12 px, about 362 px wide, centred) runs from x 49 to 411, so each pillar, its
    // 6 px pen included, stays within 7 px of the dialog's edge and 43 px of it.
    constexpr int kPillarWidth = 30;
    constexpr int kPillarLefts[2] = {10, 460 - 10 - kPillarWidth};
    constexpr int kHalf = kPillarWidth / 2;
    p.setPen(QPen(QColor(226, 233, 244), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const int x0 : kPillarLefts) {
        p.drawLine(x0, 236, x0 + kPillarWidth, 236);
        p.drawLine(x0 + kHalf, 236, x0 + kHalf, 300);
        p.drawLine(x0, 300, x0 + kPillarWidth, 300);
        p.drawLine(x0, 300, x0, 366);
        p.drawLine(x0 + kPillarWidth, 300, x0 + kPillarWidth, 366);
        p.drawLine(x0, 366, x0 + kPillarWidth, 366);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(206, 216, 232));
    for (const int x0 : kPillarLefts) {
        for (int i = 0; i <= 2; ++i) p.drawEllipse(QPointF(x0 + kHalf * i, 268), 2.5, 2.5);
        p.drawEllipse(QPointF(x0 + kHalf, 333), 5, 5);
    }

    p.fillRect(QRect(0, 384, 460, 2), kAccent);
    p.fillRect(QRect(0, 386, 460, 34), kDialogNavy);
    return img;
}

QImage boxPicture(int scale) {
    QImage img = blank(460, 160, Qt::white, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 160);
    sky.setColorAt(0, QColor(255, 255, 255));
    sky.setColorAt(0.55, QColor(222, 233, 247));
    sky.setColorAt(1, QColor(255, 255, 255));
    p.fillRect(QRect(0, 0, 460, 160), sky);

    QRadialGradient shadow(QPointF(250, 150), 150);
    shadow.setColorAt(0, QColor(0, 0, 0, 70));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(250, 150), 150, 10);

    // The box, seen a little from the right: front face, side and lid.
    const QRectF front(170, 14, 150, 132);
    const qreal depth = 34, rise = 12;
    QPainterPath side;
    side.moveTo(front.topRight());
    side.lineTo(front.right() + depth, front.top() - rise);
    side.lineTo(front.right() + depth, front.bottom() - rise);
    side.lineTo(front.bottomRight());
    side.closeSubpath();
    QPainterPath lid;
    lid.moveTo(front.topLeft());
    lid.lineTo(front.left() + depth, front.top() - rise);
    lid.lineTo(front.right() + depth, front.top() - rise);
    lid.lineTo(front.topRight());
    lid.closeSubpath();
    p.setPen(QPen(QColor(90, 20, 10), 1));
    p.setBrush(QColor(150, 36, 24));
    p.drawPath(side);
    p.setBrush(QColor(232, 96, 60));
    p.drawPath(lid);
    QLinearGradient face(front.topLeft(), front.bottomLeft());
    face.setColorAt(0, QColor(236, 74, 44));
    face.setColorAt(1, QColor(186, 40, 26));
    p.setBrush(face);
    p.drawRect(front);

    p.fillRect(QRectF(front.left(), front.top() + 6, front.width(), 22), kDialogNavy);
    outlinedText(p, QRectF(front.left(), front.top() + 6, front.width(), 22), QStringLiteral("ZORPY NIBBO"),
                 artFont(17, true), kAccent, QColor(0, 0, 0), 2.5);
    drawHandheld(p, QRectF(front.left() + 40, front.top() + 34, 70, 76));
    p.setPen(Qt::white);
    p.setFont(artFont(9, true));
    p.drawText(QRectF(front.left(), front.bottom() - 20, front.width(), 16), Qt::AlignCenter,
               QStringLiteral("LCD MAZE GAME  *  4 GAMES"));

    // The device out of its box, leaning left of it.
    p.save();
    p.translate(110, 84);
    p.rotate(-8);
    drawHandheld(p, QRectF(-40, -56, 80, 100));
    p.restore();

    // A star burst on the right: the four games.
    QPainterPath star;
    const QPointF c(410, 62);
    for (int i = 0; i < 24; ++i) {
        const qreal a = i * 3.14159265358979 / 12;
        const qreal rad = (i % 2 == 0) ? 34 : 26;
        const QPointF pt(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
        if (i == 0) {
            star.moveTo(pt);
        } else {
            star.lineTo(pt);
        }
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(170, 110, 10), 1));
    p.setBrush(kAccent);
    p.drawPath(star);
    p.setPen(kDialogNavy);
    p.setFont(artFont(11, true));
    p.drawText(QRectF(c.x() - 26, c.y() - 14, 52, 28), Qt::AlignCenter, QStringLiteral("4 in 1"));
    return img;
}

QImage playButton(bool enabled, int scale) {
    QImage img = blank(107, 30, Qt::transparent, scale);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, 30);
        g.setColorAt(0, QColor(96, 206, 96));
        g.setColorAt(1, QColor(28, 128, 40));
        p.setPen(QPen(QColor(16, 84, 24), 1));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(0.5, 0.5, 106, 29), 7, 7);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const QPointF tri[] = {QPointF(30, 8), QPointF(30, 22), QPointF(42, 15)};
        p.drawPolygon(tri, 3);
        p.setPen(Qt::white);
        p.setFont(artFont(15, true));
        p.drawText(QRectF(46, 0, 50, 30), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("PLAY"));
    }
    return enabled ? img : greyed(img);
}

QImage donateButton(int scale) {
    QImage img = blank(107, 30, Qt::transparent, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 30);
    g.setColorAt(0, QColor(255, 224, 110));
    g.setColorAt(1, QColor(236, 164, 24));
    p.setPen(QPen(QColor(160, 100, 8), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 106, 29), 7, 7);
    QPainterPath heart;
    heart.moveTo(19, 22);
    heart.cubicTo(8, 15, 10, 7, 15, 8);
    heart.cubicTo(17, 8, 19, 10, 19, 12);
    heart.cubicTo(19, 10, 21, 8, 23, 8);
    heart.cubicTo(28, 7, 30, 15, 19, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 40, 50));
    p.drawPath(heart);
    p.setPen(kDialogNavy);
    p.setFont(artFont(14, true));
    p.drawText(QRectF(30, 0, 72, 30), Qt::AlignCenter, QStringLiteral("DONATE"));
    return img;
}

QImage portrait(int scale) {
    QImage img = blank(116, 160, kDialogNavy, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 160);
    bg.setColorAt(0, QColor(70, 130, 196));
    bg.setColorAt(1, kDialogNavy);
    p.fillRect(QRect(0, 0, 116, 160), bg);

    // Shoulders in a team shirt with the handheld printed on it.
    QPainterPath shirt;
    shirt.moveTo(6, 160);
    shirt.cubicTo(8, 122, 30, 112, 58, 112);
    shirt.cubicTo(86, 112, 108, 122, 110, 160);
    shirt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(232, 86, 52));
    p.drawPath(shirt);
    drawHandheld(p, QRectF(46, 128, 24, 26));

    p.setBrush(QColor(222, 178, 140));
    p.drawRect(QRectF(49, 96, 18, 20));
    p.setBrush(QColor(236, 196, 160));
    p.drawEllipse(QRectF(30, 38, 56, 66));
    p.drawEllipse(QRectF(26, 64, 8, 14));
    p.drawEllipse(QRectF(82, 64, 8, 14));

    QPainterPath hair;
    hair.moveTo(29, 66);
    hair.cubicTo(24, 34, 46, 26, 60, 28);
    hair.cubicTo(80, 28, 94, 42, 87, 66);
    hair.cubicTo(82, 52, 70, 46, 58, 50);
    hair.cubicTo(44, 46, 34, 54, 29, 66);
    p.setBrush(QColor(74, 46, 28));
    p.drawPath(hair);

    // Glasses, eyes and a smile.
    p.setPen(QPen(QColor(30, 30, 36), 2));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(36, 64, 18, 13), 4, 4);
    p.drawRoundedRect(QRectF(62, 64, 18, 13), 4, 4);
    p.drawLine(QPointF(54, 69), QPointF(62, 69));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 24));
    p.drawEllipse(QPointF(45, 71), 2.4, 2.4);
    p.drawEllipse(QPointF(71, 71), 2.4, 2.4);
    p.setPen(QPen(QColor(150, 70, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(46, 78, 24, 14), 200 * 16, 140 * 16);

    p.setPen(QPen(Qt::white, 2));
    p.drawRect(QRectF(1, 1, 114, 158));
    return img;
}

QImage appIcon(int size) {
    QImage img = blank(size, size, Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);  // drawn on a 256-unit square at every size
    QLinearGradient bg(0, 0, 0, 256);
    bg.setColorAt(0, kNavyLight);
    bg.setColorAt(1, kDialogNavy);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    drawHandheld(p, QRectF(44, 30, 168, 196));
    return img;
}

QImage greyed(const QImage& src) {
    QImage out = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int g = std::clamp(118 + (qGray(line[x]) - 128) * 6 / 10, 0, 255);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return out;
}

}  // namespace zn::art
