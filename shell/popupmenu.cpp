#include "shell/popupmenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QUrl>

#include "display/dialogart.h"
#include "display/gamemenu.h"
#include "display/menuhost.h"
#include "ui/menuregistry.h"

namespace zn {

namespace {

// The desktop's items, in the order the members below take them.
ui::MenuItem entry(int index) {
    return ui::menuItems(ui::MenuHostKind::Desktop)[static_cast<std::size_t>(index)];
}

// Item `index` of the desktop's menu as the QAction named `name`. A separator has no
// caption: the menu's style would print one beside the line.
QAction* addItem(QMenu* menu, const char* name, int index) {
    const ui::MenuItem e = entry(index);
    auto* item = new QAction(qtText(e.caption), menu);
    item->setObjectName(QString::fromLatin1(name));
    item->setSeparator(ui::isSeparator(e));
    item->setCheckable(e.checkable);
    menu->addAction(item);
    return item;
}

void run(const std::function<void()>& f) {
    if (f) f();
}

}  // namespace

PopupMenu::PopupMenu(QWidget& window, MenuHost& host, GameMenu& gameMenu, Commands commands)
    : QObject(&window),
      pm_0_menu(new QMenu(&window)),
      pm_1_about(addItem(pm_0_menu, "pm_1_about", 0)),
      pm_2_readme(addItem(pm_0_menu, "pm_2_readme", 1)),
      pm_3_whatsnew(addItem(pm_0_menu, "pm_3_whatsnew", 2)),
      pm_4_manual(addItem(pm_0_menu, "pm_4_manual", 3)),
      pm_5_n1(addItem(pm_0_menu, "pm_5_n1", 4)),
      pm_6_config(addItem(pm_0_menu, "pm_6_config", 5)),
      pm_7_keys(addItem(pm_0_menu, "pm_7_keys", 6)),
      pm_9_n2(addItem(pm_0_menu, "pm_9_n2", 7)),
      pm_10_fullscreen(addItem(pm_0_menu, "pm_10_fullscreen", 8)),
      pm_11_splashscreen(addItem(pm_0_menu, "pm_11_splashscreen", 9)),
      pm_12_controller(addItem(pm_0_menu, "pm_12_controller", 10)),
      pm_13_n3(addItem(pm_0_menu, "pm_13_n3", 11)),
      pm_14_exit(addItem(pm_0_menu, "pm_14_exit", 12)),
      window_(window),
      host_(host),
      gameMenu_(gameMenu),
      commands_(std::move(commands)) {
    pm_0_menu->setObjectName(QStringLiteral("pm_0_menu"));
    if (!commands_.openDocument) commands_.openDocument = &PopupMenu::openDocument;
    if (!commands_.quit) commands_.quit = [] { QCoreApplication::exit(0); };
    for (int i = 0; i < kItemCount; ++i) {
        const ui::MenuItem e = entry(i);
        if (ui::isDefaultItem(e)) pm_0_menu->setDefaultAction(items()[i]);
        if (!e.shortcut.empty()) addShortcut(items()[i], QKeySequence::fromString(qtText(e.shortcut)));
    }
    // The splash screen's mark comes with the first opening, or from the splash dialog's play.
    showState({host_.fullscreen(), host_.ctrlOverlay(), false});

    connect(pm_0_menu, &QMenu::aboutToShow, this, &PopupMenu::pm_0_menuPopup);
    connect(pm_1_about, &QAction::triggered, this, &PopupMenu::pm_1_aboutClick);
    connect(pm_2_readme, &QAction::triggered, this, &PopupMenu::pm_2_readmeClick);
    connect(pm_3_whatsnew, &QAction::triggered, this, &PopupMenu::pm_3_whatsnewClick);
    connect(pm_4_manual, &QAction::triggered, this, &PopupMenu::pm_4_manualClick);
    connect(pm_6_config, &QAction::triggered, this, &PopupMenu::pm_6_configClick);
    connect(pm_7_keys, &QAction::triggered, this, &PopupMenu::pm_7_keysClick);
    connect(pm_10_fullscreen, &QAction::triggered, this, &PopupMenu::pm_10_fullscreenClick);
    connect(pm_11_splashscreen, &QAction::triggered, this, &PopupMenu::pm_11_splashscreenClick);
    connect(pm_12_controller, &QAction::triggered, this, &PopupMenu::pm_12_controllerClick);
    connect(pm_14_exit, &QAction::triggered, this, &PopupMenu::pm_14_exitClick);
}

// The item shows its key in the menu, but the key is taken by a shortcut of the main
// window: it works while the window is active and enabled, and it is consumed even when
// the item is disabled, so F4 never reaches the game's key handling. The item's own
// shortcut is bound to the menu widget, which never holds the focus: while the menu is
// open, Esc closes the menu and not the simulator.
void PopupMenu::addShortcut(QAction* item, const QKeySequence& sequence) {
    item->setShortcut(sequence);
    item->setShortcutContext(Qt::WidgetShortcut);
    item->setShortcutVisibleInContextMenu(true);
    auto* shortcut = new QShortcut(sequence, &window_);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, item, [item] {
        if (item->isEnabled()) item->trigger();
    });
}

void PopupMenu::openDocument(const QString& fileName) {
    const QFileInfo file(QDir::current(), fileName);
    if (!file.exists()) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void PopupMenu::popup(const QPoint& globalPos) { pm_0_menu->popup(globalPos); }

std::array<QAction*, PopupMenu::kItemCount> PopupMenu::items() const {
    return {pm_1_about,       pm_2_readme, pm_3_whatsnew, pm_4_manual,      pm_5_n1,
            pm_6_config,      pm_7_keys,   pm_9_n2,       pm_10_fullscreen, pm_11_splashscreen,
            pm_12_controller, pm_13_n3,    pm_14_exit};
}

void PopupMenu::showState(const ui::MenuState& state) {
    for (int i = 0; i < kItemCount; ++i) {
        const ui::MenuItem e = entry(i);
        items()[i]->setEnabled(ui::menuItemEnabled(e, state));
        if (e.checkable) items()[i]->setChecked(ui::menuItemChecked(e, state));
    }
}

void PopupMenu::pm_0_menuPopup() {
    const bool boxTicked = commands_.splashCheckBox ? commands_.splashCheckBox() : true;
    const bool splash = commands_.readFlag ? commands_.readFlag(Setting::SplashScreen, boxTicked) : boxTicked;
    showState({host_.fullscreen(), host_.ctrlOverlay(), splash});
    if (host_.fullscreen() && gameMenu_.isOpen()) gameMenu_.close();
}

void PopupMenu::pm_1_aboutClick() { run(commands_.showAbout); }

void PopupMenu::pm_2_readmeClick() { commands_.openDocument(qtText(entry(1).document)); }

void PopupMenu::pm_3_whatsnewClick() { commands_.openDocument(qtText(entry(2).document)); }

void PopupMenu::pm_4_manualClick() {}

void PopupMenu::pm_6_configClick() {
    commands_.openDocument(commands_.editableConfig ? commands_.editableConfig()
                                                    : QStringLiteral("Config.ini"));
}

// The key settings dialog enables the main window again when it closes.
void PopupMenu::pm_7_keysClick() {
    run(commands_.showKeySettings);
    window_.setEnabled(false);
}

// Rebuilds the window for the other display mode; the game carries on untouched.
void PopupMenu::pm_10_fullscreenClick() {
    host_.setFullscreen(!host_.fullscreen());
    pm_10_fullscreen->setChecked(host_.fullscreen());
    gameMenu_.close();
    if (commands_.writeFlag) commands_.writeFlag(Setting::FullscreenMode, host_.fullscreen());
    run(commands_.moveOffscreen);
    // A missing Config.ini has been reported and the end requested; the window stays put.
    const bool laidOut = commands_.Gfx_Init ? commands_.Gfx_Init(host_.fullscreen()) : false;
    if (laidOut) run(commands_.centreWindow);
}

void PopupMenu::pm_11_splashscreenClick() {
    if (commands_.writeFlag) commands_.writeFlag(Setting::SplashScreen, pm_11_splashscreen->isChecked());
}

void PopupMenu::pm_12_controllerClick() {
    host_.setCtrlOverlay(pm_12_controller->isChecked());
    if (commands_.writeFlag) commands_.writeFlag(Setting::CtrlrOverlay, host_.ctrlOverlay());
    run(commands_.Vid_Display_Ctrl_Overlay);
}

void PopupMenu::pm_14_exitClick() { commands_.quit(); }

}  // namespace zn
