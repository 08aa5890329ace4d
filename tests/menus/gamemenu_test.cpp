#include "display/gamemenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include "fakes.h"
#include "shell/popupmenu.h"

namespace zn::test {
namespace {

QColor at(const QImage& img, int x, int y) { return img.pixelColor(x, y); }
bool isWhite(const QColor& c) { return c == QColor(255, 255, 255, 255); }

TEST(GameMenuPicture, CaptionRowIconAndDimmedPanel) {
    const QImage pic = GameMenu::panelPicture();
    ASSERT_EQ(pic.size(), QSize(256, 512));

    for (int y : {10, 15, 20}) {
        for (int x = 8; x <= 27; ++x) EXPECT_TRUE(isWhite(at(pic, x, y))) << x << "," << y;
        EXPECT_EQ(at(pic, 7, y), QColor(Qt::black));
        EXPECT_EQ(at(pic, 28, y), QColor(Qt::black));
    }
    // Outside the icon and the caption's box the caption row is opaque black.
    int textPixels = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 256; ++x) {
            const bool icon = (y == 10 || y == 15 || y == 20) && x >= 8 && x <= 27;
            const bool caption = x >= 36 && x <= 124 && y >= 9 && y <= 20;
            const QColor c = at(pic, x, y);
            ASSERT_EQ(c.alpha(), 255) << x << "," << y;
            if (caption && c != QColor(Qt::black)) ++textPixels;
            if (!icon && !caption) {
                ASSERT_EQ(c, QColor(Qt::black)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(textPixels, 150);  // the words are really there, not a stray dot
    for (int y : {32, 200, 511})
        for (int x : {0, 128, 255}) EXPECT_EQ(at(pic, x, y), QColor(0, 0, 0, 204)) << x << "," << y;
}

// A window holding the game menu with the real popup menu's items.
class GameMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(800, 600);
        gameMenu = new GameMenu(window, gfx, Vid_Game_Menu_Open);
        popup = new PopupMenu(window, Vid_Fullscreen, Vid_Ctrl_Overlay, *gameMenu, log.commands());
        gameMenu->setMenuItems(popup->items());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QStringList rowTexts() const {
        QStringList texts;
        for (int i = 1; i <= 13; ++i) texts << (gameMenu->row(i) ? gameMenu->row(i)->text() : "<none>");
        return texts;
    }
    int liveRows() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.findChildren<MenuRowLabel*>().size();
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

TEST_F(GameMenuTest, StartsClosedWithItsPictureAtTheTopLeftCorner) {
    EXPECT_EQ(gfx.rect(img::btn_game_menu_background), QRect(0, 0, 36, 32));
    EXPECT_EQ(gfx.rect(img::btn_game_menu_top), QRect(0, 0, 36, 32));
    EXPECT_EQ(gfx.pictures[index(img::btn_game_menu_background)].size(), QSize(256, 512));
    EXPECT_EQ(gameMenu->row(1), nullptr);
}

TEST_F(GameMenuTest, OpenMenuShowsThirteenRowsWithCaptionsAndMarks) {
    log.store["SplashScreen"] = true;
    popup->pm_0_menuPopup();  // the splash item takes the stored value
    gameMenu->btn_game_menu_topClick();
    ASSERT_TRUE(Vid_Game_Menu_Open);
    EXPECT_EQ(rowTexts(),
              QStringList({"   About...", "   View 'Readme.txt'", "   View 'Whatsnew.txt'", "   View manual",
                           "", "   Edit configuration file", "   Key settings", "",
                           "   Display in fullscreen mode [V]", "   Display splash screen at startup [V]",
                           "   Display controller overlays", "", "   Exit"}));
    EXPECT_EQ(gfx.rect(img::btn_game_menu_background), QRect(0, 0, 256, 448));
    for (int i = 1; i <= 13; ++i) {
        SCOPED_TRACE(i);
        MenuRowLabel* r = gameMenu->row(i);
        EXPECT_EQ(r->geometry(), QRect(0, 32 * i, 256, 32));
        EXPECT_TRUE(r->isVisible());
        const bool separator = i == 5 || i == 8 || i == 12;
        EXPECT_EQ(r->isEnabled(), i != 4);
        EXPECT_EQ(r->hasHandlers(), !separator && i != 4);
        EXPECT_EQ(r->cursor().shape(), separator ? Qt::ArrowCursor : Qt::PointingHandCursor);
        if (!separator) {
            EXPECT_EQ(r->font().pixelSize(), 16);
            EXPECT_EQ(r->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::white));
        }
    }
}

TEST_F(GameMenuTest, ClickOnTheButtonAgainClosesAndRemovesEveryRow) {
    gameMenu->btn_game_menu_topClick();
    ASSERT_EQ(liveRows(), 13);
    gameMenu->btn_game_menu_topClick();
    EXPECT_FALSE(Vid_Game_Menu_Open);
    EXPECT_EQ(gameMenu->row(1), nullptr);
    EXPECT_EQ(liveRows(), 0);
    EXPECT_EQ(gfx.rect(img::btn_game_menu_background), QRect(0, 0, 36, 32));
}

TEST_F(GameMenuTest, BuildingAgainWhileOpenKeepsOneSetOfRows) {
    gameMenu->Vid_Display_Game_Menu(true);
    gameMenu->Vid_Display_Game_Menu(true);
    EXPECT_EQ(liveRows(), 13);
}

TEST_F(GameMenuTest, ChoosingTheOverlayRowSwitchesOverlaysOnAndClosesTheMenu) {
    gameMenu->btn_game_menu_topClick();
    ASSERT_EQ(gameMenu->row(11)->text(), "   Display controller overlays");
    QTest::mouseClick(gameMenu->row(11), Qt::LeftButton);
    EXPECT_TRUE(Vid_Ctrl_Overlay);
    EXPECT_EQ(log.calls, QStringList({"write CtrlrOverlay=1", "overlay"}));
    EXPECT_FALSE(Vid_Game_Menu_Open);
    EXPECT_EQ(liveRows(), 0);

    gameMenu->btn_game_menu_topClick();
    EXPECT_EQ(gameMenu->row(11)->text(), "   Display controller overlays [V]");
}

TEST_F(GameMenuTest, ChoosingTheFullscreenRowLeavesNoRowBehind) {
    gameMenu->btn_game_menu_topClick();
    QTest::mouseClick(gameMenu->row(9), Qt::LeftButton);
    EXPECT_FALSE(Vid_Fullscreen);
    EXPECT_FALSE(Vid_Game_Menu_Open);
    EXPECT_EQ(liveRows(), 0);
    EXPECT_EQ(log.calls.last(), "centre");
}

TEST_F(GameMenuTest, ChoosingExitEndsTheSimulator) {
    gameMenu->btn_game_menu_topClick();
    QTest::mouseClick(gameMenu->row(13), Qt::LeftButton);
    EXPECT_EQ(log.calls, QStringList({"quit"}));
}

struct InertClick {
    int row;
    Qt::MouseButton button;
};

TEST_F(GameMenuTest, ClicksThatLeaveTheMenuOpen) {
    // The disabled manual row, the three separators, and a middle click on a command row.
    const InertClick cases[] = {{4, Qt::LeftButton},
                                {5, Qt::LeftButton},
                                {8, Qt::LeftButton},
                                {12, Qt::LeftButton},
                                {1, Qt::MiddleButton}};
    gameMenu->btn_game_menu_topClick();
    for (const InertClick& c : cases) {
        SCOPED_TRACE(c.row);
        QTest::mouseClick(gameMenu->row(c.row), c.button);
        EXPECT_TRUE(Vid_Game_Menu_Open);
        EXPECT_NE(gameMenu->row(c.row), nullptr);
    }
    EXPECT_TRUE(log.calls.isEmpty());
}

TEST_F(GameMenuTest, ReleaseOutsideTheRowClosesWithoutRunningTheCommand) {
    gameMenu->btn_game_menu_topClick();
    MenuRowLabel* about = gameMenu->row(1);
    QTest::mousePress(about, Qt::LeftButton, {}, QPoint(20, 16));
    QTest::mouseRelease(about, Qt::LeftButton, {}, QPoint(400, 16));  // the row keeps the mouse
    EXPECT_TRUE(log.calls.isEmpty());
    EXPECT_FALSE(Vid_Game_Menu_Open);
}

TEST_F(GameMenuTest, OnlyCommandRowsHighlightUnderThePointer) {
    gameMenu->btn_game_menu_topClick();
    for (int i : {1, 4, 5}) {
        MenuRowLabel* r = gameMenu->row(i);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5 + 32 * i), QPointF(5, 5 + 32 * i));
        QCoreApplication::sendEvent(r, &enter);
        EXPECT_EQ(r->highlighted(), i == 1) << i;
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(r, &leave);
        EXPECT_FALSE(r->highlighted()) << i;
    }
}

}  // namespace
}  // namespace zn::test
