#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include "fakes.h"
#include "shell/appsettings.h"

namespace zn::test {
namespace {

struct ItemRow {
    const char* name;
    const char* caption;
    int key;  // 0: none
    bool enabled, checkable, separator;
};
constexpr ItemRow kItems[] = {
    {"pm_1_about", "About...", Qt::Key_F1, true, false, false},
    {"pm_2_readme", "View 'Readme.txt'", Qt::Key_F2, true, false, false},
    {"pm_3_whatsnew", "View 'Whatsnew.txt'", Qt::Key_F3, true, false, false},
    {"pm_4_manual", "View manual", Qt::Key_F4, false, false, false},
    {"pm_5_n1", "", 0, true, false, true},
    {"pm_6_config", "Edit configuration file", 0, true, false, false},
    {"pm_7_keys", "Key settings", 0, true, false, false},
    {"pm_9_n2", "", 0, true, false, true},
    {"pm_10_fullscreen", "Display in fullscreen mode", Qt::Key_F12, true, true, false},
    {"pm_11_splashscreen", "Display splash screen at startup", 0, true, true, false},
    {"pm_12_controller", "Display controller overlays", 0, true, true, false},
    {"pm_13_n3", "", 0, true, false, true},
    {"pm_14_exit", "Exit", Qt::Key_Escape, true, false, false},
};

TEST_F(MenusTest, ItemsHaveTheirCaptionsShortcutsAndStatesInMenuOrder) {
    ASSERT_EQ(popup->pm_0_menu->actions().size(), 13);
    for (int i = 0; i < 13; ++i) {
        const ItemRow& want = kItems[i];
        QAction* item = popup->items()[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(item, popup->pm_0_menu->actions().at(i));
        EXPECT_EQ(item->objectName(), want.name);
        EXPECT_EQ(item->text(), want.caption);
        EXPECT_EQ(item->shortcut(), want.key ? QKeySequence(want.key) : QKeySequence());
        EXPECT_EQ(item->isEnabled(), want.enabled);
        EXPECT_EQ(item->isCheckable(), want.checkable);
        EXPECT_EQ(item->isSeparator(), want.separator);
    }
    EXPECT_EQ(popup->pm_0_menu->defaultAction(), popup->pm_1_about);
    EXPECT_TRUE(popup->pm_10_fullscreen->isChecked());  // from Vid_Fullscreen
    EXPECT_FALSE(popup->pm_12_controller->isChecked());
}

TEST_F(MenusTest, OpeningRefreshesCheckMarksAndClosesTheGameMenu) {
    log.splashBox = false;  // nothing stored: the splash dialog's check box decides
    Vid_Ctrl_Overlay = true;
    gameMenu->btn_game_menu_topClick();
    popup->popup(QPoint(10, 10));  // runs pm_0_menuPopup before the menu is drawn
    EXPECT_FALSE(popup->pm_11_splashscreen->isChecked());
    EXPECT_TRUE(popup->pm_12_controller->isChecked());
    EXPECT_FALSE(Vid_Game_Menu_Open);
    EXPECT_EQ(liveRows(), 0);
    popup->pm_0_menu->close();
}

TEST_F(MenusTest, CommandsActInOrderAndStoreAtOnce) {
    popup->pm_10_fullscreen->trigger();
    EXPECT_FALSE(Vid_Fullscreen);
    EXPECT_FALSE(popup->pm_10_fullscreen->isChecked());
    log.gfxInitResult = false;  // Config.ini gone: reported, end requested, no centring
    popup->pm_10_fullscreen->trigger();
    popup->pm_11_splashscreen->trigger();
    popup->pm_12_controller->trigger();
    popup->pm_12_controller->trigger();
    EXPECT_FALSE(Vid_Ctrl_Overlay);
    popup->pm_1_about->trigger();
    popup->pm_2_readme->trigger();
    popup->pm_3_whatsnew->trigger();
    popup->pm_6_config->trigger();
    popup->pm_14_exit->trigger();
    EXPECT_EQ(log.calls, QStringList({"FullscreenMode=0", "offscreen", "gfxinit 0", "centre",           //
                                      "FullscreenMode=1", "offscreen", "gfxinit 1",                     //
                                      "SplashScreen=1", "CtrlrOverlay=1", "overlay", "CtrlrOverlay=0",  //
                                      "overlay", "about", "open Readme.txt", "open Whatsnew.txt",       //
                                      "open Config.ini", "quit"}));
    EXPECT_TRUE(window.isEnabled());
    popup->pm_7_keys->trigger();
    EXPECT_EQ(log.calls.last(), "keys");
    EXPECT_FALSE(window.isEnabled());  // until the key settings dialog closes
}

TEST_F(MenusTest, ShortcutKeysRunTheirItemsAndNeverReachTheGame) {
    gameMenu->btn_game_menu_topClick();
    const std::pair<Qt::Key, QStringList> cases[] = {
        {Qt::Key_F1, {"about"}},
        {Qt::Key_F2, {"open Readme.txt"}},
        {Qt::Key_F3, {"open Whatsnew.txt"}},
        {Qt::Key_F4, {}},  // disabled item: the key is swallowed
        {Qt::Key_F12, {"FullscreenMode=0", "offscreen", "gfxinit 0", "centre"}},
        {Qt::Key_F12, {"FullscreenMode=1", "offscreen", "gfxinit 1", "centre"}},
        {Qt::Key_Escape, {"quit"}}};
    for (const auto& [key, expected] : cases) {
        log.calls.clear();
        QTest::keyClick(&window, key);
        EXPECT_EQ(log.calls, expected) << key;
    }
    EXPECT_TRUE(Vid_Fullscreen);
    EXPECT_EQ(liveRows(), 0);  // the display-mode switch closed the game menu
    EXPECT_TRUE(window.keysReceived.isEmpty());
    QTest::keyClick(&window, Qt::Key_5);
    EXPECT_EQ(window.keysReceived, QList<int>({Qt::Key_5}));

    log.calls.clear();
    window.setEnabled(false);  // as while the key settings dialog is open
    QTest::keyClick(&window, Qt::Key_F1);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(log.calls.isEmpty());
}

// The real store under the private XDG_CONFIG_HOME of main.cpp, rewritten behind the
// simulator's back between two openings of the menu.
TEST_F(MenusTest, SplashCheckMarkFollowsTheStoreChangedOutside) {
    AppSettings settings;
    PopupMenu::Commands c = log.commands();
    c.readFlag = [&](Setting s, bool whenMissing) { return settings.readFlag(s, whenMissing); };
    PopupMenu menu(window, *this, *gameMenu, c);
    const QString file =
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quillon", "Zornibak50").fileName();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    for (const auto& [text, checked] : {std::pair<QByteArray, bool>{"[General]\nSplashScreen=0\n", false},
                                        {"[General]\nSplashScreen=1\nKey1=5\n", true}}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.close();
        menu.pm_0_menuPopup();
        EXPECT_EQ(menu.pm_11_splashscreen->isChecked(), checked) << text.constData();
    }
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

TEST(PopupMenuDocuments, OpensExistingDocumentsRelativeToTheWorkingDirectoryOnly) {
    QTemporaryDir dir;
    QFile readme(dir.filePath("Readme.txt"));
    ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
    readme.close();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    PopupMenu::openDocument("Readme.txt");
    PopupMenu::openDocument("Whatsnew.txt");  // missing: not handed to the desktop
    QDesktopServices::unsetUrlHandler("file");
    QDir::setCurrent(before);
    EXPECT_EQ(catcher.urls,
              QList<QUrl>({QUrl::fromLocalFile(QDir(dir.path()).absoluteFilePath("Readme.txt"))}));
}

}  // namespace
}  // namespace zn::test

#include "popupmenu_test.moc"
