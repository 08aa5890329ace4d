// The pictures the surface draws at a scale other than 100 %: made once per picture and scale
// (from the skin's double-size partner above 100 %, when there is one), as the rules of
// ui/picturescaling.h say, and kept while an image still shows the picture they came from.
#include <unordered_set>

#include "display/picturecache.h"
#include "display/surface.h"
#include "ui/devicefit.h"
#include "ui/picturescaling.h"

namespace zn {

Surface::Scale Surface::fitted(QSize client, const QRect& gameArea, const QRect& keepClear) {
    const auto rect = [](const QRect& r) { return PixelRect{r.x(), r.y(), r.width(), r.height()}; };
    const DeviceScale s = fittedScale({client.width(), client.height()}, rect(gameArea), rect(keepClear));
    return {s.game, QPointF(s.shiftX, s.shiftY), s.client};
}

void Surface::setHiResPartner(ImageId id, const QString& path) {
    Image& im = images_[index(id)];
    if (im.hiResPath == path) return;
    im.hiResPath = path;
    const qint64 key = im.picture.cacheKey();
    scaled_.erase(key);
    hiRes_.erase(key);
    touch(id);
}

QImage Surface::hiResPicture(const Image& im) const {
    const qint64 key = im.picture.cacheKey();
    const auto known = hiRes_.find(key);
    if (known != hiRes_.end()) return known->second;
    QString error;
    QImage partner = gfx::loadPicture(im.hiResPath, error);
    // A partner of any other size would draw a different picture: the normal one stands in.
    if (partner.size() != im.picture.size() * 2) partner = QImage();
    return hiRes_.emplace(key, partner).first->second;
}

const QPixmap& Surface::scaled(const Image& im) const {
    if (identity()) return im.picture;
    const qint64 key = im.picture.cacheKey();
    const auto known = scaled_.find(key);
    if (known != scaled_.end()) return known->second;

    const PixelSize own{im.picture.width(), im.picture.height()};
    QImage partner;
    if (scale_.game > 1.0 && !im.hiResPath.isEmpty()) partner = hiResPicture(im);
    QImage argb;  // the source, as 32-bit pixels, converted once when a rule looks at them
    const auto sourcePixels = [&](bool fromPartner) {
        if (argb.isNull()) argb = (fromPartner ? partner : im.picture.toImage()).convertToFormat(QImage::Format_ARGB32);
        return pixelsOf(argb);
    };
    const ScalingPlan plan = planScaling(
        own, scale_.game, {partner.width(), partner.height()},
        [&](bool fromPartner) { return keyed_ && holdsPixel(sourcePixels(fromPartner), keyColor_ | 0xff000000u); },
        [&](bool fromPartner) { return hasHardEdges(sourcePixels(fromPartner)); });
    // A picture that would be huge when scaled is not kept: drawImage scales what it shows.
    if (plan.how == Scaling::NotKept) return scaled_.emplace(key, QPixmap()).first->second;
    const QSize size(plan.size.width, plan.size.height);
    QImage out;
    if (plan.how == Scaling::AsIs) {
        out = plan.fromPartner ? partner : im.picture.toImage();
    } else {
        // Pixels of the key colour stay exactly that colour (see-through) and nothing else.
        out = argb.scaled(size, Qt::IgnoreAspectRatio,
                          plan.how == Scaling::Nearest ? Qt::FastTransformation : Qt::SmoothTransformation);
        if (plan.how == Scaling::SmoothHardEdges) {
            out = out.convertToFormat(QImage::Format_ARGB32);
            hardenEdges(pixelsOf(out), false);
        }
    }
    return scaled_.emplace(key, QPixmap::fromImage(out)).first->second;
}

QPixmap Surface::scaledPicture(ImageId id) const { return scaled(images_[index(id)]); }

void Surface::pruneCaches() {
    cachesStale_ = false;
    std::unordered_set<qint64> used;
    for (const Image& im : images_)
        if (!im.picture.isNull()) used.insert(im.picture.cacheKey());
    std::erase_if(scaled_, [&used](const auto& e) { return !used.contains(e.first); });
    std::erase_if(hiRes_, [&used](const auto& e) { return !used.contains(e.first); });
}

}  // namespace zn
