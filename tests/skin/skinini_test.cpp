// The Config.ini value rules and the slot table.
#include "skin/skinini.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <optional>
#include <random>
#include <set>
#include <string>

#include "engine/images.h"

namespace zn::skin {
namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;
};

class IntegerSyntax : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerSyntax, ParsesOrRejects) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(parseInteger(c.text), c.value) << "text: \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Values, IntegerSyntax,
    ::testing::Values(
        IntegerCase{"0", 0}, IntegerCase{"747", 747}, IntegerCase{"  12", 12}, IntegerCase{"\t7", 7},
        IntegerCase{"-20", -20}, IntegerCase{"+5", 5}, IntegerCase{"$ff", 255},
        IntegerCase{"$00FF00FF", 0xFF00FF}, IntegerCase{"x1A", 26}, IntegerCase{"X1a", 26},
        IntegerCase{"0x10", 16}, IntegerCase{"0X10", 16}, IntegerCase{"-$10", -16},
        IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"2147483647", 2147483647},
        IntegerCase{"-2147483648", INT32_MIN}, IntegerCase{"007", 7},
        // rejected
        IntegerCase{"", std::nullopt}, IntegerCase{"   ", std::nullopt}, IntegerCase{"-", std::nullopt},
        IntegerCase{"$", std::nullopt}, IntegerCase{"0x", std::nullopt}, IntegerCase{"12 ", std::nullopt},
        IntegerCase{"12px", std::nullopt}, IntegerCase{"1.5", std::nullopt},
        IntegerCase{"Center", std::nullopt}, IntegerCase{"$fg", std::nullopt},
        IntegerCase{"ff", std::nullopt}, IntegerCase{"- 5", std::nullopt}, IntegerCase{"--5", std::nullopt},
        IntegerCase{"#ff", std::nullopt}, IntegerCase{"2147483648", std::nullopt},
        IntegerCase{"-2147483649", std::nullopt}, IntegerCase{"$100000000", std::nullopt},
        IntegerCase{"99999999999999999999999", std::nullopt}));

// Every 32-bit value written in each accepted notation reads back as itself, and random bytes
// never read as anything the notation does not allow.
TEST(IntegerSyntax, RoundTripsEveryNotationAndSurvivesRandomText) {
    std::mt19937 rng(20261207);
    for (int i = 0; i < 20000; ++i) {
        const auto v = static_cast<std::int32_t>(rng());
        char buf[40];
        std::snprintf(buf, sizeof buf, "%d", v);
        ASSERT_EQ(parseInteger(buf), v) << buf;
        const char* prefixes[] = {"$", "x", "X", "0x", "0X"};
        std::snprintf(buf, sizeof buf, "  %s%X", prefixes[i % 5], static_cast<unsigned>(v));
        ASSERT_EQ(parseInteger(buf), v) << buf;
        std::snprintf(buf, sizeof buf, "%s%x", prefixes[i % 5], static_cast<unsigned>(v));
        ASSERT_EQ(parseInteger(buf), v) << buf;
    }
    const std::string alphabet = " +-$xX0123456789abcdefABCDEFg.\t";
    for (int i = 0; i < 20000; ++i) {
        std::string text(rng() % 12, ' ');
        for (char& c : text) c = alphabet[rng() % alphabet.size()];
        const auto v = parseInteger(text);
        if (!v) continue;
        // Anything accepted has digits at the end and no stray character after the prefix.
        ASSERT_FALSE(text.empty());
        ASSERT_TRUE(std::isxdigit(static_cast<unsigned char>(text.back()))) << text;
        ASSERT_EQ(text.find_first_of(".g"), std::string::npos) << text;
    }
}

TEST(IntegerKey, MalformedValueFallsBackToDefault) {
    EXPECT_EQ(integerOr("12", 747), 12);
    EXPECT_EQ(integerOr("twelve", 747), 747);
    EXPECT_EQ(integerOr("", 692), 692);
}

TEST(Colour, KeepsTheLowThreeBytesAndRejectsNonIntegers) {
    EXPECT_EQ(parseColour("$00ff00ff"), 0x00FF00FFu);
    EXPECT_EQ(parseColour("0x123456"), 0x123456u);
    EXPECT_EQ(parseColour("255"), 0xFFu);
    EXPECT_EQ(parseColour("$FF0000FF"), 0xFFu);
    EXPECT_EQ(parseColour("clRed"), std::nullopt);
    EXPECT_EQ(notAnInteger("clRed"), "'clRed' is not a valid integer value");
}

TEST(Offset, AnyZeroOrNonIntegerCentres) {
    for (const char* centred : {"Center", "0", "$0", "0x0", "-0", "000", "", "left"})
        EXPECT_EQ(parseOffset(centred), std::nullopt) << centred;
    EXPECT_EQ(parseOffset("-20"), -20);
    EXPECT_EQ(parseOffset("$10"), 16);
}

TEST(Offset, CentringTruncatesTowardZero) {
    EXPECT_EQ(centredOffset(1024, 692), 166);
    EXPECT_EQ(centredOffset(1025, 692), 166);
    EXPECT_EQ(centredOffset(667, 692), -12);
    EXPECT_EQ(centredOffset(666, 692), -13);
    EXPECT_EQ(centredOffset(INT32_MAX, -static_cast<std::int64_t>(INT32_MAX)), INT32_MAX);
}

TEST(PictureName, OnlyEmptyAndLowerCaseNilNameNoPicture) {
    EXPECT_FALSE(namesPicture(""));
    EXPECT_FALSE(namesPicture("nil"));
    EXPECT_TRUE(namesPicture("Nil"));
    EXPECT_TRUE(namesPicture("NIL"));
    EXPECT_TRUE(namesPicture("nil.png"));
}

TEST(Folder, BackslashesAreSeparatorsAndOneIsAppended) {
    EXPECT_EQ(folderPath("Graphics\\Skin\\"), "Graphics/Skin/");
    EXPECT_EQ(folderPath("Graphics\\Skin"), "Graphics/Skin/");
    EXPECT_EQ(folderPath("skins/blue/"), "skins/blue/");
    EXPECT_EQ(folderPath("/abs/dir"), "/abs/dir/");
    EXPECT_EQ(folderPath(""), "");
    EXPECT_EQ(picturePath("Graphics/Skin/", "sub\\body.png"), "Graphics/Skin/sub/body.png");
    EXPECT_EQ(picturePath("", "body.png"), "body.png");
}

TEST(Extension, LowerCaseAfterTheLastDotOfTheLastComponent) {
    EXPECT_EQ(extensionOf("a/b/body.PNG"), "png");
    EXPECT_EQ(extensionOf("logo.JpEg"), "jpeg");
    EXPECT_EQ(extensionOf("dir.d/noext"), "");
    EXPECT_EQ(extensionOf("dir.d\\noext"), "");
    EXPECT_EQ(extensionOf("trailing."), "");
}

TEST(SkinIni, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
    SkinIni ini;
    ASSERT_EQ(ini.load("[common]\nskindir =  My\\Skin\\  \nGAMEWIDTH=$100\n[Image7]\nFilename=\n"), "");
    EXPECT_EQ(ini.text("Common", "SkinDir", "x"), "My\\Skin\\");
    EXPECT_EQ(ini.integer("Common", "GameWidth", 692), 256);
    EXPECT_EQ(ini.text("Image7", "Filename", "dflt"), "");  // present and empty
    EXPECT_EQ(ini.text("Image8", "Filename", "dflt"), "dflt");
    EXPECT_EQ(ini.integer("Common", "GameHeight", 747), 747);
}

// The reader skips a slot whose section is absent; one with no keys, or keys of no use, is there.
TEST(SkinIni, ASectionIsThereWhateverItHolds) {
    SkinIni ini;
    ASSERT_EQ(ini.load("[common]\n[Image7]\n[ image9 ]\nx=1\n"), "");
    const std::pair<const char*, bool> cases[] = {
        {"Common", true}, {"COMMON", true}, {"Image7", true}, {"image9", true}, {"Image8", false}, {"", false}};
    for (const auto& [section, there] : cases) EXPECT_EQ(ini.hasSection(section), there) << section;
}

TEST(SkinIni, MalformedIntegerYieldsDefault) {
    SkinIni ini;
    ASSERT_EQ(ini.load("[Common]\nGameHeight=tall\n"), "");
    EXPECT_EQ(ini.integer("Common", "GameHeight", 747), 747);
}

TEST(SkinIni, RefusesOversizedTextAndForgetsOldContents) {
    SkinIni ini;
    ASSERT_EQ(ini.load("[Common]\nGameWidth=5\n"), "");
    const std::string huge(kMaxIniBytes + 1, ';');
    EXPECT_NE(ini.load(huge).find("too large"), std::string::npos);
    EXPECT_EQ(ini.integer("Common", "GameWidth", 692), 692);
}

}  // namespace
}  // namespace zn::skin

namespace zn {
namespace {

TEST(SlotTable, FixedAnchorsOfTheConfigSections) {
    const struct {
        int slot;
        const char* name;
    } anchors[] = {{1, "im_background"},         {2, "im_background_screen_top"}, {3, "im_background_screen"},
                   {10, "btn_joystick_top"},     {14, "btn_ctrlr_overlay_down"},  {17, "im_panel_lives_2"},
                   {18, "im_panel_digit_pos_1"}, {22, "im_panel_digit_pos_5"},    {23, "im_panel_number_0"},
                   {32, "im_panel_number_9"},    {33, "im_nibbo_02_07"},          {57, "im_nibbo_02_04"},
                   {60, "im_nibbo_07_04"},       {86, "im_nibbo_09_01"},          {87, "im_pill_02_07"},
                   {140, "im_pill_09_01"},       {141, "im_ghost_02_07"},         {168, "im_ghost_05_04"},
                   {173, "im_ghost_05_04_b"},    {174, "im_ghost_06_04_b"},       {175, "im_ghost_02_03"},
                   {198, "im_ghost_09_01"}};
    for (const auto& a : anchors) EXPECT_EQ(imageName(slotImage(a.slot)), a.name) << "slot " << a.slot;
}

TEST(SlotTable, EverySlotIsADistinctNamedImageOutsideTheMenuAndBackdrop) {
    std::set<int> seen;
    for (int n = 1; n <= kSlotCount; ++n) {
        const ImageId id = slotImage(n);
        EXPECT_FALSE(imageName(id).empty()) << n;
        EXPECT_TRUE(seen.insert(index(id)).second) << "slot " << n << " repeats " << imageName(id);
        EXPECT_EQ(slotOf(id), n) << imageName(id);
    }
    for (ImageId other :
         {img::im_backdrop, img::im_backdrop_logo, img::btn_game_menu_top, img::btn_game_menu_background}) {
        EXPECT_EQ(seen.count(index(other)), 0u) << imageName(other);
        EXPECT_EQ(slotOf(other), 0) << imageName(other);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kImageCount - 4)) << "every other image has a slot";
}

}  // namespace
}  // namespace zn
