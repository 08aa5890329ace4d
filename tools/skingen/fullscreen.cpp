// The full-screen backdrop and the logo in its corner.
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

#include "tools/skingen/art.h"
#include "tools/skingen/layout.h"

namespace zn::skingen {

QImage paintBackdrop() {
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(22, 30, 64));
    sky.setColorAt(1, QColor(8, 10, 26));
    p.fillRect(image.rect(), sky);
    QRadialGradient glow(QPointF(960, 540), 760);
    glow.setColorAt(0, QColor(80, 60, 150, 120));
    glow.setColorAt(1, QColor(80, 60, 150, 0));
    p.fillRect(image.rect(), glow);

    // A faint field of the screen's own pills, in rows, with an energizer now and then.
    p.setPen(Qt::NoPen);
    for (int y = 30, row = 0; y < image.height(); y += 60, ++row)
        for (int x = 30 + (row % 2) * 30, i = 0; x < image.width(); x += 60, ++i) {
            const bool big = (i * 7 + row * 3) % 23 == 0;
            p.setBrush(QColor(200, 210, 255, big ? 34 : 20));
            p.drawEllipse(QPointF(x, y), big ? 7 : 3, big ? 7 : 3);
        }
    // Vignette.
    QRadialGradient edge(QPointF(960, 540), 1150);
    edge.setColorAt(0.6, QColor(0, 0, 0, 0));
    edge.setColorAt(1, QColor(0, 0, 0, 150));
    p.fillRect(image.rect(), edge);
    return image;
}

QImage paintLogo() {
    // The title and subtitle as paths first, so that the picture is sized to hold them.
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(46);
    title.setWeight(QFont::Black);
    title.setItalic(true);
    QPainterPath text;
    text.addText(QPointF(132, 70), title, QStringLiteral("ZORPY NIBBO"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(16);
    sub.setWeight(QFont::Bold);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QPainterPath subtitle;
    subtitle.addText(QPointF(136, 100), sub, QStringLiteral("HANDHELD SIMULATOR"));
    const int width =
        static_cast<int>(std::max(text.boundingRect().right(), subtitle.boundingRect().right())) + 48;

    QImage image(width, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A lit Nibbo chasing two pills.
    const QPainterPath nibbo = nibboShape(64).translated(18, 22);
    QLinearGradient gold(0, 22, 0, 86);
    gold.setColorAt(0, QColor(255, 222, 90));
    gold.setColorAt(1, QColor(236, 150, 30));
    p.fillPath(nibbo.translated(3, 3), QColor(0, 0, 0, 110));
    p.fillPath(nibbo, gold);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 180));
    p.drawEllipse(QPointF(96, 54), 5, 5);
    p.drawEllipse(QPointF(114, 54), 5, 5);

    p.fillPath(text.translated(3, 3), QColor(0, 0, 0, 120));
    p.fillPath(text, gold);
    p.strokePath(text, QPen(QColor(120, 50, 0), 1.5));
    p.fillPath(subtitle, QColor(200, 214, 255));
    return image;
}

}  // namespace zn::skingen
