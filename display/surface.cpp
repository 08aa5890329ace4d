#include "display/surface.h"

#include <QBitmap>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace zn {
namespace {

constexpr int kMaskBandPixels = 1 << 20;

QColor colorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                  static_cast<int>((bgr >> 16) & 0xff));
}

// The non-key-colour pixels of a composed image, as a region in its own coordinates.
QRegion opaqueRegion(const QImage& composed, QRgb key) {
    return QRegion(QBitmap::fromImage(composed.createMaskFromColor(key, Qt::MaskInColor)));
}

}  // namespace

Surface::Surface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // every paint fills its whole region
    setMouseTracking(true);                 // cursors follow the image under the pointer
    touched_.reserve(kImageCount);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(0);
    connect(&flushTimer_, &QTimer::timeout, this, &Surface::flushChanges);

    // The form's design state; the skin set-up replaces every rectangle and picture.
    using namespace img;
    for (ImageId id : {im_background, im_background_screen_top, btn_power_top, btn_select_top, btn_start_top})
        images_[index(id)].visible = true;
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
    touch(dst);
}

void Surface::clearPicture(ImageId id) {
    images_[index(id)].picture = QPixmap();
    images_[index(id)].sourceKey = 0;
    touch(id);
}

void Surface::resizeClient(QSize s) {
    clientSize_ = s.expandedTo(QSize(0, 0));
    resize(clientSize_);
    if (window() != this) window()->setFixedSize(clientSize_);
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

void Surface::setKeyColorTransparency(bool on, std::uint32_t bgr) {
    keyed_ = on;
    keyColor_ = colorFromBgr(bgr).rgb();
    mask_ = QRegion();
    if (keyed_) {
        maskDirty_ = QRegion(rect());
        touch(img::im_backdrop);
    } else {
        maskDirty_ = QRegion();
        window()->clearMask();
    }
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

void Surface::setImageCursor(ImageId id, Qt::CursorShape shape) { images_[index(id)].cursor = shape; }
void Surface::setImageToolTip(ImageId id, const QString& text) { images_[index(id)].toolTip = text; }

std::optional<ImageId> Surface::imageAt(QPoint p) const {
    for (int i = kImageCount - 1; i >= 0; --i) {
        const ImageId id = img::at(i);
        if (images_[static_cast<std::size_t>(i)].visible && imageRect(id).contains(p)) return id;
    }
    return std::nullopt;
}

void Surface::flushChanges() {
    flushTimer_.stop();
    QRegion changed;
    for (ImageId id : touched_) {
        Image& im = images_[index(id)];
        im.touched = false;
        const QRect now = imageRect(id);
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
    if (!src.isEmpty()) p.drawPixmap(im.rect.topLeft(), im.picture, src);
}

QImage Surface::compose(const QRect& r) const {
    QImage out(r.size(), QImage::Format_RGB32);
    out.fill(background_);
    QPainter p(&out);
    p.translate(-r.topLeft());
    for (int i = 0; i < kImageCount; ++i) {
        const Image& im = images_[static_cast<std::size_t>(i)];
        const ImageId id = img::at(i);
        if (im.visible && imageRect(id).intersects(r)) drawImage(p, im, id);
    }
    return out;
}

bool Surface::holdsKeyColor(const QImage& composed) const {
    for (int y = 0; y < composed.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(composed.constScanLine(y));
        if (std::find(line, line + composed.width(), keyColor_) != line + composed.width()) return true;
    }
    return false;
}

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

void Surface::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRegion& region = e->region();
    for (const QRect& r : region) p.fillRect(r, background_);
    for (int i = 0; i < kImageCount; ++i) {
        const Image& im = images_[static_cast<std::size_t>(i)];
        const ImageId id = img::at(i);
        if (im.visible && region.intersects(imageRect(id))) drawImage(p, im, id);
    }
}

void Surface::updateCursor(QPoint pos) {
    const auto id = imageAt(pos);
    const Qt::CursorShape shape = id ? images_[index(*id)].cursor : Qt::ArrowCursor;
    if (cursor().shape() != shape) setCursor(shape);
}

void Surface::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (e->buttons() == e->button() || !captured_) captured_ = imageAt(pos);  // first button: new capture
    if (!captured_) return;
    Q_EMIT imagePressed(*captured_, e->button(), pos - imageRect(*captured_).topLeft());
}

void Surface::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void Surface::mouseReleaseEvent(QMouseEvent* e) {
    if (!captured_) return;
    const ImageId id = *captured_;
    const QPoint pos = e->position().toPoint();
    if (e->buttons() == Qt::NoButton) captured_.reset();
    Q_EMIT imageReleased(id, e->button(), pos - imageRect(id).topLeft());
    if (e->button() == Qt::LeftButton && images_[index(id)].visible && imageRect(id).contains(pos))
        Q_EMIT imageClicked(id);
    if (!captured_) updateCursor(pos);
}

void Surface::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (captured_ && e->buttons() != Qt::NoButton) {
        Q_EMIT imageMoved(*captured_, e->buttons(), pos - imageRect(*captured_).topLeft());
        return;
    }
    captured_.reset();
    updateCursor(pos);
    if (const auto id = imageAt(pos)) Q_EMIT imageMoved(*id, e->buttons(), pos - imageRect(*id).topLeft());
}

bool Surface::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* he = static_cast<QHelpEvent*>(e);
        const auto id = imageAt(he->pos());
        if (id && !images_[index(*id)].toolTip.isEmpty())
            QToolTip::showText(he->globalPos(), images_[index(*id)].toolTip, this, imageRect(*id));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

}  // namespace zn
