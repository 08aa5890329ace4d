#include "ui/menuregistry.h"

#include "settings/settingrules.h"

#include <array>

namespace zn::ui {

namespace {

using C = MenuCommand;

constexpr MenuItem separator() { return {C::Separator, "", "", "", false}; }

constexpr MenuItem kAbout{C::About, "about", "About...", "F1", false};
constexpr std::string_view kReadmeCaption = "View 'Readme.txt'";
constexpr std::string_view kWhatsnewCaption = "View 'Whatsnew.txt'";
constexpr MenuItem kKeys{C::KeySettings, "keys", "Key settings", "", false};
constexpr MenuItem kFullscreen{C::Fullscreen, "fullscreen", "Display in fullscreen mode", "F12", true};
constexpr MenuItem kSplash{C::SplashScreen, "splash", "Display splash screen at startup", "", true};
constexpr MenuItem kOverlays{C::ControllerOverlays, "overlays", "Display controller overlays", "", true};

constexpr std::array kDesktopItems = {
    kAbout,
    MenuItem{C::Readme, "readme", kReadmeCaption, "F2", false, "Readme.txt"},
    MenuItem{C::Whatsnew, "whatsnew", kWhatsnewCaption, "F3", false, "Whatsnew.txt"},
    MenuItem{C::Manual, "manual", "View manual", "F4", false},
    separator(),
    MenuItem{C::EditConfig, "config", "Edit configuration file", "", false},
    kKeys,
    separator(),
    kFullscreen,
    kSplash,
    kOverlays,
    separator(),
    MenuItem{C::Exit, "exit", "Exit", "Esc", false},
};

// A page cannot end the program, and loads a skin where the desktop edits its file. It opens
// the documents as the pages made from them at build time (zn-docpage), has a volume and
// touch feedback of its own, and shares, saves and opens recorded games.
// clang-format off
constexpr std::array kPageItems = {
    kAbout,
    MenuItem{C::Readme, "readme", kReadmeCaption, "F2", false, "Readme.html"},
    MenuItem{C::Whatsnew, "whatsnew", kWhatsnewCaption, "F3", false, "Whatsnew.html"},
    separator(),
    MenuItem{C::LoadSkin, "skin", "Load a skin...", "", false},
    MenuItem{C::ShareGame, "share", "Share this game...", "", false},
    MenuItem{C::SaveReplay, "savereplay", "Save replay...", "", false},
    MenuItem{C::OpenReplay, "openreplay", "Open a replay...", "", false},
    kKeys,
    separator(),
    kFullscreen,
    kSplash,
    kOverlays,
    separator(),
    MenuItem{C::Volume, "volume", "Volume", "", false, "", true},
    MenuItem{C::Speed, "speed", "Speed", "", false, "", true},
    MenuItem{C::Vibrate, "vibrate", "Vibrate on touch", "", true},
};
// clang-format on

}  // namespace

std::span<const MenuItem> menuItems(MenuHostKind host) {
    if (host == MenuHostKind::Page) return kPageItems;
    return kDesktopItems;
}

bool isSeparator(const MenuItem& item) { return item.command == C::Separator; }

SliderRange sliderRange(const MenuItem& item) {
    if (item.command == C::Speed) {
        const int low = kSpeeds[0], high = kSpeeds[std::size(kSpeeds) - 1];
        return {"Speed", low, high, kSpeeds[1] - kSpeeds[0]};
    }
    return {"Volume", 0, 100, 1};
}

bool isDefaultItem(const MenuItem& item) { return item.command == C::About; }

bool menuItemChecked(const MenuItem& item, const MenuState& state) {
    switch (item.command) {
        case C::Fullscreen:
            return state.fullscreen;
        case C::SplashScreen:
            return state.splashScreen;
        case C::ControllerOverlays:
            return state.controllerOverlays;
        case C::Vibrate:
            return state.vibrate;
        default:
            return false;
    }
}

bool menuItemEnabled(const MenuItem& item, const MenuState&) { return item.command != C::Manual; }

bool inGameMenu(const MenuItem& item) { return !item.slider; }

std::string gamemenu::rowText(std::string_view caption, bool checked) {
    std::string text = "   ";
    text += caption;
    if (checked) text += " [V]";
    return text;
}

}  // namespace zn::ui
