#pragma once
// The main window's popup menu pm_0_menu: the desktop's thirteen items of the menu registry
// (ui/menuregistry.h: captions, shortcut keys, check marks, enabled states) as QActions, their
// shortcut keys on the main window and the commands they run. The game menu's rows trigger the same
// items, so a command never depends on where it was chosen.
#include <QKeySequence>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>

#include "shell/appsettings.h"
#include "ui/menuregistry.h"

namespace zn {

class GameMenu;
class MenuHost;

class PopupMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int kItemCount = 13;

    // What the commands need of the main window, the dialogs and the settings store.
    // A member left empty does nothing; openDocument and quit have defaults.
    struct Commands {
        std::function<void()> showAbout;        // TAboutForm, not modal
        std::function<void()> showKeySettings;  // TKeysForm centred on the screen, not modal
        std::function<void()> moveOffscreen;
        std::function<bool(bool Vid_Fullscreen)> Gfx_Init;  // false: Config.ini missing, quit requested
        std::function<void()> centreWindow;
        std::function<void()> Vid_Display_Ctrl_Overlay;
        std::function<bool()> splashCheckBox;  // the splash dialog's chb_splashscreen
        // A stored boolean setting; whenMissing where it is not stored.
        std::function<bool(Setting, bool whenMissing)> readFlag;
        std::function<void(Setting, bool value)> writeFlag;
        std::function<void(const QString& fileName)> openDocument;  // default: openDocument()
        // The Config.ini that pm_6_config opens (default "Config.ini"); for an installed
        // game, the user's own copy.
        std::function<QString()> editableConfig;
        std::function<void()> quit;  // default: QCoreApplication::exit(0)
    };

    // window: the main window; it owns the menu and the shortcut keys, and the key
    // settings command disables it. host: its display-mode state. The check marks of
    // pm_10_fullscreen and pm_12_controller start as the current Vid_Fullscreen and
    // Vid_Ctrl_Overlay.
    PopupMenu(QWidget& window, MenuHost& host, GameMenu& gameMenu, Commands commands);

    // Asks the desktop to open fileName, relative to the working directory, with its
    // associated application. A file that does not exist is not handed on; the outcome
    // is never reported.
    static void openDocument(const QString& fileName);

    // Opens pm_0_menu at a global screen position (right click on the window).
    void popup(const QPoint& globalPos);

    // The items in menu order, separators included (Vid_Menu_Items of the game menu).
    std::array<QAction*, kItemCount> items() const;

    QMenu* const pm_0_menu;
    QAction* const pm_1_about;
    QAction* const pm_2_readme;
    QAction* const pm_3_whatsnew;
    QAction* const pm_4_manual;
    QAction* const pm_5_n1;
    QAction* const pm_6_config;
    QAction* const pm_7_keys;
    QAction* const pm_9_n2;
    QAction* const pm_10_fullscreen;
    QAction* const pm_11_splashscreen;  // the splash dialog's play action sets its check mark
    QAction* const pm_12_controller;
    QAction* const pm_13_n3;
    QAction* const pm_14_exit;

    // Runs before the menu is drawn: refreshes the check marks and enabled states from the
    // window's state and the stored splash setting, and closes the game menu in full-screen
    // mode.
    void pm_0_menuPopup();

private:
    // Item handlers. Connected to QAction::triggered, so for a checkable item they run
    // after the item has inverted its own check mark; choose an item with trigger().
    void pm_1_aboutClick();
    void pm_2_readmeClick();
    void pm_3_whatsnewClick();
    void pm_4_manualClick();
    void pm_6_configClick();
    void pm_7_keysClick();
    void pm_10_fullscreenClick();
    void pm_11_splashscreenClick();
    void pm_12_controllerClick();
    void pm_14_exitClick();

    void addShortcut(QAction* item, const QKeySequence& sequence);
    void showState(const ui::MenuState& state);

    QWidget& window_;
    MenuHost& host_;
    GameMenu& gameMenu_;
    Commands commands_;
};

}  // namespace zn
