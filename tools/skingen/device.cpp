// The device's body: plastic case, bezel, dark screen, power switch, buttons, joystick and
// the overlay arrows.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/skingen/art.h"
#include "tools/skingen/layout.h"

namespace zn::skingen {
namespace {

const QColor kPlasticLight(252, 204, 66);
const QColor kPlasticDark(226, 152, 30);
const QColor kPrint(92, 46, 12);  // labels printed on the case

QFont labelFont(int px, QFont::Weight weight = QFont::Bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setWeight(weight);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    return f;
}

void centredText(QPainter& p, QPointF centre, const QString& text, const QFont& font, QColor colour) {
    p.setFont(font);
    p.setPen(colour);
    const QRectF box(centre.x() - 150, centre.y() - 20, 300, 40);
    p.drawText(box, Qt::AlignCenter, text);
}

// The case outline: every pixel either fully inside or fully outside, so that no half-blended
// rim is left around the device when the window is shaped by the key colour.
void hardenEdge(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a == 255 || a == 0) continue;
            if (a < 128) {
                line[x] = 0;
            } else {  // un-premultiply and make opaque
                line[x] =
                    qRgba(qRed(line[x]) * 255 / a, qGreen(line[x]) * 255 / a, qBlue(line[x]) * 255 / a, 255);
            }
        }
    }
}

void paintCase(QPainter& p) {
    QPainterPath outline;
    outline.addRoundedRect(QRectF(kBody), kBodyRadius, kBodyRadius);
    QLinearGradient plastic(0, kBody.top(), 0, kBody.bottom());
    plastic.setColorAt(0, kPlasticLight);
    plastic.setColorAt(1, kPlasticDark);
    p.fillPath(outline, plastic);

    // A rounded rim: light along the top and left, shaded along the bottom and right.
    p.save();
    p.setClipPath(outline);
    QLinearGradient rim(kBody.topLeft(), kBody.bottomRight());
    rim.setColorAt(0, QColor(255, 240, 190, 200));
    rim.setColorAt(0.5, QColor(255, 220, 120, 40));
    rim.setColorAt(1, QColor(120, 60, 0, 170));
    p.strokePath(outline, QPen(QBrush(rim), 14));
    p.restore();
    p.strokePath(outline, QPen(QColor(110, 58, 8), 2.5));

    // A faint parting line inset from the edge.
    QPainterPath inner;
    inner.addRoundedRect(QRectF(kBody).adjusted(14, 14, -14, -14), kBodyRadius - 14, kBodyRadius - 14);
    p.strokePath(inner, QPen(QColor(170, 96, 10, 90), 1.5));
}

void paintBezel(QPainter& p) {
    QPainterPath bezel;
    bezel.addRoundedRect(QRectF(kBezel), 24, 24);
    QLinearGradient g(0, kBezel.top(), 0, kBezel.bottom());
    g.setColorAt(0, QColor(58, 60, 68));
    g.setColorAt(1, QColor(30, 31, 36));
    p.fillPath(bezel, g);
    p.strokePath(bezel, QPen(QColor(20, 20, 24), 2));
    QPainterPath shine;
    shine.addRoundedRect(QRectF(kBezel).adjusted(3, 3, -3, -3), 21, 21);
    p.strokePath(shine, QPen(QColor(255, 255, 255, 28), 1.5));

    // Stripes and the name printed on the bezel under the screen.
    const int y = kScreen.bottom() + 18;
    const QColor stripes[] = {QColor(230, 60, 40), QColor(250, 160, 30), QColor(250, 220, 60)};
    for (int i = 0; i < 3; ++i) {
        p.fillRect(QRect(kScreen.left() + 4, y - 6 + i * 4, 150, 2), stripes[i]);
        p.fillRect(QRect(kScreen.right() - 154, y - 6 + i * 4, 150, 2), stripes[i]);
    }
    QFont title = labelFont(17, QFont::Black);
    title.setItalic(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    centredText(p, QPointF(kScreen.center().x(), y), QStringLiteral("ZORPY NIBBO"), title,
                QColor(250, 236, 200));
}

void paintDarkScreen(QPainter& p) {
    p.fillRect(QRectF(kScreen).adjusted(-4, -4, 4, 4), QColor(16, 17, 20));
    QLinearGradient lcd(kScreen.topLeft(), kScreen.bottomRight());
    lcd.setColorAt(0, QColor(118, 126, 106));
    lcd.setColorAt(1, QColor(92, 100, 84));
    p.fillRect(kScreen, lcd);
}

void paintSwitch(QPainter& p, bool on) {
    const QRectF track(kPowerSlot);
    QPainterPath slot;
    slot.addRoundedRect(track, 7, 7);
    p.fillPath(slot, QColor(40, 28, 18));
    p.strokePath(slot, QPen(QColor(255, 236, 170, 120), 1.2));
    const QRectF knob(on ? track.right() - 38 : track.left() + 2, track.top() + 2, 36, track.height() - 4);
    QPainterPath k;
    k.addRoundedRect(knob, 5, 5);
    QLinearGradient g(knob.topLeft(), knob.bottomLeft());
    g.setColorAt(0, QColor(236, 236, 232));
    g.setColorAt(1, QColor(150, 150, 146));
    p.fillPath(k, g);
    p.strokePath(k, QPen(QColor(60, 60, 60), 1));
    for (int i = -2; i <= 2; ++i) {
        const double x = knob.center().x() + i * 5;
        p.setPen(QPen(QColor(90, 90, 90), 1.2));
        p.drawLine(QPointF(x, knob.top() + 4), QPointF(x, knob.bottom() - 4));
    }
}

void paintButton(QPainter& p, QPoint centre, bool down) {
    // The well in the case.
    QRadialGradient well(centre, kButtonRadius + 7);
    well.setColorAt(0.8, QColor(70, 36, 6));
    well.setColorAt(1, QColor(170, 100, 20));
    p.setBrush(well);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(centre), kButtonRadius + 7, kButtonRadius + 7);

    const QPointF c = QPointF(centre) + (down ? QPointF(0, 1.5) : QPointF(0, -1));
    const double r = down ? kButtonRadius - 1.5 : kButtonRadius;
    QRadialGradient dome(c + QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    dome.setColorAt(0, down ? QColor(200, 40, 36) : QColor(255, 96, 80));
    dome.setColorAt(0.6, down ? QColor(150, 20, 20) : QColor(214, 34, 30));
    dome.setColorAt(1, down ? QColor(90, 8, 10) : QColor(130, 12, 14));
    p.setBrush(dome);
    p.setPen(QPen(QColor(70, 6, 6), 1.2));
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, down ? 40 : 110));
    p.drawEllipse(c + QPointF(-r * 0.32, -r * 0.42), r * 0.34, r * 0.18);
}

void paintJoystickWell(QPainter& p) {
    QRadialGradient well(kJoystickCentre, kJoystickWell);
    well.setColorAt(0.0, QColor(60, 30, 4));
    well.setColorAt(0.86, QColor(120, 66, 10));
    well.setColorAt(0.93, QColor(200, 130, 30));
    well.setColorAt(1.0, QColor(255, 226, 140));
    p.setBrush(well);
    p.setPen(QPen(QColor(110, 58, 8), 1.5));
    p.drawEllipse(QPointF(kJoystickCentre), kJoystickWell, kJoystickWell);
    // Direction marks around the stick, seen when the overlay arrows are off too.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 140, 150));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(kJoystickCentre);
        p.rotate(90 * i);
        QPolygonF t;
        t << QPointF(0, -kJoystickWell + 5) << QPointF(-7, -kJoystickWell + 15)
          << QPointF(7, -kJoystickWell + 15);
        p.drawPolygon(t);
        p.restore();
    }
}

QImage paintJoystick(int scale) {
    QImage image(kJoystick.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    scalePainter(p, scale);
    const QPointF c(kJoystick.width() / 2.0, kJoystick.height() / 2.0);
    // Soft shadow, the round base, its collar, and the ball on top of the stick.
    QRadialGradient shadow(c + QPointF(4, 6), 68);
    shadow.setColorAt(0.75, QColor(0, 0, 0, 90));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(4, 6), 68, 68);
    QRadialGradient base(c + QPointF(-18, -22), 90);
    base.setColorAt(0, QColor(96, 98, 106));
    base.setColorAt(1, QColor(22, 22, 26));
    p.setBrush(base);
    p.setPen(QPen(QColor(10, 10, 12), 1.5));
    p.drawEllipse(c, 62, 62);
    p.setPen(QPen(QColor(255, 255, 255, 40), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 48, 48);
    for (int i = 0; i < 4; ++i) {  // grip ridges toward the four directions
        p.save();
        p.translate(c);
        p.rotate(45 + 90 * i);
        p.setPen(QPen(QColor(0, 0, 0, 120), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -36), QPointF(0, -54));
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 22));
    p.drawEllipse(c, 30, 30);
    QRadialGradient ball(c + QPointF(-8, -10), 34);
    ball.setColorAt(0, QColor(255, 120, 100));
    ball.setColorAt(0.55, QColor(208, 30, 28));
    ball.setColorAt(1, QColor(100, 6, 8));
    p.setBrush(ball);
    p.setPen(QPen(QColor(60, 4, 4), 1.2));
    p.drawEllipse(c, 25, 25);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 130));
    p.drawEllipse(c + QPointF(-8, -11), 9, 5);
    return image;
}

// A translucent arrow pointing away from the joystick's centre; rotation 0 points up.
QImage paintArrow(int rotation, int scale) {
    QImage image(kArrowSize * scale, kArrowSize * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    scalePainter(p, scale);
    p.translate(kArrowSize / 2.0, kArrowSize / 2.0);
    p.rotate(rotation);
    QPainterPath arrow;
    arrow.moveTo(0, -22);
    arrow.lineTo(22, 2);
    arrow.lineTo(9, 2);
    arrow.lineTo(9, 20);
    arrow.lineTo(-9, 20);
    arrow.lineTo(-9, 2);
    arrow.lineTo(-22, 2);
    arrow.closeSubpath();
    p.fillPath(arrow.translated(2, 2), QColor(0, 0, 0, 60));
    p.fillPath(arrow, QColor(255, 255, 255, 150));
    p.strokePath(arrow, QPen(QColor(40, 20, 0, 170), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return image;
}

void paintGrille(QPainter& p) {
    for (int i = 0; i < 6; ++i) {
        const QRectF slot(306 + i * 13, 676, 6, 36);
        QPainterPath s;
        s.addRoundedRect(slot, 3, 3);
        p.fillPath(s, QColor(70, 36, 6));
        p.strokePath(s.translated(0.8, 0.8), QPen(QColor(255, 236, 170, 110), 0.8));
    }
}

void paintLabels(QPainter& p) {
    const QFont small = labelFont(12);
    centredText(p, QPointF(kPowerSlot.center().x(), kPowerSlot.top() - 14), QStringLiteral("POWER"), small,
                kPrint);
    centredText(p, QPointF(kPowerSlot.left() - 20, kPowerSlot.center().y()), QStringLiteral("OFF"),
                labelFont(10), kPrint);
    centredText(p, QPointF(kPowerSlot.right() + 16, kPowerSlot.center().y()), QStringLiteral("ON"),
                labelFont(10), kPrint);
    centredText(p, QPointF(kSelectCentre.x(), kSelectCentre.y() + 50), QStringLiteral("GAME"), small, kPrint);
    centredText(p, QPointF(kStartCentre.x(), kStartCentre.y() + 50), QStringLiteral("START"), small, kPrint);
    QFont maker = labelFont(11, QFont::DemiBold);
    maker.setItalic(true);
    centredText(p, QPointF(kSelectCentre.x() + 60, 716), QStringLiteral("KORVENT  \u00b7  PLIMQUAD"), maker,
                QColor(120, 62, 10));
}

// The whole case with the controls in one state.
QImage paintBody(bool pressed, int scale) {
    QImage image(kGameWidth * scale, kGameHeight * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        scalePainter(p, scale);
        paintCase(p);
    }
    hardenEdge(image);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    scalePainter(p, scale);
    paintBezel(p);
    paintDarkScreen(p);
    paintJoystickWell(p);
    paintGrille(p);
    paintLabels(p);
    paintSwitch(p, pressed);
    paintButton(p, kSelectCentre, pressed);
    paintButton(p, kStartCentre, pressed);
    return image;
}

}  // namespace

DeviceArt paintDevice(int scale) {
    DeviceArt art;
    art.background = paintBody(false, scale);
    // The pressed pictures are cut from the same case painted with everything pressed, so each
    // covers its released twin exactly.
    const QImage pressed = paintBody(true, scale);
    art.powerOn = pressed.copy(scaled(kPowerRect, scale));
    art.selectDown = pressed.copy(scaled(buttonRect(kSelectCentre), scale));
    art.startDown = pressed.copy(scaled(buttonRect(kStartCentre), scale));
    art.joystick = paintJoystick(scale);
    art.arrows = {paintArrow(0, scale), paintArrow(270, scale), paintArrow(90, scale),
                  paintArrow(180, scale)};
    return art;
}

}  // namespace zn::skingen
