// The typed skin description read from Config.ini's text, without a file or a toolkit.
#include "skin/skinreader.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace zn::skin {
namespace {

using Kind = Problem::Kind;

// One value of the description as a number with its problem's kind, for the table below.
struct Read {
    std::int64_t value;
    std::optional<Kind> problem;
};

template <class T>
Read of(const Checked<T>& c) {
    return {static_cast<std::int64_t>(c.value), c.problem ? std::optional(c.problem->kind) : std::nullopt};
}

Read ofOffset(const Checked<std::optional<std::int32_t>>& c) {
    return {c.value ? *c.value : -1, c.problem ? std::optional(c.problem->kind) : std::nullopt};
}

struct ValueCase {
    const char* name;
    const char* text;
    std::function<Read(const SkinDescription&)> pick;
    Read want;
};

const ValueCase kValueCases[] = {
    {"GameWidthMissing", "[Common]\n", [](auto& d) { return of(d.gameWidth); }, {692, {}}},
    {"GameWidthRead", "[Common]\nGameWidth=$20\n", [](auto& d) { return of(d.gameWidth); }, {32, {}}},
    {"GameWidthZero",
     "[Common]\nGameWidth=0\n",
     [](auto& d) { return of(d.gameWidth); },
     {692, Kind::OutOfRange}},
    {"GameHeightText",
     "[common]\ngameheight=tall\n",
     [](auto& d) { return of(d.gameHeight); },
     {747, Kind::NotAnInteger}},
    {"TranspColorDefault", "", [](auto& d) { return of(d.transpColor); }, {0x00ff00ff, {}}},
    {"TranspColorTopByteDropped",
     "[VideoMode]\nTranspColor=$ff123456\n",
     [](auto& d) { return of(d.transpColor); },
     {0x123456, {}}},
    {"BgColorEmpty",
     "[Fullscreen]\nBgColor=\n",
     [](auto& d) { return of(d.bgColor); },
     {0, Kind::NotAnInteger}},
    {"BackdropStretchTwo",
     "[Fullscreen]\nBackdropStretch=2\n",
     [](auto& d) { return of(d.backdropStretch); },
     {2, Kind::NotZeroOrOne}},
    {"LogoPositionFour",
     "[Fullscreen]\nLogoPosition=4\n",
     [](auto& d) { return of(d.logoPosition); },
     {4, Kind::NotACorner}},
    {"LogoPositionMissing", "", [](auto& d) { return of(d.logoPosition); }, {1, {}}},
    {"OffsetCenter",
     "[Fullscreen]\nGameOffsetX=CENTER\n",
     [](auto& d) { return ofOffset(d.gameOffsetX); },
     {-1, {}}},
    {"OffsetPixels",
     "[Fullscreen]\nGameOffsetY=40\n",
     [](auto& d) { return ofOffset(d.gameOffsetY); },
     {40, {}}},
    {"OffsetWord",
     "[Fullscreen]\nGameOffsetY=middle\n",
     [](auto& d) { return ofOffset(d.gameOffsetY); },
     {-1, Kind::NotAnOffset}},
    {"ImageWidthHeld",
     "[Image3]\nWidth=99999\n",
     [](auto& d) { return of(d.imageSections[2].width); },
     {kMaxExtent, Kind::OutOfRange}},
    {"ImageHeightNegative",
     "[Image198]\nHeight=-5\n",
     [](auto& d) { return of(d.imageSections[197].height); },
     {0, Kind::OutOfRange}},
    {"ImageLeftText",
     "[Image1]\nLeft=x\n",
     [](auto& d) { return of(d.imageSections[0].left); },
     {0, Kind::NotAnInteger}},
    {"ImagePlacedHeld",
     "[Image2]\nLeft=65000\n",
     [](auto& d) { return of(d.imageSections[1].placedLeft(1000)); },
     {kMaxPosition, Kind::OutOfRange}},
    {"ImagePlaced",
     "[Image2]\nTop=-10\n",
     [](auto& d) { return of(d.imageSections[1].placedTop(30)); },
     {20, {}}},
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class SkinTextValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(SkinTextValues, ReadsTheValueAndItsProblem) {
    const ValueCase& c = GetParam();
    const SkinText read = readSkinText(c.text);
    ASSERT_EQ(read.error, "");
    const Read got = c.pick(read.skin);
    EXPECT_EQ(got.value, c.want.value);
    EXPECT_EQ(got.problem, c.want.problem);
}

INSTANTIATE_TEST_SUITE_P(Keys, SkinTextValues, ::testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    const char* text;
    std::function<std::string(const SkinDescription&)> pick;
    const char* want;
};

const TextCase kTextCases[] = {
    {"SkinDirDefault", "", [](auto& d) { return d.skinDir; }, "Graphics/Skin/"},
    {"SkinDirSeparatorAdded", "[Common]\nSkinDir=My\\Skin\n", [](auto& d) { return d.skinDir; }, "My/Skin/"},
    {"BackdropFileDefault", "", [](auto& d) { return d.backdropFile; }, "nil"},
    {"LogoFileAsWritten", "[Fullscreen]\nLogoFile=  Logo.PNG  \n", [](auto& d) { return d.logoFile; },
     "Logo.PNG"},
    {"ImageFileName", "[image7]\nfilename=a\\b.png\n", [](auto& d) { return d.imageSections[6].fileName; },
     "a\\b.png"},
    {"SlotSection", "", [](auto& d) { return slotSection(d.imageSections[41].slot); }, "Image42"},
    // A section is a slot's when its name is "Image" and the number, letters in either case;
    // a leading zero, a slot past 198 or anything around the name makes it another section.
    {"ImageSectionUpperCase", "[IMAGE198]\nFilename=a\n", [](auto& d) { return d.imageSections[197].fileName; },
     "a"},
    {"ImageSectionBlanksAround", "[ iMaGe10 ]\nFilename=a\n",
     [](auto& d) { return d.imageSections[9].fileName; }, "a"},
    {"ImageSectionLeadingZero", "[Image07]\nFilename=a\n", [](auto& d) { return d.imageSections[6].fileName; },
     ""},
    {"ImageSectionPastTheSlots", "[Image199]\nFilename=a\n[Image0]\nFilename=b\n[Image]\nFilename=c\n",
     [](auto& d) {
         std::string all;
         for (const ImageSection& s : d.imageSections) all += s.fileName;
         return all;
     },
     ""},
    {"ImageSectionSuffix", "[Image1x]\nFilename=a\n[Image 1]\nFilename=b\n[Images1]\nFilename=c\n",
     [](auto& d) { return d.imageSections[0].fileName; }, ""},
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class SkinTextStrings : public ::testing::TestWithParam<TextCase> {};

TEST_P(SkinTextStrings, ReadsTheTextAsTheSimulatorUsesIt) {
    const TextCase& c = GetParam();
    const SkinText read = readSkinText(c.text);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(c.pick(read.skin), c.want);
}

INSTANTIATE_TEST_SUITE_P(Keys, SkinTextStrings, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SkinText, TooLargeATextIsRefusedWithTheReasonAndNoSkin) {
    std::string text = "[Common]\nGameWidth=300\n";
    text.resize(kMaxIniBytes + 1, ';');
    const SkinText read = readSkinText(text);
    EXPECT_NE(read.error.find("too large"), std::string::npos) << read.error;
    EXPECT_EQ(read.skin.gameWidth.value, 0);
    EXPECT_EQ(read.skin.skinDir, "");
}

}  // namespace
}  // namespace zn::skin
