#pragma once
// The painted surface of the main window: one widget holding every image of the window
// (engine/images.h, in stacking order, bottom first). An image is a rectangle that draws
// its picture unscaled from its top-left corner, clipped to the rectangle and alpha-blended
// over the images below; hidden images draw nothing and take no mouse input. The
// backdrop always covers the whole client area (stretched or at its own size).
//
// Changes (visibility, picture, rectangle) are collected and flushed once per pass of the
// event loop: only the rectangles of images whose visible state really changed are
// repainted, and in windowed mode only those rectangles are re-composed to bring the
// window's shape mask (the pixels whose composed colour is not the key colour) up to date.
//
// The surface is meant to fill its window at (0,0): it sizes and shapes window().
//
// Scale: images keep the rectangles the skin gives them (skin pixels); the game area (every
// image but the backdrop, the logo and the game menu) can be drawn scaled, and the widget
// maps between skin and widget pixels for painting, hit-testing, the mask and flushes. A
// scaled picture is made once per picture and scale (from the skin's double-size partner
// above 100 %, when there is one) and drawn unscaled from then on.
#include <QPixmap>
#include <QRegion>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "display/gfxtarget.h"
#include "engine/images.h"
#include "engine/services.h"
#include "ui/devicefit.h"

namespace zn {

// A 32-bit picture's pixels as one run (the lines of a 32-bit QImage have no padding).
std::span<const std::uint32_t> pixelsOf(const QImage& image);
std::span<std::uint32_t> pixelsOf(QImage& image);

class Surface : public QWidget, public FigureService, public GfxTarget {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent = nullptr);

    // How the surface is drawn: a point p of the game area (skin pixels) lies at
    // p * game + shift on the widget; the widget is the client size times client. The
    // backdrop, the logo and the game menu are never scaled. The default is pixel for pixel.
    struct Scale {
        double game = 1.0;
        QPointF shift;
        double client = 1.0;
        bool operator==(const Scale&) const = default;
    };
    void setScale(const Scale& scale);
    const Scale& scale() const { return scale_; }
    // Full screen fitted (ui/devicefit.h's fittedScale): the game area as large as it fits
    // into a client of this size, centred, stopping short of keepClear (the logo) where it can.
    static Scale fitted(QSize client, const QRect& gameArea, const QRect& keepClear = {});

    using QWidget::setVisible;

    // FigureService
    void setVisible(ImageId id, bool visible) override;
    void copyPicture(ImageId dst, ImageId src) override;
    void clearPicture(ImageId id) override;

    // GfxTarget
    void setClientWidth(int w) override;
    void setClientHeight(int h) override;
    int clientWidth() const override { return clientSize_.width(); }
    int clientHeight() const override { return clientSize_.height(); }
    void setBackgroundColor(std::uint32_t bgr) override;
    void setKeyColorTransparency(bool on, std::uint32_t bgr) override;
    void setPicture(ImageId id, const QImage& picture) override;
    void setImageLeft(ImageId id, int left) override;
    void setImageTop(ImageId id, int top) override;
    void setImageWidth(ImageId id, int width) override;
    void setImageHeight(ImageId id, int height) override;
    int imageWidth(ImageId id) const override;
    int imageHeight(ImageId id) const override;
    void setImageVisible(ImageId id, bool visible) override { setVisible(id, visible); }
    void setImageStretch(ImageId id, bool stretch) override;
    void setImageAutoSize(ImageId id) override;
    void setGameArea(const QRect& area) override { gameArea_ = area; }
    void setHiResPartner(ImageId id, const QString& path) override;

    // Reading the images back. Rectangles are in skin pixels; widgetRect is where the image
    // lies on the widget.
    QRect widgetRect(ImageId id) const;
    const QRect& gameArea() const { return gameArea_; }
    QString hiResPartner(ImageId id) const { return images_[index(id)].hiResPath; }
    // The picture the image is drawn with at the present scale (made now if not yet made).
    QPixmap scaledPicture(ImageId id) const;
    bool imageVisible(ImageId id) const { return images_[index(id)].visible; }
    QRect imageRect(ImageId id) const;
    const QPixmap& imagePicture(ImageId id) const { return images_[index(id)].picture; }
    QColor backgroundColor() const { return background_; }
    bool keyColorTransparency() const { return keyed_; }

    // The topmost visible image whose rectangle on the widget holds the point, if any.
    std::optional<ImageId> imageAt(QPoint p) const;

    // Pointer shape and tooltip shown while the image is the topmost under the pointer.
    void setImageCursor(ImageId id, Qt::CursorShape shape);
    void setImageToolTip(ImageId id, const QString& text);
    QString imageToolTip(ImageId id) const { return images_[index(id)].toolTip; }

    // Applies the collected changes now: schedules the repaint of what changed and brings
    // the shape mask up to date. Runs by itself once per pass of the event loop.
    void flushChanges();
    // The area the last flush scheduled for repainting.
    const QRegion& lastFlushRegion() const { return lastFlushRegion_; }
    // The window's shape in windowed mode: the non-key-colour pixels of the composed frame.
    const QRegion& shapeMask() const { return mask_; }
    // The composed frame of a rectangle of the client area, as the screen shows it.
    QImage compose(const QRect& r) const;

    // Which image got the press that is still held (mouse capture), if any.
    std::optional<ImageId> capturedImage() const { return captured_; }

Q_SIGNALS:
    // Mouse events of the images, with the point relative to the image's top-left in widget
    // (screen) pixels. While a button is held every event goes to the image that got the press.
    void imagePressed(zn::ImageId id, Qt::MouseButton button, QPoint local);
    void imageReleased(zn::ImageId id, Qt::MouseButton button, QPoint local);
    void imageMoved(zn::ImageId id, Qt::MouseButtons buttons, QPoint local);
    // A left press and release both inside the same image.
    void imageClicked(zn::ImageId id);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    struct Image {
        QRect rect;
        QPixmap picture;
        qint64 sourceKey = 0;  // the cache key of the QImage the picture was made from
        QString hiResPath;     // the picture's double-size partner file, if the skin has one
        bool visible = false;
        bool stretch = false;
        bool autoSize = false;
        Qt::CursorShape cursor = Qt::ArrowCursor;
        QString toolTip;
        // What the screen shows of this image since the last flush.
        QRect shownRect;
        qint64 shownKey = 0;
        bool shownVisible = false;
        bool touched = false;
    };
    void touch(ImageId id);
    void resizeClient(QSize s);
    void drawImage(QPainter& p, const Image& im, ImageId id) const;
    bool identity() const { return scale_.game == 1.0 && scale_.shift.isNull(); }
    DeviceScale deviceScale() const { return {scale_.game, scale_.shift.x(), scale_.shift.y(), scale_.client}; }
    QRect mapRect(const QRect& r) const;
    const QPixmap& scaled(const Image& im) const;
    QImage hiResPicture(const Image& im) const;
    void pruneCaches();
    void updateCursor(QPoint p);
    void applyMask();
    // True when a composed picture holds a pixel of the key colour.
    bool holdsKeyColor(const QImage& composed) const;

    std::array<Image, kImageCount> images_;
    std::vector<ImageId> touched_;
    QTimer flushTimer_;
    QSize clientSize_{692, 747};
    QColor background_{Qt::black};
    bool keyed_ = false;
    QRgb keyColor_ = 0;
    QRegion mask_;
    QRegion maskDirty_;
    QRegion lastFlushRegion_;
    QPixmap backdropScaled_;  // the stretched backdrop, made when the picture or the size changes
    Scale scale_;
    QRect gameArea_{0, 0, 692, 747};
    // By the cache key of the picture: the picture at the present scale, made when first drawn;
    // the decoded double-size partner (null when it cannot be used), decoded when first needed.
    mutable std::unordered_map<qint64, QPixmap> scaled_;
    mutable std::unordered_map<qint64, QImage> hiRes_;
    bool cachesStale_ = false;  // pictures were replaced: drop what no image uses any more
    std::optional<ImageId> captured_;
};

}  // namespace zn
