// The skin set-up and the skin checker from a description and the facts a host found at the
// files: each case is Config.ini's text, the files that are there, and what the result says.
#include "skin/skinplan.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace zn::skin {
namespace {

using namespace img;
using State = PictureFacts::State;

std::string section(ImageId id) { return "[Image" + std::to_string(slotOf(id)) + "]\n"; }

using File = std::pair<std::string, PictureFacts>;  // a path and what is there

PictureFacts decoded(int w, int h) { return {State::Decoded, w, h, {}}; }

struct Case {
    const char* name;
    std::string ini;
    std::vector<File> files;  // any other file is missing
    bool fullscreen;
    std::vector<std::string> setup;    // describe() of the set-up's result
    std::vector<std::string> checker;  // checkSkin()'s lines
};

std::string n(int v) { return std::to_string(v); }

// What a plan does, one line for each image it changes, then the problems.
std::vector<std::string> describe(const SetupPlan& p) {
    const auto shown = [](Shown s) {
        return std::array{"unchanged", "shown", "hidden"}[static_cast<int>(s)];
    };
    const auto choice = [](PictureChoice c) {
        return std::array{"keep", "file", "placeholder", "pending"}[static_cast<int>(c)];
    };
    std::vector<std::string> out{"client " + n(p.clientWidth) + "x" + n(p.clientHeight) + " game at " +
                                 n(p.gameX) + "," + n(p.gameY)};
    if (p.backdrop.shown != Shown::Unchanged)
        out.push_back("backdrop " + std::string(shown(p.backdrop.shown)) + " " + p.backdrop.path +
                      (p.backdrop.stretch ? " stretched" : ""));
    const PlannedLogo& l = p.logo;
    if (l.shown != Shown::Unchanged)
        out.push_back("logo " + std::string(shown(l.shown)) + " " + l.path + " " + n(l.width) + "x" +
                      n(l.height) + (l.placed ? " at " + n(l.left) + "," + n(l.top) : ""));
    for (const PlannedImage& im : p.images)
        if (im.picture != PictureChoice::Keep || im.width != 0 || im.height != 0)
            out.push_back(std::string(imageName(im.id)) + " " + choice(im.picture) + " " + im.path +
                          (im.partner.empty() ? "" : " partner " + im.partner) + " " + n(im.left) + "," +
                          n(im.top) + " " + n(im.width) + "x" + n(im.height));
    out.push_back(p.menuButton.visible ? "menu button shown" : "menu button hidden");
    for (const std::string& line : p.problems) out.push_back("problem: " + line);
    return out;
}

const std::string kLogoSkin =
    "[Fullscreen]\nBackdropFile=back.png\nBackdropStretch=1\nLogoFile=logo.png\nLogoPosition=";
const std::vector<File> kLogoFiles = {{"Graphics/Backdrop/back.png", decoded(64, 48)},
                                      {"Graphics/Backdrop/logo.png", decoded(40, 20)}};

std::vector<std::string> logoAt(const std::string& where) {
    return {"client 800x600 game at 54,-73", "backdrop shown Graphics/Backdrop/back.png stretched",
            "logo shown Graphics/Backdrop/logo.png 40x20" + where, "menu button shown"};
}

const Case kCases[] = {
    {"pictures from sub-folders, with either separator",
     "[Common]\nSkinDir=art\\\n" + section(im_background) +
         "Filename=sub\\body.png\nLeft=7\nTop=8\nWidth=40\nHeight=30\n" + section(im_background_screen) +
         "Filename=sub/gone.png\n" + section(btn_power_top) + "Filename=Nil\n" + section(btn_power_on) +
         "Filename=nil\nWidth=5\n" + section(im_pill(3, 3)) + "Filename=\n",
     {{"art/sub/body.png", decoded(4, 3)}, {"art/sub/body@2x.png", {State::Present, 0, 0, {}}}},
     false,
     {"client 692x747 game at 0,0", "backdrop hidden ", "logo hidden  0x0",
      "im_background file art/sub/body.png partner art/sub/body@2x.png 7,8 40x30",
      "im_background_screen placeholder art/sub/gone.png 0,0 0x0",
      "btn_power_top placeholder art/Nil 0,0 0x0", "btn_power_on keep  0,0 5x0", "menu button hidden"},
     {"[Image3] Filename: picture 'art/sub/gone.png' is missing",
      "[Image4] Filename: picture 'art/Nil' is missing"}},
    {"the logo in each corner, and any other number leaves it",
     kLogoSkin + "0\n",
     kLogoFiles,
     true,
     logoAt(" at 0,0"),
     {}},
    {"the logo at the top right", kLogoSkin + "1\n", kLogoFiles, true, logoAt(" at 760,0"), {}},
    {"the logo at the bottom left", kLogoSkin + "2\n", kLogoFiles, true, logoAt(" at 0,580"), {}},
    {"the logo at the bottom right", kLogoSkin + "3\n", kLogoFiles, true, logoAt(" at 760,580"), {}},
    {"the logo at no corner",
     kLogoSkin + "7\n",
     kLogoFiles,
     true,
     logoAt(""),
     {"[Fullscreen] LogoPosition: 7 is no corner (0..3); the logo stays at the top left"}},
    {"problems in the order the set-up meets them, each file once",
     "[Common]\nGameWidth=0\nSkinDir=Graphics\\Backdrop\n[Fullscreen]\nBackdropFile=bad.png\nBgColor=red\n"
     "LogoFile=odd.xyz\n" +
         section(im_background) + "Filename=bad.png\n" + section(im_ghost(8, 1)) +
         "Filename=gone.png\nWidth=99999\n",
     {{"Graphics/Backdrop/bad.png", {State::Undecodable, 0, 0, "Picture 'bad' cannot be decoded"}},
      {"Graphics/Backdrop/odd.xyz", {State::Present, 0, 0, {}}}},
     true,
     {"client 800x600 game at 54,-73", "im_background placeholder Graphics/Backdrop/bad.png 54,-73 0x0",
      "im_ghost_08_01 placeholder Graphics/Backdrop/gone.png 54,-73 16384x0", "menu button shown",
      "problem: GameWidth 0 is out of range (1..16384); 692 is used instead.",
      "problem: Picture 'bad' cannot be decoded",
      "problem: 'red' is not a valid integer value ([Fullscreen] BgColor)",
      "problem: Unknown picture file extension (.xyz) of 'Graphics/Backdrop/odd.xyz'",
      "problem: [Image197] Width 99999 is out of range (0..16384); 16384 is used instead."},
     {"[Common] GameWidth: 0 is out of range (1..16384)",
      "[Fullscreen] BackdropFile: Picture 'bad' cannot be decoded",
      "[Fullscreen] BgColor: 'red' is not a valid integer value",
      "[Fullscreen] LogoFile: Unknown picture file extension (.xyz) of 'Graphics/Backdrop/odd.xyz'",
      "[Image197] Filename: picture 'Graphics/Backdrop/gone.png' is missing",
      "[Image197] Width: 99999 is out of range (0..16384)"}},
    {"double-size partners checked for their size, named by a slot as well",
     "[Common]\nSkinDir=s\n" + section(im_background) + "Filename=a.png\n" + section(im_background_screen) +
         "Filename=b.png\n" + section(btn_power_top) + "Filename=c.png\n" + section(btn_power_on) +
         "Filename=c@2x.png\n",
     {{"s/a.png", decoded(4, 4)},
      {"s/a@2x.png", decoded(8, 7)},
      {"s/b.png", decoded(2, 2)},
      {"s/b@2x.png", {State::NotAFile, 0, 0, {}}},
      {"s/c.png", decoded(3, 3)},
      {"s/c@2x.png", {State::Undecodable, 0, 0, "broken"}}},
     false,
     {"client 692x747 game at 0,0", "backdrop hidden ", "logo hidden  0x0",
      "im_background file s/a.png partner s/a@2x.png 0,0 0x0", "im_background_screen file s/b.png 0,0 0x0",
      "btn_power_top file s/c.png partner s/c@2x.png 0,0 0x0", "btn_power_on placeholder s/c@2x.png 0,0 0x0",
      "menu button hidden", "problem: broken"},
     {"[Image1] Filename: picture 's/a@2x.png' is 8 x 7, not twice the 4 x 4 of 's/a.png' (8 x 8)",
      "[Image3] Filename: picture 's/b@2x.png' is not a file", "[Image4] Filename: broken"}},
};

class SkinPlan : public ::testing::TestWithParam<Case> {};

TEST_P(SkinPlan, GivesTheSetUpAndTheCheckersLines) {
    const Case& c = GetParam();
    const SkinText text = readSkinText(c.ini);
    ASSERT_EQ(text.error, "");
    PictureFactTable facts;
    for (const Purpose purpose : {Purpose::Setup, Purpose::Check})
        for (const PictureFile& f : pictureFiles(text.skin, c.fullscreen, purpose))
            facts[f.path].state = State::Missing;
    for (const auto& [path, found] : c.files) facts[path] = found;
    EXPECT_EQ(describe(planSetup(text.skin, c.fullscreen, 800, 600, facts)), c.setup);
    // Every line but the figures' missing pictures, which any of these small skins has.
    std::vector<std::string> lines;
    for (const std::string& line : checkSkin(text.skin, facts))
        if (line.find("has no picture") == std::string::npos && line.find("zero size") == std::string::npos)
            lines.push_back(line);
    EXPECT_EQ(lines, c.checker);
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinPlan, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// The double-size partner of a skin's picture, and of the dialogs' artwork.
TEST(SkinPlan, NamesThePartnerWithAt2xBeforeTheExtension) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Graphics/Skin/body.png", "Graphics/Skin/body@2x.png"},
        {"a.b.png", "a.b@2x.png"},
        {"noextension", "noextension@2x"},
        {"folder.d/noextension", "folder.d/noextension@2x"},
        {".hidden", ".hidden@2x"},
    };
    for (const auto& [path, partner] : cases) EXPECT_EQ(hiResPartnerPath(path), partner) << path;
}

}  // namespace
}  // namespace zn::skin
