#include "input/keytable.h"

#include <gtest/gtest.h>

#include <string>

#include "defaultkeys.h"

namespace zn {
namespace {

using test::defaultKeys;

TEST(Defaults, AreDigitsOneToThreeAndTheArrows) {
    const InpKeys keys = defaultKeys();
    const int codes[] = {0, '1', '2', '3', 38, 37, 39, 40};
    for (int i = 1; i <= kBindingCount; ++i)
        EXPECT_EQ(keys[static_cast<std::size_t>(i)].Key_Code, codes[i]) << i;
}

TEST(Hints, DefaultTextsToTheCharacter) {
    const HintTexts h = hintTexts(defaultKeys(), fillKeyNames(), true);
    EXPECT_EQ(h.power, "click or press '1' to turn on the game");
    EXPECT_EQ(h.select, "click or press '2' to select game");
    EXPECT_EQ(h.start, "click or press '3' to start game");
    EXPECT_EQ(h.joystick,
              "activate the controller overlays or use 'up arrow' key, 'left arrow' key, 'right arrow' key, "
              "'down arrow' key");
    EXPECT_EQ(h.overlayUp, "click or press 'up arrow' key");
    EXPECT_EQ(h.overlayLeft, "click or press 'left arrow' key");
    EXPECT_EQ(h.overlayRight, "click or press 'right arrow' key");
    EXPECT_EQ(h.overlayDown, "click or press 'down arrow' key");
}

TEST(Hints, PowerOffersTheOppositeActionAndFollowTheBindings) {
    InpKeys keys = defaultKeys();
    keys[1].Key_Index = 44;
    keys[7].Key_Index = 36;
    const HintTexts h = hintTexts(keys, fillKeyNames(), false);
    EXPECT_EQ(h.power, "click or press 'spacebar' to turn off the game");
    EXPECT_EQ(h.overlayDown, "click or press 'Z'");
}

TEST(Hints, AnIndexOutsideTheTableShowsNoKey) {
    InpKeys keys = defaultKeys();
    keys[3].Key_Index = 99;
    const HintTexts h = hintTexts(keys, fillKeyNames(), true);
    EXPECT_EQ(h.start, "click or press <no key> to start game");
}

struct QtKeyCase {
    int key;
    Qt::KeyboardModifiers mods;
    std::uint32_t xKeyCode;  // 0: unknown (synthetic events, platforms without X key codes)
    int code;
};
class QtKeys : public ::testing::TestWithParam<QtKeyCase> {};

TEST_P(QtKeys, MapToVirtualKeyCodes) {
    const QtKeyCase c = GetParam();
    EXPECT_EQ(virtualKeyCode(c.key, c.mods, c.xKeyCode), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Table, QtKeys,
    ::testing::Values(
        QtKeyCase{Qt::Key_0, Qt::NoModifier, 0, 48}, QtKeyCase{Qt::Key_9, Qt::NoModifier, 0, 57},
        QtKeyCase{Qt::Key_A, Qt::NoModifier, 0, 65}, QtKeyCase{Qt::Key_Z, Qt::ShiftModifier, 0, 90},
        QtKeyCase{Qt::Key_Left, Qt::NoModifier, 0, 37}, QtKeyCase{Qt::Key_Up, Qt::NoModifier, 0, 38},
        QtKeyCase{Qt::Key_Right, Qt::NoModifier, 0, 39}, QtKeyCase{Qt::Key_Down, Qt::NoModifier, 0, 40},
        QtKeyCase{Qt::Key_Alt, Qt::AltModifier, 0, 18}, QtKeyCase{Qt::Key_Control, Qt::NoModifier, 0, 17},
        QtKeyCase{Qt::Key_Shift, Qt::ShiftModifier, 0, 16}, QtKeyCase{Qt::Key_Space, Qt::NoModifier, 0, 32},
        // the digit row by its X key codes 10..19, whatever the layout types and Shift
        QtKeyCase{Qt::Key_1, Qt::NoModifier, 10, 49},              // us 1
        QtKeyCase{Qt::Key_Exclam, Qt::ShiftModifier, 10, 49},      // us Shift+1
        QtKeyCase{Qt::Key_Ampersand, Qt::NoModifier, 10, 49},      // fr 1 types &
        QtKeyCase{Qt::Key_1, Qt::ShiftModifier, 10, 49},           // fr Shift+1 types 1
        QtKeyCase{Qt::Key_Eacute, Qt::NoModifier, 11, 50},         // fr 2 types é
        QtKeyCase{Qt::Key_section, Qt::ShiftModifier, 12, 51},     // de Shift+3 types §
        QtKeyCase{Qt::Key_Ampersand, Qt::ShiftModifier, 16, 55},   // us Shift+7
        QtKeyCase{Qt::Key_ParenRight, Qt::ShiftModifier, 19, 48},  // us Shift+0
        QtKeyCase{Qt::Key_A, Qt::NoModifier, 24, 65},              // fr: letters follow the layout
        QtKeyCase{Qt::Key_7, Qt::GroupSwitchModifier, 30, 0},      // a digit typed off the digit row
        QtKeyCase{Qt::Key_Ampersand, Qt::NoModifier, 0, 0},        // a symbol is no digit without a key code
        // the keypad matches nothing, digits and arrows alike
        QtKeyCase{Qt::Key_1, Qt::KeypadModifier, 0, 0}, QtKeyCase{Qt::Key_1, Qt::KeypadModifier, 87, 0},
        QtKeyCase{Qt::Key_Up, Qt::KeypadModifier, 80, 0},
        // keys outside the table
        QtKeyCase{Qt::Key_F1, Qt::NoModifier, 67, 0}, QtKeyCase{Qt::Key_Escape, Qt::NoModifier, 9, 0},
        QtKeyCase{Qt::Key_Return, Qt::NoModifier, 36, 0}));

}  // namespace
}  // namespace zn
