#pragma once
// The default skin's pictures, painted in code. Each function is pure: the same build
// paints the same pixels (fonts aside).
//
// Every drawing is made in the game area's own pixels. With scale 2 the same drawing fills a
// picture of twice the width and height (the name@2x.png partner that a zoomed window draws),
// painted through a scaled painter rather than enlarged from the 1x bitmap; scale 1 paints
// exactly the pixels it always has.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>
#include <array>
#include <map>

namespace zn::skingen {

// Shapes of the screen's segments, in the coordinates of their own picture.
QPainterPath nibboShape(double size);
QPainterPath ghostShape(double width, double height);
QPainterPath pillShape(double size);
QPainterPath energizerShape(double size);
QPainterPath starShape(double size);
QPainterPath digitSegments(int digit);  // 7-segment digit within kDigitSize; 8 lights all
QPainterPath gameOverShape();           // within kGameOver's size

// A lit segment is nearly opaque; an unlit one still shows faintly, as on the real glass.
inline const QColor kSegmentLit(26, 34, 30, 232);
inline const QColor kSegmentFaint(26, 34, 30, 16);

struct DeviceArt {
    QImage background;             // im_background: body, dark screen, controls at rest
    QImage powerOn;                // the switch at ON, at kPowerRect
    QImage selectDown;             // at buttonRect(kSelectCentre)
    QImage startDown;              // at buttonRect(kStartCentre)
    QImage joystick;               // at kJoystick
    std::array<QImage, 4> arrows;  // up, left, right, down, at arrowRect
};
DeviceArt paintDevice(int scale = 1);

struct ScreenArt {
    QImage lit;    // im_background_screen: pale screen, printed maze, faint unlit segments
    QImage glass;  // im_background_screen_top: mostly clear glass over the screen
    QImage nibbo, ghost, pill, energizer, star, life, gameOver;
    std::array<QImage, 10> digits;
};
ScreenArt paintScreen(int scale = 1);

QImage paintBackdrop();  // 1920 x 1080, opaque
QImage paintLogo();      // with alpha

// The skin's pictures by the file names that Config.ini gives them.
std::map<QString, QImage> skinPictures(const DeviceArt& dev, const ScreenArt& scr);

// A picture of the shape filled with the colour, of the given size (times scale).
QImage segmentPicture(const QPainterPath& shape, QSize size, QColor colour, int scale = 1);

// A rectangle of the game area in the pixels of a picture painted at the scale.
inline QRect scaled(QRect r, int scale) { return QRect(r.topLeft() * scale, r.size() * scale); }

// Makes the painter draw game-area pixels into a picture painted at the scale.
inline void scalePainter(QPainter& p, int scale) {
    if (scale != 1) p.scale(scale, scale);
}

}  // namespace zn::skingen
