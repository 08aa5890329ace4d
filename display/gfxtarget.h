#pragma once
// What the skin set-up needs of the main window: the surface implements it, the
// tests fake it. Colours are 0x00BBGGRR as written in Config.ini.
#include <QImage>
#include <QString>
#include <cstdint>

#include "engine/images.h"

namespace zn {

class GfxTarget {
public:
    virtual ~GfxTarget() = default;

    virtual QString configDir() const = 0;  // where the Config.ini to read lies
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    virtual void showError(const QString& text) = 0;  // modal box, error icon, OK
    // A failure that ends the application: the text and the path it concerns on standard
    // error, the text in the error box, then the end of the application with status 1
    // (queued: the current event finishes first).
    virtual void endWithError(const QString& text, const QString& path) = 0;

    virtual void setClientWidth(int w) = 0;
    virtual void setClientHeight(int h) = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    virtual void setBackgroundColor(std::uint32_t bgr) = 0;
    // Windowed mode: pixels of the composed window equal to the key colour are see-through.
    virtual void setKeyColorTransparency(bool on, std::uint32_t bgr) = 0;

    virtual void setPicture(ImageId id, const QImage& picture) = 0;
    virtual void setImageLeft(ImageId id, int left) = 0;
    virtual void setImageTop(ImageId id, int top) = 0;
    virtual void setImageWidth(ImageId id, int width) = 0;
    virtual void setImageHeight(ImageId id, int height) = 0;
    virtual int imageWidth(ImageId id) const = 0;
    virtual int imageHeight(ImageId id) const = 0;
    virtual void setImageVisible(ImageId id, bool visible) = 0;
    virtual void setImageStretch(ImageId id, bool stretch) = 0;  // the backdrop
    virtual void setImageAutoSize(ImageId id) = 0;               // the logo: size to its picture
};

}  // namespace zn
