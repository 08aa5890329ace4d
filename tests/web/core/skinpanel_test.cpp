// What the page's skin panel asks zn.wasm: the Config.ini of a dropped folder (the one nearest
// the top, its name in any case, the first of those as near) and the checker's closing line.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "skin/skinchecks.h"
#include "web/core/webskin.h"

namespace zn::web {
namespace {

using namespace std::string_literals;

TEST(SkinPanel, TheConfigIniOfADroppedFolder) {
    const std::pair<std::string, int> cases[] = {
        {""s, -1},
        {"Blue/a.png\0Blue/Config.ini.bak\0Blue/xconfig.ini"s, -1},
        {"Blue/Skins/Red/Config.ini\0Blue/a.png\0Blue/CONFIG.INI\0Red/config.ini"s, 2},
        {"Blue/Config.ini\0config.ini"s, 1},
    };
    for (const auto& [paths, ini] : cases) EXPECT_EQ(skinIniOf(paths), ini) << paths;
}

TEST(SkinPanel, TheCheckersClosingLine) {
    EXPECT_EQ(skin::checkSummary("Blue/Config.ini", 0), "Blue/Config.ini: no problems found");
    EXPECT_EQ(skin::checkSummary("Blue/Config.ini", 1), "Blue/Config.ini: 1 problem");
    EXPECT_EQ(skin::checkSummary("Config.ini", 13), "Config.ini: 13 problems");
}

}  // namespace
}  // namespace zn::web
