#pragma once
// The two menus on a stand-in main window: a window that records the keys reaching it,
// the images in memory, and commands that log what they were asked to do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMap>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "display/gamemenu.h"
#include "display/menuhost.h"
#include "input/dialoglook.h"
#include "shell/popupmenu.h"
#include "tests/display/faketarget.h"

namespace zn::test {

class KeyWindow : public QWidget {
public:
    QList<int> keysReceived;

protected:
    void keyPressEvent(QKeyEvent* e) override { keysReceived << e->key(); }
};

struct CommandLog {
    QStringList calls;
    QMap<QString, bool> store;
    bool splashBox = true;
    bool gfxInitResult = true;

    void log(const QString& s) { calls << s; }
    PopupMenu::Commands commands() {
        PopupMenu::Commands c;
        c.showAbout = [this] { log("about"); };
        c.showKeySettings = [this] { log("keys"); };
        c.moveOffscreen = [this] { log("offscreen"); };
        c.Gfx_Init = [this](bool full) {
            log(QStringLiteral("gfxinit %1").arg(full));
            return gfxInitResult;
        };
        c.centreWindow = [this] { log("centre"); };
        c.Vid_Display_Ctrl_Overlay = [this] { log("overlay"); };
        c.splashCheckBox = [this] { return splashBox; };
        c.readFlag = [this](Setting s, bool whenMissing) { return store.value(settingName(s), whenMissing); };
        c.writeFlag = [this](Setting s, bool v) {
            store[settingName(s)] = v;
            log(settingName(s) + "=" + QString::number(v));
        };
        c.openDocument = [this](const QString& name) { log("open " + name); };
        c.quit = [this] { log("quit"); };
        return c;
    }
};

// A shown window with both menus wired as the main window wires them; the fixture keeps
// the window's display-mode state.
class MenusTest : public ::testing::Test, public MenuHost {
protected:
    void SetUp() override {
        window.resize(800, 600);
        gameMenu = new GameMenu(window, gfx, *this, arialFont(GameMenu::kRowFontCell));
        popup = new PopupMenu(window, *this, *gameMenu, log.commands());
        gameMenu->setMenuItems(popup->items());
        window.show();
        QApplication::setActiveWindow(&window);  // shortcuts work in the active window only
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    int liveRows() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.findChildren<MenuRowLabel*>().size();
    }

    bool fullscreen() const override { return Vid_Fullscreen; }
    void setFullscreen(bool on) override { Vid_Fullscreen = on; }
    bool ctrlOverlay() const override { return Vid_Ctrl_Overlay; }
    void setCtrlOverlay(bool on) override { Vid_Ctrl_Overlay = on; }
    bool gameMenuOpen() const override { return Vid_Game_Menu_Open; }
    void setGameMenuOpen(bool open) override { Vid_Game_Menu_Open = open; }

    bool Vid_Fullscreen = true;
    bool Vid_Ctrl_Overlay = false;
    bool Vid_Game_Menu_Open = false;
    FakeTarget gfx;
    KeyWindow window;
    CommandLog log;
    GameMenu* gameMenu = nullptr;
    PopupMenu* popup = nullptr;
};

}  // namespace zn::test
