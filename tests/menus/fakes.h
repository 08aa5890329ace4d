#pragma once
// Stand-ins for the main window around the two menus: the images the game menu
// sizes, a window that records the keys reaching it, and a recording command set.
#include <QImage>
#include <QKeyEvent>
#include <QMap>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <array>

#include "display/gfxtarget.h"
#include "shell/popupmenu.h"

namespace zn::test {

class FakeGfxTarget : public GfxTarget {
public:
    QString executableDir() const override { return {}; }
    int screenWidth() const override { return 1024; }
    int screenHeight() const override { return 768; }
    void showError(const QString&) override {}
    void requestQuit() override {}
    void setClientWidth(int) override {}
    void setClientHeight(int) override {}
    int clientWidth() const override { return 1024; }
    int clientHeight() const override { return 768; }
    void setBackgroundColor(std::uint32_t) override {}
    void setKeyColorTransparency(bool, std::uint32_t) override {}

    void setPicture(ImageId id, const QImage& picture) override { pictures[index(id)] = picture; }
    void setImageLeft(ImageId id, int left) override { rects[index(id)].moveLeft(left); }
    void setImageTop(ImageId id, int top) override { rects[index(id)].moveTop(top); }
    void setImageWidth(ImageId id, int width) override { rects[index(id)].setWidth(width); }
    void setImageHeight(ImageId id, int height) override { rects[index(id)].setHeight(height); }
    int imageWidth(ImageId id) const override { return rects[index(id)].width(); }
    int imageHeight(ImageId id) const override { return rects[index(id)].height(); }
    void setImageVisible(ImageId id, bool visible) override { visibleFlags[index(id)] = visible; }
    void setImageStretch(ImageId, bool) override {}
    void setImageAutoSize(ImageId) override {}

    QRect rect(ImageId id) const { return rects[index(id)]; }

    std::array<QImage, kImageCount> pictures;
    std::array<QRect, kImageCount> rects;
    std::array<bool, kImageCount> visibleFlags{};
};

// The main window as far as the menus see it: it records every key press it gets.
class KeyWindow : public QWidget {
public:
    QList<int> keysReceived;

protected:
    void keyPressEvent(QKeyEvent* e) override { keysReceived << e->key(); }
};

// Commands that log what they were asked to do, over a settings store held in memory.
struct CommandLog {
    QStringList calls;
    QMap<QString, bool> store;
    bool splashBox = true;
    bool gfxInitResult = true;

    PopupMenu::Commands commands() {
        PopupMenu::Commands c;
        c.showAbout = [this] { calls << "about"; };
        c.showKeySettings = [this] { calls << "keys"; };
        c.Vid_Move_Offscreen = [this] { calls << "offscreen"; };
        c.Gfx_Init = [this](bool fullscreen) {
            calls << QStringLiteral("gfxinit %1").arg(fullscreen);
            return gfxInitResult;
        };
        c.Vid_Center_Window = [this] { calls << "centre"; };
        c.Vid_Display_Ctrl_Overlay = [this] { calls << "overlay"; };
        c.splashCheckBox = [this] { return splashBox; };
        c.readBool = [this](const QString& name, bool def) { return store.value(name, def); };
        c.writeBool = [this](const QString& name, bool value) {
            store[name] = value;
            calls << QStringLiteral("write %1=%2").arg(name).arg(value);
        };
        c.openDocument = [this](const QString& name) { calls << "open " + name; };
        c.quit = [this] { calls << "quit"; };
        return c;
    }
};

}  // namespace zn::test
