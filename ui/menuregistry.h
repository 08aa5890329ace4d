#pragma once
// The device's menu, as both front ends show it: the popup menu's items in menu order with
// their separators, captions, shortcut keys, check marks, enabled states and the command each
// runs, and the rows of the full-screen game menu, which lists the same items. The desktop
// and the page each have their set: the page cannot end the program or open the manual, and
// loads a skin where the desktop edits its configuration file. A host fills MenuState from
// its own state when the menu opens and runs each item's command its own way.
#include <span>
#include <string>
#include <string_view>

namespace zn::ui {

enum class MenuCommand {
    Separator,
    About,
    Readme,
    Whatsnew,
    Manual,
    EditConfig,
    LoadSkin,
    ShareGame,
    SaveReplay,
    OpenReplay,
    KeySettings,
    Fullscreen,
    SplashScreen,
    ControllerOverlays,
    Volume,
    Speed,
    Vibrate,
    Exit,
};

enum class MenuHostKind { Desktop, Page };

// What the host knows when the menu is drawn: the display mode, the controller overlays, and
// whether the splash dialog shows at the next start.
struct MenuState {
    bool fullscreen = false;
    bool controllerOverlays = false;
    bool splashScreen = true;
    bool vibrate = true;  // the page's touch feedback
};

struct MenuItem {
    MenuCommand command;
    std::string_view id;        // the command's name for a host's table of actions; "" for a separator
    std::string_view caption;   // "" for a separator
    std::string_view shortcut;  // the key as the menu names it ("F1", "Esc"); "" for none
    bool checkable;
    std::string_view document = {};  // the file of the game folder the item opens; "" for none
    bool slider = false;             // a slider of 0..100 beside the caption rather than a command
};

// The host's items in menu order, separators included.
std::span<const MenuItem> menuItems(MenuHostKind host);

bool isSeparator(const MenuItem& item);

// A slider item's values: the stored setting it sets, its ends and its step.
struct SliderRange {
    std::string_view setting;
    int low;
    int high;
    int step;
};
SliderRange sliderRange(const MenuItem& item);
// The item the menu shows as its default (bold): About.
bool isDefaultItem(const MenuItem& item);
// A checkable item's check mark follows the state it switches; others have none.
bool menuItemChecked(const MenuItem& item, const MenuState& state);
// Every item works but the manual, which this edition does not have.
bool menuItemEnabled(const MenuItem& item, const MenuState& state);
// The game menu's rows are commands: a slider is only in the popup menu.
bool inGameMenu(const MenuItem& item);

// The full-screen game menu: a button with a three-bar icon in the device's top-left corner
// that unfolds into a translucent panel, one row per menu item under a caption row. In the
// device's client pixels.
namespace gamemenu {
inline constexpr int kRowHeight = 32;
inline constexpr int kOpenWidth = 256;
inline constexpr int kClosedWidth = 36;
inline constexpr int kClosedHeight = 32;
inline constexpr int kCaptionRowHeight = 32;
// The panel's picture, large enough for the longest set of rows.
inline constexpr int kPictureWidth = 256;
inline constexpr int kPictureHeight = 512;
inline constexpr int kPanelAlpha = 204;  // 80 % opaque: the game shows through dimmed
// Command rows: Arial at -12 points, a character cell of 12 x 96 / 72 = 16 pixels.
inline constexpr int kRowFontCell = 16;
// The caption row: three white bars of the icon (x, width, then the top of each), and the
// words in bold, scaled to fill their box exactly.
inline constexpr int kIconBarLeft = 8;
inline constexpr int kIconBarWidth = 20;
inline constexpr int kIconBarTops[] = {10, 15, 20};
inline constexpr std::string_view kCaption = "Game menu";
inline constexpr int kCaptionLeft = 36, kCaptionTop = 9, kCaptionWidth = 89, kCaptionHeight = 12;

// The open panel's height for a number of rows: the caption row and the rows under it.
constexpr int openHeight(int rows) { return kRowHeight * (rows + 1); }
// The text of a command row: three spaces, the caption, and " [V]" when checked.
std::string rowText(std::string_view caption, bool checked);
}  // namespace gamemenu

}  // namespace zn::ui
