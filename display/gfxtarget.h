#pragma once
// What the skin set-up needs of the main window's images: the surface implements it, the
// tests fake it. Colours are 0x00BBGGRR as written in Config.ini. What it needs of the
// application (Config.ini's folder, the screen, the error box) is AppServices.
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>

#include "engine/images.h"

namespace zn {

class GfxTarget {
public:
    virtual ~GfxTarget() = default;

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

    // The game area of this run: GameWidth x GameHeight at the game-area offsets, where the slot
    // images lie. A window that scales the game area scales this rectangle.
    virtual void setGameArea(const QRect& area) { (void)area; }
    // The file beside an image's picture holding the same picture at twice its width and
    // height (empty: none), for drawing the image above 100 %. Given after setPicture.
    virtual void setHiResPartner(ImageId id, const QString& path) {
        (void)id;
        (void)path;
    }
};

}  // namespace zn
