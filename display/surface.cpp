#include "display/surface.h"

#include <QBitmap>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "display/picturecache.h"

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

// True when the picture holds a fully opaque pixel of the colour.
bool holdsColour(const QImage& argb, QRgb colour) {
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        if (std::find(line, line + argb.width(), colour) != line + argb.width()) return true;
    }
    return false;
}

// True when every pixel is either fully opaque or fully transparent, and some are transparent:
// an outline that the window's shape follows.
bool hasHardEdges(const QImage& argb) {
    bool transparent = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a != 0 && a != 255) return false;
            transparent = transparent || a == 0;
        }
    }
    return transparent;
}

// Smoothing leaves half-transparent pixels along an outline; each becomes fully opaque or
// fully transparent again, so that no half-blended rim of the key colour is left around it.
void hardenEdges(QImage& argb) {
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a == 0 || a == 255) continue;
            line[x] = a < 128 ? 0 : (line[x] | 0xff000000u);
        }
    }
}

int scaledLength(int length, double scale) {
    return std::max(1, static_cast<int>(std::lround(length * scale)));
}

}  // namespace

Surface::Scale Surface::fitted(QSize client, const QRect& gameArea, const QRect& keepClear) {
    if (client.isEmpty() || gameArea.isEmpty()) return {};
    const double w = gameArea.width(), h = gameArea.height();
    double s = std::min(client.width() / w, client.height() / h);
    if (!keepClear.isEmpty()) {
        // The centred area is clear of the rectangle when it ends before one of its four
        // sides: the largest scale that still does so on any side.
        const QRect& k = keepClear;
        const double clear =
            std::max({(2.0 * k.left() - client.width()) / w, (client.width() - 2.0 * (k.right() + 1)) / w,
                      (2.0 * k.top() - client.height()) / h, (client.height() - 2.0 * (k.bottom() + 1)) / h});
        s = std::max(std::min(s, clear), std::min(s, 1.0));
    }
    const QPointF origin((client.width() - gameArea.width() * s) / 2,
                         (client.height() - gameArea.height() * s) / 2);
    return {s, origin - QPointF(gameArea.topLeft()) * s, 1.0};
}

bool Surface::isGameImage(ImageId id) {
    return id != img::im_backdrop && id != img::im_backdrop_logo && id != img::btn_game_menu_background &&
           id != img::btn_game_menu_top;
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

QRect Surface::mapRect(const QRect& r) const {
    // By the edges, so that images that meet in skin pixels meet on the widget too.
    const auto x = [this](int v) {
        return static_cast<int>(std::lround(v * scale_.game + scale_.shift.x()));
    };
    const auto y = [this](int v) {
        return static_cast<int>(std::lround(v * scale_.game + scale_.shift.y()));
    };
    const int left = x(r.left()), top = y(r.top());
    return QRect(left, top, x(r.left() + r.width()) - left, y(r.top() + r.height()) - top);
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

    const double s = scale_.game;
    const QSize size(scaledLength(im.picture.width(), s), scaledLength(im.picture.height(), s));
    // A picture that would be huge when scaled is not kept: drawImage scales what it shows.
    if (static_cast<double>(size.width()) * size.height() > gfx::kMaxPicturePixels)
        return scaled_.emplace(key, QPixmap()).first->second;
    QImage source;
    if (s > 1.0 && !im.hiResPath.isEmpty()) source = hiResPicture(im);
    if (source.isNull()) source = im.picture.toImage();
    QImage out;
    if (source.size() == size) {
        out = source;
    } else {
        const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
        // Pixels of the key colour stay exactly that colour (see-through) and nothing else.
        const bool keyed = keyed_ && holdsColour(argb, keyColor_ | 0xff000000u);
        out = argb.scaled(size, Qt::IgnoreAspectRatio,
                          keyed ? Qt::FastTransformation : Qt::SmoothTransformation);
        if (!keyed && hasHardEdges(argb)) {
            out = out.convertToFormat(QImage::Format_ARGB32);
            hardenEdges(out);
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

void Surface::setKeyColorTransparency(bool on, std::uint32_t bgr) {
    keyed_ = on;
    keyColor_ = colorFromBgr(bgr).rgb();
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

void Surface::setImageCursor(ImageId id, Qt::CursorShape shape) { images_[index(id)].cursor = shape; }
void Surface::setImageToolTip(ImageId id, const QString& text) { images_[index(id)].toolTip = text; }

std::optional<ImageId> Surface::imageAt(QPoint p) const {
    for (int i = kImageCount - 1; i >= 0; --i) {
        const ImageId id = img::at(i);
        if (images_[static_cast<std::size_t>(i)].visible && widgetRect(id).contains(p)) return id;
    }
    return std::nullopt;
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
        if (im.visible && region.intersects(widgetRect(id))) drawImage(p, im, id);
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
    Q_EMIT imagePressed(*captured_, e->button(), pos - widgetRect(*captured_).topLeft());
}

void Surface::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void Surface::mouseReleaseEvent(QMouseEvent* e) {
    if (!captured_) return;
    const ImageId id = *captured_;
    const QPoint pos = e->position().toPoint();
    if (e->buttons() == Qt::NoButton) captured_.reset();
    Q_EMIT imageReleased(id, e->button(), pos - widgetRect(id).topLeft());
    if (e->button() == Qt::LeftButton && images_[index(id)].visible && widgetRect(id).contains(pos))
        Q_EMIT imageClicked(id);
    if (!captured_) updateCursor(pos);
}

void Surface::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (captured_ && e->buttons() != Qt::NoButton) {
        Q_EMIT imageMoved(*captured_, e->buttons(), pos - widgetRect(*captured_).topLeft());
        return;
    }
    captured_.reset();
    updateCursor(pos);
    if (const auto id = imageAt(pos)) Q_EMIT imageMoved(*id, e->buttons(), pos - widgetRect(*id).topLeft());
}

bool Surface::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* he = static_cast<QHelpEvent*>(e);
        const auto id = imageAt(he->pos());
        if (id && !images_[index(*id)].toolTip.isEmpty())
            QToolTip::showText(he->globalPos(), images_[index(*id)].toolTip, this, widgetRect(*id));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

}  // namespace zn
