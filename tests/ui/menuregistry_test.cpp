#include "ui/menuregistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zn::ui {
namespace {

// An item as a line: id, caption, shortcut, "check" for a checkable item and the document it
// opens; "-" a separator.
std::vector<std::string> lines(MenuHostKind host) {
    std::vector<std::string> out;
    for (const MenuItem& item : menuItems(host)) {
        if (isSeparator(item)) {
            out.push_back("-");
            continue;
        }
        std::string line =
            std::string(item.id) + "|" + std::string(item.caption) + "|" + std::string(item.shortcut);
        if (item.checkable) line += "|check";
        if (item.slider) line += "|slider";
        if (!inGameMenu(item)) line += "|not in the game menu";
        if (!item.document.empty()) line += "|opens " + std::string(item.document);
        out.push_back(line);
    }
    return out;
}

TEST(MenuRegistry, EachHostHasItsItemsInMenuOrder) {
    // The page opens the pages made from the documents.
    auto about = [](std::string_view kind) {
        return std::vector<std::string>{
            "about|About...|F1", "readme|View 'Readme.txt'|F2|opens Readme." + std::string(kind),
            "whatsnew|View 'Whatsnew.txt'|F3|opens Whatsnew." + std::string(kind)};
    };
    const std::vector<std::string> display = {"fullscreen|Display in fullscreen mode|F12|check",
                                              "splash|Display splash screen at startup||check",
                                              "overlays|Display controller overlays||check"};
    struct Case {
        MenuHostKind host;
        std::string_view documents;
        std::vector<std::string> middle;  // between the documents and the display items
        std::vector<std::string> end;     // after them
    };
    // The page cannot open the manual or end the program, and loads a skin where the desktop
    // edits its configuration file; it has a volume and touch feedback of its own, and its
    // items for recorded games.
    const Case cases[] = {
        {MenuHostKind::Desktop,
         "txt",
         {"manual|View manual|F4", "-", "config|Edit configuration file|", "keys|Key settings|", "-"},
         {"-", "exit|Exit|Esc"}},
        {MenuHostKind::Page,
         "html",
         {"-", "skin|Load a skin...|", "share|Share this game...|", "savereplay|Save replay...|",
          "openreplay|Open a replay...|", "keys|Key settings|", "-"},
         {"-", "volume|Volume||slider|not in the game menu", "speed|Speed||slider|not in the game menu",
          "vibrate|Vibrate on touch||check"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> want = about(c.documents);
        want.insert(want.end(), c.middle.begin(), c.middle.end());
        want.insert(want.end(), display.begin(), display.end());
        want.insert(want.end(), c.end.begin(), c.end.end());
        EXPECT_EQ(lines(c.host), want) << static_cast<int>(c.host);
    }
}

TEST(MenuRegistry, ChecksFollowTheStateAndOnlyTheManualIsDisabled) {
    struct Case {
        MenuState state;
        bool fullscreen, splash, overlays, vibrate;
    };
    const Case cases[] = {
        {{false, false, false, false}, false, false, false, false},
        {{true, false, false, false}, true, false, false, false},
        {{false, true, false, false}, false, false, true, false},
        {{false, false, true, false}, false, true, false, false},
        {{false, false, false, true}, false, false, false, true},
        {{true, true, true, true}, true, true, true, true},
    };
    for (MenuHostKind host : {MenuHostKind::Desktop, MenuHostKind::Page})
        for (const Case& c : cases) {
            for (const MenuItem& item : menuItems(host)) {
                SCOPED_TRACE(std::string(item.id));
                bool want = false;
                if (item.command == MenuCommand::Fullscreen) want = c.fullscreen;
                if (item.command == MenuCommand::SplashScreen) want = c.splash;
                if (item.command == MenuCommand::ControllerOverlays) want = c.overlays;
                if (item.command == MenuCommand::Vibrate) want = c.vibrate;
                EXPECT_EQ(menuItemChecked(item, c.state), want);
                EXPECT_EQ(menuItemEnabled(item, c.state), item.command != MenuCommand::Manual);
                EXPECT_EQ(isDefaultItem(item), item.command == MenuCommand::About);
            }
        }
}

TEST(GameMenuRows, RowTextAndPanelHeightFollowTheItems) {
    const struct {
        const char* caption;
        bool checked;
        const char* text;
    } rows[] = {
        {"About...", false, "   About..."},
        {"Display in fullscreen mode", true, "   Display in fullscreen mode [V]"},
        {"", false, "   "},
    };
    for (const auto& r : rows) EXPECT_EQ(gamemenu::rowText(r.caption, r.checked), r.text);
    // The caption row and one row per item of the game menu: the desktop's 13 items fill 448
    // pixels, the page's 15 (its volume slider stays in the popup menu) the whole picture, 512.
    const std::pair<MenuHostKind, int> heights[] = {{MenuHostKind::Desktop, 448}, {MenuHostKind::Page, 512}};
    for (const auto& [host, height] : heights) {
        int rows = 0;
        for (const MenuItem& item : menuItems(host)) rows += inGameMenu(item) ? 1 : 0;
        EXPECT_EQ(gamemenu::openHeight(rows), height);
        EXPECT_LE(gamemenu::openHeight(rows), gamemenu::kPictureHeight);
    }
}

}  // namespace
}  // namespace zn::ui
