#pragma once
// The game menu of the full-screen display: a button with a three-bar icon in the
// window's top-left corner that unfolds into a translucent panel of thirteen rows,
// one per item of the popup menu, each running that item's command. Its geometry and row
// texts are the menu registry's (ui/menuregistry.h), which the page draws from too.
//
// The panel and the button are two images of the window (btn_game_menu_background,
// btn_game_menu_top); the rows are labels created on the window above every image
// while the menu is open and removed when it closes.
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>

#include "display/gfxtarget.h"
#include "display/menuhost.h"
#include "ui/menuregistry.h"

class QAction;

namespace zn {

class GameMenu;

// One row of the open game menu (la_menu_item). A command row shows the caption of
// its item, highlights under the pointer and runs the item's command on a click of
// the primary button; a separator row is empty and inert; a disabled row is greyed.
class MenuRowLabel : public QLabel {
    Q_OBJECT
public:
    MenuRowLabel(GameMenu& menu, QAction* item, QWidget* parent);

    QAction* item() const { return item_; }
    // True for an enabled command row: it has the click, hover and mouse-up handlers.
    bool hasHandlers() const { return handlers_; }
    // True while the background is opaque (the pointer is over the row).
    bool highlighted() const { return autoFillBackground(); }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    GameMenu& menu_;
    QAction* item_;
    bool handlers_ = false;
};

class GameMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int kRowCount = 13;
    static constexpr int kRowHeight = ui::gamemenu::kRowHeight;
    static constexpr int kOpenWidth = ui::gamemenu::kOpenWidth;
    static constexpr int kOpenHeight = ui::gamemenu::openHeight(kRowCount);
    static constexpr int kClosedWidth = ui::gamemenu::kClosedWidth;
    static constexpr int kClosedHeight = ui::gamemenu::kClosedHeight;
    static constexpr int kRowFontCell = ui::gamemenu::kRowFontCell;

    // rowParent: the widget covering the main window's client area, on which the rows
    // are created. target: the window's images; the constructor gives
    // btn_game_menu_background its built-in picture and both images their closed
    // rectangle at the window's top-left corner (the words of its caption row follow when
    // the menu first opens). host: the window, which keeps
    // Vid_Game_Menu_Open. arial: the dialogs' Arial, whose family the rows and the caption
    // are drawn in at sizes of their own.
    GameMenu(QWidget& rowParent, GfxTarget& target, MenuHost& host, const QFont& arial);
    ~GameMenu() override;

    // The built-in picture of btn_game_menu_background: 256 x 512, opaque black caption
    // row with the icon and the words "Game menu" in white, below it black at alpha 204.
    // The words are drawn in arial's family.
    static QImage panelPicture(const QFont& arial);
    // The same picture without the words: all that the closed menu's corner shows.
    static QImage panelBackground();

    const QFont& arial() const { return arial_; }

    // The text of a command row for an item with this caption and check mark.
    static QString rowText(const QString& caption, bool checked);
    static bool isSeparator(const QAction* item);

    // Vid_Menu_Items[1..13] is element 0..12: the popup menu's items in menu order,
    // separators included. Filled once at start-up, before the menu can open.
    void setMenuItems(const std::array<QAction*, kRowCount>& items) { Vid_Menu_Items = items; }

    // Click on btn_game_menu_top (primary button pressed and released on it).
    void btn_game_menu_topClick();
    // Builds the rows when Vid_Game_Menu_Open is true, removes them when it is false.
    void Vid_Display_Game_Menu(bool open);
    // Closing from outside (popup menu opening, display-mode switch).
    void close();

    bool isOpen() const { return host_.gameMenuOpen(); }
    // Row i (1..13) of the open menu, or nullptr while the menu is closed.
    MenuRowLabel* row(int i) const {
        return i >= 1 && i <= kRowCount ? Vid_Menu_Rows[i - 1].data() : nullptr;
    }

    // The keyboard, in full screen: Tab and Shift+Tab move the focus through the button and
    // the rows that can be chosen (ui/gamemenufocus.h); Enter on the button opens or closes
    // the menu, on a row runs its command and closes the menu. choose() returns false when
    // nothing in the menu has the focus. The focused row is lit as under the pointer, the
    // focused button ringed.
    void focusStep(bool forward);
    bool choose();
    int focus() const { return focus_; }  // 0 the button, 1..13 a row, -1 none

    void la_menu_itemMouseEnter(MenuRowLabel& row);
    void la_menu_itemMouseLeave(MenuRowLabel& row);
    void la_menu_itemMouseUp(MenuRowLabel& row, Qt::MouseButton button, Qt::MouseButtons held, int x, int y);

private:
    void buildRows();
    void removeRows();
    void showFocus();

    QWidget& rowParent_;
    GfxTarget& target_;
    MenuHost& host_;
    QFont arial_;
    bool captionDrawn_ = false;  // the panel picture has its words
    std::array<QAction*, kRowCount> Vid_Menu_Items{};
    std::array<QPointer<MenuRowLabel>, kRowCount> Vid_Menu_Rows{};
    int focus_ = -1;
    QWidget* buttonRing_ = nullptr;  // owned by rowParent_
};

}  // namespace zn
