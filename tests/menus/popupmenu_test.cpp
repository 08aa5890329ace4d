#include "shell/popupmenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>

#include "display/gamemenu.h"
#include "fakes.h"

namespace zn::test {
namespace {

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 300);
        gameMenu = new GameMenu(window, gfx, Vid_Game_Menu_Open);
        popup = new PopupMenu(window, Vid_Fullscreen, Vid_Ctrl_Overlay, *gameMenu, log.commands());
        gameMenu->setMenuItems(popup->items());
    }

    // Shortcuts only work in the active window.
    void activate() {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    bool Vid_Fullscreen = true;
    bool Vid_Ctrl_Overlay = false;
    bool Vid_Game_Menu_Open = false;
    FakeGfxTarget gfx;
    KeyWindow window;
    CommandLog log;
    GameMenu* gameMenu = nullptr;
    PopupMenu* popup = nullptr;
};

struct ItemRow {
    const char* name;
    const char* caption;
    int key;  // 0: no shortcut
    bool enabled;
    bool checkable;
    bool separator;
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

TEST_F(PopupMenuTest, ItemsHaveTheirCaptionsShortcutsAndStatesInMenuOrder) {
    const auto items = popup->items();
    ASSERT_EQ(popup->pm_0_menu->actions().size(), 13);
    for (int i = 0; i < 13; ++i) {
        const ItemRow& want = kItems[i];
        QAction* item = items[i];
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
}

TEST_F(PopupMenuTest, CheckMarksStartFromTheDisplayState) {
    EXPECT_TRUE(popup->pm_10_fullscreen->isChecked());
    EXPECT_FALSE(popup->pm_11_splashscreen->isChecked());
    EXPECT_FALSE(popup->pm_12_controller->isChecked());
}

TEST_F(PopupMenuTest, OpeningRereadsTheStoredSplashValueAfterAnOutsideChange) {
    log.store["SplashScreen"] = true;
    popup->pm_0_menuPopup();
    EXPECT_TRUE(popup->pm_11_splashscreen->isChecked());

    log.store["SplashScreen"] = false;  // changed behind the simulator's back
    popup->pm_0_menuPopup();
    EXPECT_FALSE(popup->pm_11_splashscreen->isChecked());
}

TEST_F(PopupMenuTest, OpeningWithNothingStoredShowsTheSplashCheckBox) {
    for (bool box : {false, true}) {
        log.splashBox = box;
        popup->pm_0_menuPopup();
        EXPECT_EQ(popup->pm_11_splashscreen->isChecked(), box);
    }
}

TEST_F(PopupMenuTest, OpeningMirrorsTheOverlayFlag) {
    Vid_Ctrl_Overlay = true;
    popup->pm_0_menuPopup();
    EXPECT_TRUE(popup->pm_12_controller->isChecked());
}

TEST_F(PopupMenuTest, OpeningInFullScreenClosesTheGameMenu) {
    gameMenu->btn_game_menu_topClick();
    ASSERT_TRUE(Vid_Game_Menu_Open);
    popup->popup(QPoint(10, 10));  // aboutToShow runs before the menu is drawn
    EXPECT_FALSE(Vid_Game_Menu_Open);
    EXPECT_EQ(gameMenu->row(1), nullptr);
    EXPECT_TRUE(popup->pm_10_fullscreen->isChecked());
    popup->pm_0_menu->close();
}

TEST_F(PopupMenuTest, FullscreenCommandSwitchesStoresAndRebuildsInOrder) {
    gameMenu->btn_game_menu_topClick();
    popup->pm_10_fullscreen->trigger();
    EXPECT_FALSE(Vid_Fullscreen);
    EXPECT_FALSE(popup->pm_10_fullscreen->isChecked());
    EXPECT_FALSE(Vid_Game_Menu_Open);
    EXPECT_EQ(log.calls, QStringList({"write FullscreenMode=0", "offscreen", "gfxinit 0", "centre"}));

    log.calls.clear();
    popup->pm_10_fullscreen->trigger();
    EXPECT_TRUE(Vid_Fullscreen);
    EXPECT_TRUE(popup->pm_10_fullscreen->isChecked());
    EXPECT_EQ(log.calls, QStringList({"write FullscreenMode=1", "offscreen", "gfxinit 1", "centre"}));
}

TEST_F(PopupMenuTest, FullscreenCommandDoesNotCentreWhenTheSkinSetUpGaveUp) {
    log.gfxInitResult = false;
    popup->pm_10_fullscreen->trigger();
    EXPECT_EQ(log.calls, QStringList({"write FullscreenMode=0", "offscreen", "gfxinit 0"}));
}

TEST_F(PopupMenuTest, SplashCommandInvertsTheCheckMarkAndStoresIt) {
    popup->pm_11_splashscreen->trigger();
    EXPECT_TRUE(popup->pm_11_splashscreen->isChecked());
    EXPECT_EQ(log.store.value("SplashScreen"), true);
    popup->pm_11_splashscreen->trigger();
    EXPECT_FALSE(popup->pm_11_splashscreen->isChecked());
    EXPECT_EQ(log.store.value("SplashScreen"), false);
}

TEST_F(PopupMenuTest, OverlayCommandTwiceRestoresTheOverlaysAndStoresEachChange) {
    popup->pm_12_controller->trigger();
    EXPECT_TRUE(Vid_Ctrl_Overlay);
    EXPECT_TRUE(popup->pm_12_controller->isChecked());
    popup->pm_12_controller->trigger();
    EXPECT_FALSE(Vid_Ctrl_Overlay);
    EXPECT_EQ(log.calls, QStringList({"write CtrlrOverlay=1", "overlay", "write CtrlrOverlay=0", "overlay"}));
}

TEST_F(PopupMenuTest, KeySettingsShowsTheDialogThenDisablesTheWindow) {
    popup->pm_7_keys->trigger();
    EXPECT_EQ(log.calls, QStringList({"keys"}));
    EXPECT_FALSE(window.isEnabled());
}

TEST_F(PopupMenuTest, DocumentAndDialogCommands) {
    popup->pm_1_about->trigger();
    popup->pm_2_readme->trigger();
    popup->pm_3_whatsnew->trigger();
    popup->pm_6_config->trigger();
    popup->pm_14_exit->trigger();
    EXPECT_EQ(log.calls,
              QStringList({"about", "open Readme.txt", "open Whatsnew.txt", "open Config.ini", "quit"}));
}

struct KeyCase {
    int key;
    const char* expected;  // the command run, or "" for none
};

TEST_F(PopupMenuTest, ShortcutKeysRunTheirCommandsAndNeverReachTheGame) {
    activate();
    const KeyCase cases[] = {{Qt::Key_F1, "about"},
                             {Qt::Key_F2, "open Readme.txt"},
                             {Qt::Key_F3, "open Whatsnew.txt"},
                             {Qt::Key_F4, ""},
                             {Qt::Key_Escape, "quit"}};
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.key);
        log.calls.clear();
        QTest::keyClick(&window, Qt::Key(c.key));
        EXPECT_EQ(log.calls, *c.expected ? QStringList({c.expected}) : QStringList());
    }
    EXPECT_TRUE(window.keysReceived.isEmpty());

    QTest::keyClick(&window, Qt::Key_5);  // an ordinary key still reaches the window
    EXPECT_EQ(window.keysReceived, QList<int>({Qt::Key_5}));
}

TEST_F(PopupMenuTest, F12TwiceReturnsToTheSameDisplayMode) {
    activate();
    QTest::keyClick(&window, Qt::Key_F12);
    EXPECT_FALSE(Vid_Fullscreen);
    QTest::keyClick(&window, Qt::Key_F12);
    EXPECT_TRUE(Vid_Fullscreen);
    EXPECT_EQ(log.calls.count("centre"), 2);
    EXPECT_EQ(log.store.value("FullscreenMode"), true);
}

TEST_F(PopupMenuTest, F12ClosesAnOpenGameMenu) {
    activate();
    gameMenu->btn_game_menu_topClick();
    QTest::keyClick(&window, Qt::Key_F12);
    EXPECT_FALSE(Vid_Game_Menu_Open);
    const auto rows = window.findChildren<MenuRowLabel*>();
    EXPECT_TRUE(std::none_of(rows.begin(), rows.end(), [](MenuRowLabel* r) { return r->isVisible(); }));
}

TEST_F(PopupMenuTest, ShortcutsAreIgnoredWhileTheWindowIsDisabled) {
    activate();
    window.setEnabled(false);
    QTest::keyClick(&window, Qt::Key_F1);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(log.calls.isEmpty());
}

TEST_F(PopupMenuTest, EscapeInTheOpenMenuClosesTheMenuNotTheSimulator) {
    activate();
    popup->popup(window.mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup->pm_0_menu));
    QTest::keyClick(popup->pm_0_menu, Qt::Key_F1);
    QTest::keyClick(popup->pm_0_menu, Qt::Key_Escape);
    EXPECT_FALSE(popup->pm_0_menu->isVisible());
    EXPECT_TRUE(log.calls.isEmpty());
}

// Captures the addresses the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

TEST(PopupMenuDocuments, OpensExistingDocumentsRelativeToTheWorkingDirectoryOnly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile readme(dir.filePath("Readme.txt"));
    ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
    readme.close();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");

    PopupMenu::openDocument("Readme.txt");
    PopupMenu::openDocument("Whatsnew.txt");  // missing: nothing happens

    QDesktopServices::unsetUrlHandler("file");
    QDir::setCurrent(before);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(QDir(dir.path()).absoluteFilePath("Readme.txt")));
}

}  // namespace
}  // namespace zn::test

#include "popupmenu_test.moc"
