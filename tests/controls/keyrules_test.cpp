#include "controls/keyrules.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "controls/clickareas.h"

namespace zn {
namespace {

TEST(KeyTable, DigitsAndLettersCarryTheirCharacterAndEveryKeyIsDistinct) {
    std::set<int> codes;
    std::set<std::string_view> texts;
    for (int i = 1; i <= kKeyTableSize; ++i) {
        const KeyTableEntry& e = keyTableEntry(i);
        codes.insert(e.code);
        texts.insert(e.dialogText);
        if (i > 36) continue;
        const char c = i <= 10 ? static_cast<char>('0' + i - 1) : static_cast<char>('A' + i - 11);
        EXPECT_EQ(e.dialogText, std::string(1, c)) << i;
        EXPECT_EQ(e.hintName, "'" + std::string(1, c) + "'") << i;
        EXPECT_EQ(e.code, static_cast<unsigned char>(c)) << i;
    }
    // The key settings dialog tells keys apart by their texts, the dispatch by their codes.
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kKeyTableSize));
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(kKeyTableSize));
}

struct WebKeyCase {
    const char* code;
    int virtualKey;
};
class WebKeys : public ::testing::TestWithParam<WebKeyCase> {};
TEST_P(WebKeys, GiveTheKeyTablesCodesByThePhysicalKey) {
    EXPECT_EQ(webKeyCode(GetParam().code), GetParam().virtualKey);
}
INSTANTIATE_TEST_SUITE_P(
    Table, WebKeys,
    ::testing::Values(WebKeyCase{"Digit0", 48}, WebKeyCase{"Digit9", 57}, WebKeyCase{"KeyA", 65},
                      WebKeyCase{"KeyZ", 90}, WebKeyCase{"ArrowLeft", 37}, WebKeyCase{"ArrowUp", 38},
                      WebKeyCase{"ArrowRight", 39}, WebKeyCase{"ArrowDown", 40}, WebKeyCase{"AltLeft", 18},
                      WebKeyCase{"AltRight", 18}, WebKeyCase{"ControlLeft", 17}, WebKeyCase{"ControlRight", 17},
                      WebKeyCase{"ShiftLeft", 16}, WebKeyCase{"ShiftRight", 16}, WebKeyCase{"Space", 32},
                      // the keypad and keys outside the table work no control
                      WebKeyCase{"Numpad1", 0}, WebKeyCase{"NumpadEnter", 0}, WebKeyCase{"Enter", 0},
                      WebKeyCase{"F12", 0}, WebKeyCase{"Escape", 0}, WebKeyCase{"", 0}, WebKeyCase{"Key", 0},
                      WebKeyCase{"KeyAA", 0}, WebKeyCase{"keya", 0}, WebKeyCase{"ControlRightX", 0}));

InpKeys defaultKeys() {
    InpKeys keys{};
    for (int i = 1; i <= kBindingCount; ++i) {
        keys[static_cast<std::size_t>(i)].Key_Index = kDefaultKeyIndex[static_cast<std::size_t>(i)];
        AssignWord(keys, i);
    }
    return keys;
}

// Bindings as a fresh install has them, then binding `shares` given the code of binding `of`.
struct KeyCase {
    int shares, of;
    int code;
    int pressed, released;  // 0: none
};
class KeyControls : public ::testing::TestWithParam<KeyCase> {};
TEST_P(KeyControls, TheFirstBindingWithTheCodeWinsAndPowerIsNeverReleased) {
    const KeyCase k = GetParam();
    InpKeys keys = defaultKeys();
    if (k.shares != 0) keys[static_cast<std::size_t>(k.shares)].Key_Code = keys[static_cast<std::size_t>(k.of)].Key_Code;
    const auto number = [](std::optional<Control> c) { return c ? static_cast<int>(*c) : 0; };
    EXPECT_EQ(number(controlPressedByKey(keys, static_cast<std::uint16_t>(k.code))), k.pressed);
    EXPECT_EQ(number(controlReleasedByKey(keys, static_cast<std::uint16_t>(k.code))), k.released);
}
INSTANTIATE_TEST_SUITE_P(
    Table, KeyControls,
    ::testing::Values(KeyCase{0, 0, '1', 1, 0}, KeyCase{0, 0, '2', 2, 2}, KeyCase{0, 0, '3', 3, 3},
                      KeyCase{0, 0, 38, 4, 4}, KeyCase{0, 0, 37, 5, 5}, KeyCase{0, 0, 39, 6, 6},
                      KeyCase{0, 0, 40, 7, 7}, KeyCase{0, 0, 'A', 0, 0}, KeyCase{0, 0, '4', 0, 0},
                      KeyCase{0, 0, 0, 0, 0},
                      KeyCase{6, 4, 38, 4, 4},  // right on up's key: up, the lower binding
                      KeyCase{1, 2, '2', 1, 2},  // power on select's key: select's release runs
                      KeyCase{3, 0, 0, 0, 0}));  // a binding without a code matches no key event

// Binding 2 starts with '2'; then Key_Index becomes index.
struct AssignCase {
    int index;
    int code;
};
class AssignWordTable : public ::testing::TestWithParam<AssignCase> {};
TEST_P(AssignWordTable, TakesTheCodeOfTheIndexedEntryAndKeepsItForAnyOther) {
    InpKeys keys = defaultKeys();
    keys[2].Key_Index = GetParam().index;
    AssignWord(keys, 2);
    AssignWord(keys, 0);  // no binding 0 or 8: nothing happens
    AssignWord(keys, 8);
    EXPECT_EQ(keys[2].Key_Code, GetParam().code);
}
INSTANTIATE_TEST_SUITE_P(Table, AssignWordTable,
                         ::testing::Values(AssignCase{37, 38}, AssignCase{11, 'A'}, AssignCase{1, '0'},
                                           AssignCase{44, 32}, AssignCase{0, '2'}, AssignCase{45, '2'},
                                           AssignCase{-1, '2'}, AssignCase{1000, '2'}));

struct ConflictCase {
    std::array<int, kBindingCount + 1> shown;
    std::array<bool, kBindingCount + 1> conflict;
};
class KeyConflicts : public ::testing::TestWithParam<ConflictCase> {};
TEST_P(KeyConflicts, MarkEveryListSharingItsKey) { EXPECT_EQ(keyConflicts(GetParam().shown), GetParam().conflict); }
constexpr bool o = false, X = true;
INSTANTIATE_TEST_SUITE_P(
    Table, KeyConflicts,
    ::testing::Values(ConflictCase{{0, 2, 3, 4, 37, 39, 40, 38}, {o, o, o, o, o, o, o, o}},
                      ConflictCase{{0, 2, 3, 4, 37, 39, 40, 37}, {o, o, o, o, X, o, o, X}},
                      ConflictCase{{0, 5, 3, 5, 37, 5, 40, 38}, {o, X, o, X, o, X, o, o}},
                      ConflictCase{{0, 1, 2, 1, 2, 5, 6, 7}, {o, X, X, X, X, o, o, o}},
                      // lists showing no key show the same empty text
                      ConflictCase{{0, 0, 2, 3, 4, 5, 6, 45}, {o, X, o, o, o, o, o, X}},
                      ConflictCase{{0, -1, 2, 3, 4, 5, 6, 7}, {o, o, o, o, o, o, o, o}}));

TEST(ClickAreas, ThePicturedButtonsAndTheOverlaysAreTheControlsClickAreas) {
    const std::pair<ImageId, std::optional<Control>> table[] = {
        {img::btn_power_top, Control::Power},
        {img::btn_select_top, Control::Select},
        {img::btn_start_top, Control::Start},
        {img::btn_ctrlr_overlay_up, Control::Up},
        {img::btn_ctrlr_overlay_left, Control::Left},
        {img::btn_ctrlr_overlay_right, Control::Right},
        {img::btn_ctrlr_overlay_down, Control::Down},
        {img::btn_power_on, std::nullopt},
        {img::btn_select_down, std::nullopt},
        {img::btn_joystick_top, std::nullopt},
        {img::im_background, std::nullopt},
        {img::btn_game_menu_top, std::nullopt},
    };
    for (const auto& [image, control] : table) EXPECT_EQ(clickAreaControl(image), control) << index(image);
}

}  // namespace
}  // namespace zn
