#include <gtest/gtest.h>

#include <QAction>
#include <QEnterEvent>
#include <QFontMetrics>

#include "fakes.h"

namespace zn::test {
namespace {

TEST(GameMenuPicture, CaptionRowWithIconAndWordsOverADimmedPanel) {
    const QImage pic = GameMenu::panelPicture(arialFont(GameMenu::kRowFontCell));
    ASSERT_EQ(pic.size(), QSize(256, 512));
    int textPixels = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool icon = (y == 10 || y == 15 || y == 20) && x >= 8 && x <= 27;
            const bool words = x >= 36 && x <= 124 && y >= 9 && y <= 20;
            const QColor c = pic.pixelColor(x, y);
            if (words) {
                textPixels += c != QColor(Qt::black);
                continue;
            }
            ASSERT_EQ(c, QColor(icon ? Qt::white : Qt::black)) << x << "," << y;
        }
    EXPECT_GT(textPixels, 150);  // the words are there, not a stray dot
    for (int y : {32, 200, 511})
        for (int x : {0, 255}) EXPECT_EQ(pic.pixelColor(x, y), QColor(0, 0, 0, 204));
}

TEST_F(MenusTest, ButtonOpensThirteenRowsAndClosesThemAgain) {
    // Closed, the panel's corner needs no words; opened, the caption row has them.
    EXPECT_EQ(gfx.at(img::btn_game_menu_background).picture, GameMenu::panelBackground());
    log.store["SplashScreen"] = true;
    popup->pm_0_menuPopup();
    window.setCursor(Qt::PointingHandCursor);  // as over the menu button: no row may inherit it
    gameMenu->btn_game_menu_topClick();
    ASSERT_TRUE(Vid_Game_Menu_Open);
    EXPECT_EQ(gfx.at(img::btn_game_menu_background).picture,
              GameMenu::panelPicture(arialFont(GameMenu::kRowFontCell)));
    EXPECT_EQ(gfx.at(img::btn_game_menu_background).width, 256);
    EXPECT_EQ(gfx.at(img::btn_game_menu_background).height, 448);
    const QStringList texts = {"   About...",
                               "   View 'Readme.txt'",
                               "   View 'Whatsnew.txt'",
                               "   View manual",
                               "",
                               "   Edit configuration file",
                               "   Key settings",
                               "",
                               "   Display in fullscreen mode [V]",
                               "   Display splash screen at startup [V]",
                               "   Display controller overlays",
                               "",
                               "   Exit"};
    for (int i = 1; i <= 13; ++i) {
        SCOPED_TRACE(i);
        const MenuRowLabel* r = gameMenu->row(i);
        const bool separator = i == 5 || i == 8 || i == 12;
        EXPECT_EQ(r->text(), texts[i - 1]);
        EXPECT_EQ(r->geometry(), QRect(0, 32 * i, 256, 32));
        EXPECT_EQ(r->isEnabled(), i != 4);
        EXPECT_EQ(r->hasHandlers(), !separator && i != 4);
        EXPECT_EQ(r->cursor().shape(), separator ? Qt::ArrowCursor : Qt::PointingHandCursor);
        if (!separator) {
            // -12 points: the character cell, ascent plus descent, is 16 pixels high.
            const int cell = QFontMetrics(r->font()).height();
            EXPECT_TRUE(cell == 15 || cell == 16) << cell;
        }
    }
    gameMenu->Vid_Display_Game_Menu(true);  // building again keeps one set of rows
    EXPECT_EQ(liveRows(), 13);

    gameMenu->btn_game_menu_topClick();
    EXPECT_FALSE(Vid_Game_Menu_Open);
    EXPECT_EQ(liveRows(), 0);
    EXPECT_EQ(gfx.at(img::btn_game_menu_background).width, 36);
    EXPECT_EQ(gfx.at(img::btn_game_menu_background).height, 32);
}

TEST_F(MenusTest, ChoosingTheOverlayRowRunsItAndClosesTheMenu) {
    gameMenu->btn_game_menu_topClick();
    QTest::mouseClick(gameMenu->row(11), Qt::LeftButton);
    EXPECT_TRUE(Vid_Ctrl_Overlay);
    EXPECT_EQ(log.calls, QStringList({"CtrlrOverlay=1", "overlay"}));
    EXPECT_EQ(liveRows(), 0);
    gameMenu->btn_game_menu_topClick();
    EXPECT_EQ(gameMenu->row(11)->text(), "   Display controller overlays [V]");
}

TEST_F(MenusTest, ClicksThatRunNothing) {
    gameMenu->btn_game_menu_topClick();
    // The disabled row, the separators and a middle click leave the menu open.
    const std::pair<int, Qt::MouseButton> stayOpen[] = {{4, Qt::LeftButton},
                                                        {5, Qt::LeftButton},
                                                        {8, Qt::LeftButton},
                                                        {12, Qt::LeftButton},
                                                        {1, Qt::MiddleButton}};
    for (const auto& [row, button] : stayOpen) {
        QTest::mouseClick(gameMenu->row(row), button);
        ASSERT_TRUE(Vid_Game_Menu_Open) << row;
    }
    // Released outside the row it was pressed on: the menu closes, the command does not run.
    QTest::mousePress(gameMenu->row(1), Qt::LeftButton, {}, QPoint(20, 16));
    QTest::mouseRelease(gameMenu->row(1), Qt::LeftButton, {}, QPoint(400, 16));
    EXPECT_FALSE(Vid_Game_Menu_Open);
    EXPECT_TRUE(log.calls.isEmpty());
}

TEST_F(MenusTest, OnlyCommandRowsHighlightUnderThePointer) {
    gameMenu->btn_game_menu_topClick();
    for (int i : {1, 4, 5}) {
        MenuRowLabel* r = gameMenu->row(i);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(r, &enter);
        EXPECT_EQ(r->highlighted(), i == 1) << i;
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(r, &leave);
        EXPECT_FALSE(r->highlighted()) << i;
    }
}

}  // namespace
}  // namespace zn::test
