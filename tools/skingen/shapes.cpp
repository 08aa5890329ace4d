// The segment shapes of the screen's figures.
#include <QFont>
#include <QFontMetricsF>
#include <QPolygonF>
#include <QtMath>

#include "tools/skingen/art.h"
#include "tools/skingen/layout.h"

namespace zn::skingen {

QPainterPath nibboShape(double size) {
    // A round walker: body, two stubby feet, an open mouth facing right and one eye.
    const double r = size * 0.40;
    const QPointF c(size / 2, size * 0.43);
    QPainterPath body;
    body.addEllipse(c, r, r);
    QPainterPath feet;
    feet.addEllipse(QPointF(size * 0.33, size * 0.88), size * 0.13, size * 0.09);
    feet.addEllipse(QPointF(size * 0.64, size * 0.88), size * 0.13, size * 0.09);
    QPainterPath mouth;
    const double a = qDegreesToRadians(34.0);
    mouth.moveTo(c + QPointF(-r * 0.1, r * 0.05));
    mouth.lineTo(c + QPointF(r * 1.3 * qCos(a), -r * 1.3 * qSin(a)));
    mouth.lineTo(c + QPointF(r * 1.3 * qCos(a), r * 1.3 * qSin(a)));
    mouth.closeSubpath();
    QPainterPath eye;
    eye.addEllipse(c + QPointF(r * 0.02, -r * 0.5), r * 0.17, r * 0.17);
    QPainterPath out = body.subtracted(mouth).subtracted(eye);
    out.setFillRule(Qt::WindingFill);
    return out.united(feet);
}

QPainterPath ghostShape(double w, double h) {
    const double r = w / 2 - 0.5;
    QPainterPath body;
    body.moveTo(0.5, r + 0.5);
    body.arcTo(QRectF(0.5, 0.5, 2 * r, 2 * r), 180, -180);
    body.lineTo(w - 0.5, h - 0.5);
    // Three scalloped feet along the hem.
    const double foot = (w - 1) / 3;
    for (int i = 3; i >= 1; --i) {
        const double x1 = 0.5 + foot * i;
        const double x0 = x1 - foot;
        body.quadTo(QPointF((x0 + x1) / 2, h - 6.5), QPointF(x0, h - 0.5));
    }
    body.closeSubpath();
    QPainterPath eyes;
    eyes.addEllipse(QPointF(w * 0.33, h * 0.40), w * 0.12, h * 0.13);
    eyes.addEllipse(QPointF(w * 0.67, h * 0.40), w * 0.12, h * 0.13);
    return body.subtracted(eyes);
}

QPainterPath pillShape(double size) {
    QPainterPath p;
    p.addEllipse(QPointF(size / 2, size / 2), size / 2 - 1, size / 2 - 1);
    return p;
}

QPainterPath energizerShape(double size) {
    QPainterPath outer;
    outer.addEllipse(QPointF(size / 2, size / 2), size / 2 - 0.5, size / 2 - 0.5);
    QPainterPath glint;  // a small highlight hole makes it read as a ball
    glint.addEllipse(QPointF(size * 0.36, size * 0.36), size * 0.1, size * 0.1);
    return outer.subtracted(glint);
}

QPainterPath starShape(double size) {
    QPolygonF star;
    const QPointF c(size / 2, size / 2 + size * 0.04);
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? size / 2 - 0.5 : size * 0.2;
        const double a = qDegreesToRadians(-90.0 + 36.0 * i);
        star << c + QPointF(r * qCos(a), r * qSin(a));
    }
    QPainterPath p;
    p.addPolygon(star);
    p.closeSubpath();
    return p;
}

namespace {

// One bevelled segment between two points, t thick.
QPainterPath segment(QPointF a, QPointF b, double t) {
    const QPointF d = b - a;
    const double len = qSqrt(d.x() * d.x() + d.y() * d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const double h = t / 2;
    QPolygonF poly;
    poly << a << a + u * h + n * h << b - u * h + n * h << b << b - u * h - n * h << a + u * h - n * h;
    QPainterPath p;
    p.addPolygon(poly);
    p.closeSubpath();
    return p;
}

}  // namespace

QPainterPath digitSegments(int digit) {
    // Segments a..g as bits 0..6: top, top right, bottom right, bottom, bottom left, top left, middle.
    static constexpr int kMask[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const double t = 5.0, g = 1.0;
    const double w = kDigitSize.width(), h = kDigitSize.height();
    const double l = t / 2 + 0.5, r = w - t / 2 - 0.5, top = t / 2 + 0.5, mid = h / 2, bot = h - t / 2 - 0.5;
    const double slant = 2.0;  // a slight forward lean, as printed glass digits have
    auto at = [&](double x, double y) { return QPointF(x + slant * (1 - y / h), y); };
    const QPainterPath segs[7] = {
        segment(at(l + g, top), at(r - g, top), t), segment(at(r, top + g), at(r, mid - g), t),
        segment(at(r, mid + g), at(r, bot - g), t), segment(at(l + g, bot), at(r - g, bot), t),
        segment(at(l, mid + g), at(l, bot - g), t), segment(at(l, top + g), at(l, mid - g), t),
        segment(at(l + g, mid), at(r - g, mid), t)};
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    for (int s = 0; s < 7; ++s)
        if (kMask[digit] & (1 << s)) out.addPath(segs[s]);
    return out;
}

QPainterPath gameOverShape() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19);
    font.setWeight(QFont::Black);
    font.setStretch(QFont::SemiCondensed);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    const QString text = QStringLiteral("GAME OVER");
    const QFontMetricsF fm(font);
    const double x = (kGameOver.width() - fm.horizontalAdvance(text)) / 2;
    const double y = (kGameOver.height() + fm.capHeight()) / 2;
    QPainterPath p;
    p.addText(QPointF(x, y), font, text);
    return p;
}

}  // namespace zn::skingen
