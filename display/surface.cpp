#include "display/surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/devicefit.h"
#include "ui/imageroles.h"

namespace zn {
namespace {

QColor colorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                  static_cast<int>((bgr >> 16) & 0xff));
}

}  // namespace

std::span<const std::uint32_t> pixelsOf(const QImage& image) {
    return {reinterpret_cast<const std::uint32_t*>(image.constBits()),
            static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height())};
}

std::span<std::uint32_t> pixelsOf(QImage& image) {
    if (image.isNull()) return {};
    return {reinterpret_cast<std::uint32_t*>(image.bits()),
            static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height())};
}

Surface::Surface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // every paint fills its whole region
    setMouseTracking(true);                 // cursors follow the image under the pointer
    touched_.reserve(kImageCount);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(0);
    connect(&flushTimer_, &QTimer::timeout, this, &Surface::flushChanges);

    // The form's design state; the skin set-up replaces every rectangle and picture.
    using namespace img;
    for (ImageId id : kShownFromCreation) images_[index(id)].visible = true;
    images_[index(btn_power_on)].rect = images_[index(btn_power_top)].rect = QRect(113, 590, 49, 57);
    images_[index(btn_select_down)].rect = images_[index(btn_select_top)].rect = QRect(192, 584, 58, 62);
    images_[index(btn_start_down)].rect = images_[index(btn_start_top)].rect = QRect(284, 583, 51, 63);
    images_[index(btn_joystick_top)].rect = QRect(456, 500, 132, 156);
    images_[index(btn_ctrlr_overlay_up)].rect = QRect(500, 501, 48, 48);
    images_[index(btn_ctrlr_overlay_left)].rect = QRect(450, 554, 48, 48);
    images_[index(btn_ctrlr_overlay_right)].rect = QRect(551, 553, 48, 48);
    images_[index(btn_ctrlr_overlay_down)].rect = QRect(500, 605, 48, 48);
    for (int i = 0; i < kImageCount; ++i) touch(img::at(i));
    resizeClient(clientSize_);
}

QRect Surface::imageRect(ImageId id) const {
    if (id == img::im_backdrop) return QRect(QPoint(0, 0), clientSize_);  // anchored to all four sides
    return images_[index(id)].rect;
}

QRect Surface::mapRect(const QRect& r) const {
    const PixelRect m = zn::mapRect({r.x(), r.y(), r.width(), r.height()}, deviceScale(), true);
    return QRect(m.x, m.y, m.w, m.h);
}

QRect Surface::widgetRect(ImageId id) const {
    if (identity() || !isGameImage(id)) return imageRect(id);
    return mapRect(imageRect(id));
}

void Surface::setScale(const Scale& scale) {
    if (scale == scale_ || !(scale.game > 0) || !(scale.client > 0)) return;
    scale_ = scale;
    scaled_.clear();
    for (int i = 0; i < kImageCount; ++i) touch(img::at(i));
    resizeClient(clientSize_);
}

void Surface::touch(ImageId id) {
    Image& im = images_[index(id)];
    if (!im.touched) {
        im.touched = true;
        touched_.push_back(id);
    }
    if (!flushTimer_.isActive()) flushTimer_.start();
}

void Surface::setVisible(ImageId id, bool visible) {
    Image& im = images_[index(id)];
    if (im.visible == visible) return;
    im.visible = visible;
    touch(id);
}

void Surface::copyPicture(ImageId dst, ImageId src) {
    if (dst == src) return;
    images_[index(dst)].picture = images_[index(src)].picture;
    images_[index(dst)].sourceKey = images_[index(src)].sourceKey;
    images_[index(dst)].hiResPath = images_[index(src)].hiResPath;
    touch(dst);
}

void Surface::clearPicture(ImageId id) {
    images_[index(id)].picture = QPixmap();
    images_[index(id)].sourceKey = 0;
    images_[index(id)].hiResPath.clear();
    touch(id);
}

void Surface::resizeClient(QSize s) {
    clientSize_ = s.expandedTo(QSize(0, 0));
    const QSize shown(static_cast<int>(std::lround(clientSize_.width() * scale_.client)),
                      static_cast<int>(std::lround(clientSize_.height() * scale_.client)));
    resize(shown);
    if (window() != this) window()->setFixedSize(shown);
    if (images_[index(img::im_backdrop)].stretch) backdropScaled_ = QPixmap();
    touch(img::im_backdrop);
    maskDirty_ = QRegion(rect());
    update();
}

void Surface::setClientWidth(int w) { resizeClient(QSize(w, clientSize_.height())); }

void Surface::setClientHeight(int h) { resizeClient(QSize(clientSize_.width(), h)); }

void Surface::setBackgroundColor(std::uint32_t bgr) {
    background_ = colorFromBgr(bgr);
    maskDirty_ = QRegion(rect());
    update();
    touch(img::im_backdrop);  // brings a flush along
}

void Surface::setPicture(ImageId id, const QImage& picture) {
    Image& im = images_[index(id)];
    // A skin gives one decoded picture to dozens of images: they share one pixel buffer.
    const qint64 source = picture.isNull() ? 0 : picture.cacheKey();
    const auto same = std::find_if(images_.begin(), images_.end(), [source](const Image& other) {
        return source != 0 && other.sourceKey == source && !other.picture.isNull();
    });
    im.picture = same != images_.end() ? same->picture : QPixmap::fromImage(picture);
    im.sourceKey = source;
    im.hiResPath.clear();
    cachesStale_ = true;
    if (id == img::im_backdrop) backdropScaled_ = QPixmap();
    if (id == img::im_backdrop_logo && im.autoSize) im.rect.setSize(im.picture.size());
    touch(id);
}

void Surface::setImageLeft(ImageId id, int left) {
    QRect& r = images_[index(id)].rect;
    r.moveLeft(left);
    touch(id);
}

void Surface::setImageTop(ImageId id, int top) {
    QRect& r = images_[index(id)].rect;
    r.moveTop(top);
    touch(id);
}

void Surface::setImageWidth(ImageId id, int width) {
    images_[index(id)].rect.setWidth(std::max(0, width));
    touch(id);
}

void Surface::setImageHeight(ImageId id, int height) {
    images_[index(id)].rect.setHeight(std::max(0, height));
    touch(id);
}

int Surface::imageWidth(ImageId id) const { return imageRect(id).width(); }

int Surface::imageHeight(ImageId id) const { return imageRect(id).height(); }

void Surface::setImageStretch(ImageId id, bool stretch) {
    Image& im = images_[index(id)];
    if (im.stretch == stretch) return;
    im.stretch = stretch;
    if (id == img::im_backdrop) backdropScaled_ = QPixmap();
    touch(id);
}

void Surface::setImageAutoSize(ImageId id) {
    Image& im = images_[index(id)];
    im.autoSize = true;
    if (!im.picture.isNull()) im.rect.setSize(im.picture.size());
    touch(id);
}

void Surface::flushChanges() {
    flushTimer_.stop();
    QRegion changed;
    for (ImageId id : touched_) {
        Image& im = images_[index(id)];
        im.touched = false;
        const QRect now = widgetRect(id);
        const bool vis = im.visible && !now.isEmpty();
        const qint64 key = im.picture.cacheKey();
        const bool differs = vis != im.shownVisible || (vis && (now != im.shownRect || key != im.shownKey)) ||
                             (vis && id == img::im_backdrop && backdropScaled_.isNull() && im.stretch);
        if (differs) {
            if (im.shownVisible) changed += im.shownRect;
            if (vis) changed += now;
        }
        im.shownRect = now;
        im.shownVisible = vis;
        im.shownKey = key;
    }
    touched_.clear();
    if (cachesStale_) pruneCaches();
    if (images_[index(img::im_backdrop)].stretch && backdropScaled_.isNull()) {
        const QPixmap& pic = images_[index(img::im_backdrop)].picture;
        if (!pic.isNull() && !clientSize_.isEmpty())
            backdropScaled_ = pic.scaled(clientSize_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    lastFlushRegion_ = changed;
    if (!changed.isEmpty()) update(changed);
    if (keyed_) {
        maskDirty_ += changed;
        if (!maskDirty_.isEmpty()) applyMask();
    }
}

void Surface::drawImage(QPainter& p, const Image& im, ImageId id) const {
    if (im.picture.isNull()) return;
    if (id == img::im_backdrop) {
        if (im.stretch) {
            if (!backdropScaled_.isNull()) p.drawPixmap(0, 0, backdropScaled_);
        } else {
            p.drawPixmap(0, 0, im.picture);
        }
        return;
    }
    const QRect src(0, 0, std::min(im.rect.width(), im.picture.width()),
                    std::min(im.rect.height(), im.picture.height()));
    if (src.isEmpty()) return;
    if (identity() || !isGameImage(id)) {
        p.drawPixmap(im.rect.topLeft(), im.picture, src);
        return;
    }
    // The same part of the picture, on the widget: from the scaled picture, unscaled.
    const QRect dest = mapRect(src.translated(im.rect.topLeft()));
    const QPixmap& pic = scaled(im);
    if (pic.isNull()) {
        p.drawPixmap(dest, im.picture, src);
        return;
    }
    const QRect part(0, 0, std::min(dest.width(), pic.width()), std::min(dest.height(), pic.height()));
    if (!part.isEmpty()) p.drawPixmap(dest.topLeft(), pic, part);
}

QImage Surface::compose(const QRect& r) const {
    QImage out(r.size(), QImage::Format_RGB32);
    out.fill(background_);
    QPainter p(&out);
    p.translate(-r.topLeft());
    for (int i = 0; i < kImageCount; ++i) {
        const Image& im = images_[static_cast<std::size_t>(i)];
        const ImageId id = img::at(i);
        if (im.visible && widgetRect(id).intersects(r)) drawImage(p, im, id);
    }
    return out;
}

void Surface::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRegion& region = e->region();
    for (const QRect& r : region) p.fillRect(r, background_);
    for (int i = 0; i < kImageCount; ++i) {
        const Image& im = images_[static_cast<std::size_t>(i)];
        const ImageId id = img::at(i);
        if (im.visible && region.intersects(widgetRect(id))) drawImage(p, im, id);
    }
}

}  // namespace zn
