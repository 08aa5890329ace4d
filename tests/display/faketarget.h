#pragma once
// A main window in memory and the application around it: records what the skin set-up
// does to them.
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

#include "display/appservices.h"
#include "display/gfxinit.h"
#include "display/gfxtarget.h"

namespace zn::test {

struct FakeImage {
    QImage picture;
    int left = -1, top = -1, width = -1, height = -1;  // -1: never set
    bool visible = false;
    bool stretch = false;
    bool autoSize = false;
    QString hiRes;  // the double-size partner given with the picture
};

class FakeTarget : public GfxTarget, public AppServices {
public:
    QString dir;
    int screenW = 1024, screenH = 768;
    int clientW = 692, clientH = 747;
    std::uint32_t background = 0xFFFFFFFF;
    bool keyOn = false;
    std::uint32_t keyColour = 0xFFFFFFFF;
    QStringList errors;
    int quits = 0;
    QString failedPath;  // the path given with the last error that ended the application
    std::array<FakeImage, kImageCount> images;
    QRect gameArea;

    FakeImage& at(ImageId id) { return images[index(id)]; }

    QString configDir() const override { return dir; }
    int screenWidth() const override { return screenW; }
    int screenHeight() const override { return screenH; }
    void showError(const QString& text) override { errors << text; }
    void endWithError(const QString& text, const QString& path) override {
        errors << text;
        failedPath = path;
        ++quits;
    }
    void quit() override { ++quits; }
    void setClientWidth(int w) override { clientW = w; }
    void setClientHeight(int h) override { clientH = h; }
    int clientWidth() const override { return clientW; }
    int clientHeight() const override { return clientH; }
    void setBackgroundColor(std::uint32_t bgr) override { background = bgr; }
    void setKeyColorTransparency(bool on, std::uint32_t bgr) override {
        keyOn = on;
        if (on) keyColour = bgr;
    }
    void setPicture(ImageId id, const QImage& p) override {
        at(id).picture = p;
        if (at(id).autoSize) sizeToPicture(id);
    }
    void setImageLeft(ImageId id, int v) override { at(id).left = v; }
    void setImageTop(ImageId id, int v) override { at(id).top = v; }
    void setImageWidth(ImageId id, int v) override { at(id).width = v; }
    void setImageHeight(ImageId id, int v) override { at(id).height = v; }
    int imageWidth(ImageId id) const override { return images[index(id)].width; }
    int imageHeight(ImageId id) const override { return images[index(id)].height; }
    void setImageVisible(ImageId id, bool v) override { at(id).visible = v; }
    void setImageStretch(ImageId id, bool s) override { at(id).stretch = s; }
    void setImageAutoSize(ImageId id) override {
        at(id).autoSize = true;
        sizeToPicture(id);
    }
    void setGameArea(const QRect& area) override { gameArea = area; }
    void setHiResPartner(ImageId id, const QString& path) override { at(id).hiRes = path; }

private:
    void sizeToPicture(ImageId id) {
        at(id).width = at(id).picture.width();
        at(id).height = at(id).picture.height();
    }
};

// The skin set-up on a fake that is both the window and the application.
inline bool Gfx_Init(FakeTarget& target, bool Vid_Fullscreen) {
    return zn::Gfx_Init(target, target, Vid_Fullscreen);
}

// The header of an image's section in Config.ini, "[Image<slot>]\n".
inline QByteArray sectionOf(ImageId id) { return "[Image" + QByteArray::number(slotOf(id)) + "]\n"; }

}  // namespace zn::test
