#include "controls/keyrules.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <utility>

#include "controls/clickareas.h"

namespace zn {
namespace {

int number(std::optional<Control> c) { return c ? static_cast<int>(*c) : 0; }

// The key settings dialog tells keys apart by their texts, the dispatch by their codes.
TEST(KeyTable, EveryKeyHasATextAndACodeOfItsOwn) {
    std::set<int> codes;
    std::set<std::string_view> texts;
    for (int i = 1; i <= kKeyTableSize; ++i) {
        codes.insert(keyTableEntry(i).code);
        texts.insert(keyTableEntry(i).dialogText);
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kKeyTableSize));
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(kKeyTableSize));
}

// The keypad and keys outside the table work no control.
TEST(WebKeys, GiveTheKeyTablesCodesByThePhysicalKey) {
    const std::pair<const char*, int> table[] = {
        {"Digit0", 48},      {"Digit9", 57},      {"KeyA", 65},
        {"KeyZ", 90},        {"ArrowLeft", 37},   {"ArrowUp", 38},
        {"ArrowRight", 39},  {"ArrowDown", 40},   {"AltLeft", 18},
        {"AltRight", 18},    {"ControlLeft", 17}, {"ControlRight", 17},
        {"ShiftLeft", 16},   {"ShiftRight", 16},  {"Space", 32},
        {"Numpad1", 0},      {"NumpadEnter", 0},  {"Enter", 0},
        {"F12", 0},          {"Escape", 0},       {"", 0},
        {"Key", 0},          {"KeyAA", 0},        {"keya", 0},
        {"ControlRightX", 0}};
    for (const auto& [code, virtualKey] : table) EXPECT_EQ(webKeyCode(code), virtualKey) << code;
}

InpKeys defaultKeys() {
    InpKeys keys{};
    for (int i = 1; i <= kBindingCount; ++i) {
        keys[static_cast<std::size_t>(i)].Key_Index = kDefaultKeyIndex[static_cast<std::size_t>(i)];
        AssignWord(keys, i);
    }
    return keys;
}

// Bindings as a fresh install has them, then binding `shares` given the code of binding `of`
// (0: none); the control a key's press and release work (0: none). Right on up's key: up, the
// lower binding; power on select's key: select's release runs; a binding without a code
// matches no key event.
TEST(KeyControls, TheFirstBindingWithTheCodeWinsAndPowerIsNeverReleased) {
    struct Case {
        int shares, of, code, pressed, released;
    };
    const Case table[] = {{0, 0, '1', 1, 0}, {0, 0, '2', 2, 2}, {0, 0, '3', 3, 3}, {0, 0, 38, 4, 4},
                          {0, 0, 37, 5, 5},  {0, 0, 39, 6, 6},  {0, 0, 40, 7, 7},  {0, 0, 'A', 0, 0},
                          {0, 0, '4', 0, 0}, {0, 0, 0, 0, 0},   {6, 4, 38, 4, 4},  {1, 2, '2', 1, 2},
                          {3, 0, 0, 0, 0}};
    for (const Case& k : table) {
        InpKeys keys = defaultKeys();
        if (k.shares != 0)
            keys[static_cast<std::size_t>(k.shares)].Key_Code = keys[static_cast<std::size_t>(k.of)].Key_Code;
        const auto code = static_cast<std::uint16_t>(k.code);
        EXPECT_EQ(number(controlPressedByKey(keys, code)), k.pressed) << k.shares << " " << k.code;
        EXPECT_EQ(number(controlReleasedByKey(keys, code)), k.released) << k.shares << " " << k.code;
    }
}

TEST(AssignWord, TakesTheCodeOfTheIndexedEntryAndKeepsItForAnyOther) {
    // Binding 2 starts with '2'; then Key_Index becomes the index.
    const std::pair<int, int> table[] = {{37, 38}, {11, 'A'}, {1, '0'},  {44, 32},
                                         {0, '2'}, {45, '2'}, {-1, '2'}, {1000, '2'}};
    for (const auto& [index, code] : table) {
        InpKeys keys = defaultKeys();
        keys[2].Key_Index = index;
        AssignWord(keys, 2);
        AssignWord(keys, 0);  // no binding 0 or 8: nothing happens
        AssignWord(keys, 8);
        EXPECT_EQ(keys[2].Key_Code, code) << index;
    }
}

TEST(KeyConflicts, MarkEveryListSharingItsKey) {
    using Lists = std::array<int, kBindingCount + 1>;  // the index each list shows; [0] unused
    constexpr bool o = false, X = true;
    const std::pair<Lists, std::array<bool, kBindingCount + 1>> table[] = {
        {{0, 2, 3, 4, 37, 39, 40, 38}, {o, o, o, o, o, o, o, o}},
        {{0, 2, 3, 4, 37, 39, 40, 37}, {o, o, o, o, X, o, o, X}},
        {{0, 5, 3, 5, 37, 5, 40, 38}, {o, X, o, X, o, X, o, o}},
        {{0, 1, 2, 1, 2, 5, 6, 7}, {o, X, X, X, X, o, o, o}},
        // lists showing no key show the same empty text
        {{0, 0, 2, 3, 4, 5, 6, 45}, {o, X, o, o, o, o, o, X}},
        {{0, -1, 2, 3, 4, 5, 6, 7}, {o, o, o, o, o, o, o, o}},
    };
    for (const auto& [shown, conflict] : table)
        EXPECT_EQ(keyConflicts(shown), conflict) << shown[1] << ".." << shown[7];
}

TEST(ClickAreas, ThePicturedButtonsAndTheOverlaysAreTheControlsClickAreas) {
    const std::pair<ImageId, int> table[] = {
        {img::btn_power_top, 1},          {img::btn_select_top, 2},         {img::btn_start_top, 3},
        {img::btn_ctrlr_overlay_up, 4},   {img::btn_ctrlr_overlay_left, 5}, {img::btn_ctrlr_overlay_right, 6},
        {img::btn_ctrlr_overlay_down, 7}, {img::btn_power_on, 0},           {img::btn_select_down, 0},
        {img::btn_joystick_top, 0},       {img::im_background, 0},          {img::btn_game_menu_top, 0},
    };
    for (const auto& [image, control] : table)
        EXPECT_EQ(number(clickAreaControl(image)), control) << index(image);
}

}  // namespace
}  // namespace zn
