// The window's shape in windowed mode with the key colour: the pixels of the composed frame
// that are not the key colour, brought up to date where the frame changed.
#include <QBitmap>
#include <algorithm>
#include <utility>
#include <vector>

#include "display/surface.h"
#include "ui/picturescaling.h"

namespace zn {
namespace {

constexpr int kMaskBandPixels = 1 << 20;

// The non-key-colour pixels of a composed image, as a region in its own coordinates.
QRegion opaqueRegion(const QImage& composed, QRgb key) {
    return QRegion(QBitmap::fromImage(composed.createMaskFromColor(key, Qt::MaskInColor)));
}

}  // namespace

void Surface::setKeyColorTransparency(bool on, std::uint32_t bgr) {
    keyed_ = on;
    keyColor_ = qRgb(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff), static_cast<int>((bgr >> 16) & 0xff));
    scaled_.clear();  // which pictures keep their key-coloured pixels depends on the key
    mask_ = QRegion();
    if (keyed_) {
        maskDirty_ = QRegion(rect());
        touch(img::im_backdrop);
    } else {
        maskDirty_ = QRegion();
        window()->clearMask();
    }
}

bool Surface::holdsKeyColor(const QImage& composed) const { return holdsPixel(pixelsOf(composed), keyColor_); }

void Surface::applyMask() {
    // Most changes lie where nothing is see-through before or after: there the frame is
    // composed to look for the key colour, and the mask stays as it is.
    QRegion keyFree;
    std::vector<std::pair<QRect, QImage>> keyed;
    for (const QRect& r : maskDirty_) {
        const QRect c = r.intersected(rect());
        if (c.isEmpty()) continue;
        // Composed in bands, so that a huge window never needs one huge picture.
        const int band = std::max(1, kMaskBandPixels / c.width());
        for (int y = c.top(); y <= c.bottom(); y += band) {
            const QRect b(c.left(), y, c.width(), std::min(band, c.bottom() + 1 - y));
            QImage composed = compose(b);
            if (holdsKeyColor(composed))
                keyed.emplace_back(b, std::move(composed));
            else
                keyFree += b;
        }
    }
    const bool shaped = !window()->mask().isEmpty();
    if (keyed.empty() && shaped && (keyFree - mask_).isEmpty()) {
        maskDirty_ = QRegion();
        return;
    }
    QRegion fresh = (mask_ - maskDirty_) + keyFree;
    for (const auto& [b, composed] : keyed)
        fresh += opaqueRegion(composed, keyColor_).translated(b.topLeft());
    maskDirty_ = QRegion();
    if (fresh == mask_ && shaped) return;
    mask_ = fresh;
    // An empty mask would switch shaping off and show the whole window: keep one pixel.
    window()->setMask(mask_.isEmpty() ? QRegion(0, 0, 1, 1) : mask_);
}

}  // namespace zn
