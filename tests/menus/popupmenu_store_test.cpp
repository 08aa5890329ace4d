// The popup menu over the real settings store (a private XDG_CONFIG_HOME, see main.cpp).
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "display/gamemenu.h"
#include "fakes.h"
#include "shell/popupmenu.h"
#include "shell/settings.h"

namespace zn::test {
namespace {

QString storeFile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quillon", "Zornibak50").fileName();
}

// Rewrites the store as another program would, behind the simulator's back.
void writeStoreFromOutside(const QByteArray& text) {
    QDir().mkpath(QFileInfo(storeFile()).path());
    QFile f(storeFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

class PopupMenuStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(storeFile());
        PopupMenu::Commands c;
        c.splashCheckBox = [this] { return splashBox; };
        c.readBool = [this](const QString& n, bool d) { return settings.readBool(n, d); };
        c.writeBool = [this](const QString& n, bool v) { settings.writeBool(n, v); };
        c.Gfx_Init = [](bool) { return true; };
        gameMenu = new GameMenu(window, gfx, Vid_Game_Menu_Open);
        popup = new PopupMenu(window, Vid_Fullscreen, Vid_Ctrl_Overlay, *gameMenu, c);
    }

    QByteArray storedText() {
        QFile f(storeFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool Vid_Fullscreen = true;
    bool Vid_Ctrl_Overlay = true;
    bool Vid_Game_Menu_Open = false;
    bool splashBox = true;
    FakeGfxTarget gfx;
    QWidget window;
    AppSettings settings;
    GameMenu* gameMenu = nullptr;
    PopupMenu* popup = nullptr;
};

TEST_F(PopupMenuStoreTest, CheckMarkFollowsTheStoreChangedOutsideBetweenOpenings) {
    writeStoreFromOutside("[General]\nSplashScreen=0\n");
    popup->pm_0_menuPopup();
    EXPECT_FALSE(popup->pm_11_splashscreen->isChecked());

    writeStoreFromOutside("[General]\nSoundMode=2\nSplashScreen=1\n");
    popup->pm_0_menuPopup();
    EXPECT_TRUE(popup->pm_11_splashscreen->isChecked());
}

TEST_F(PopupMenuStoreTest, WithoutAStoredValueTheSplashCheckBoxDecides) {
    splashBox = false;
    popup->pm_0_menuPopup();
    EXPECT_FALSE(popup->pm_11_splashscreen->isChecked());
}

TEST_F(PopupMenuStoreTest, CommandsStoreTheirValuesAsText) {
    popup->pm_12_controller->trigger();
    popup->pm_10_fullscreen->trigger();
    popup->pm_11_splashscreen->trigger();
    const QByteArray text = storedText();
    EXPECT_TRUE(text.contains("CtrlrOverlay=0")) << text.constData();
    EXPECT_TRUE(text.contains("FullscreenMode=0")) << text.constData();
    EXPECT_TRUE(text.contains("SplashScreen=1")) << text.constData();
}

}  // namespace
}  // namespace zn::test
