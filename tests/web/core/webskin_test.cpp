// The set-up's result is what the desktop applies: the same Config.ini text laid out by Gfx_Init
// on an in-memory window and planned from the text alone (as the page asks zn.wasm) gives the
// same window, the same rectangles and the same error box, and the skin checker lists the same
// problems (no picture is there: the desktop checker's lines about them are left out).
#include "web/core/webskin.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "skin/skinproblems.h"
#include "tests/display/faketarget.h"
#include "tools/skincheck/skincheck.h"

namespace zn::web {
namespace {

struct Case {
    const char* name;
    std::string ini;
};

std::string manyProblems() {
    std::string s = "[Common]\nGameWidth=0\nGameHeight=20000\n[VideoMode]\nTranspColor=purple\n"
                    "[Fullscreen]\nBgColor=$zz\nGameOffsetX=70000\nGameOffsetY=-12\n";
    for (int slot = 1; slot <= 14; ++slot)
        s += "[Image" + std::to_string(slot) + "]\nWidth=99999\nLeft=-70000\nTop=12\nHeight=-1\n";
    return s;
}

const Case kCases[] = {
    {"empty", ""},
    {"defaults written out",
     "[Common]\nGameWidth=400\nGameHeight=300\nSkinDir=Graphics\\Skin\n[VideoMode]\nTranspColor=$00FF00\n"
     "[Image1]\nFileName=background.png\nLeft=0\nTop=0\nWidth=400\nHeight=300\n"
     "[Image30]\nFileName=nil\nLeft=17\nTop=$20\nWidth=8\nHeight=9\n"},
    {"centred with offsets", "[Common]\nGameWidth=300\nGameHeight=200\n[Fullscreen]\nGameOffsetX=Center\n"
                             "GameOffsetY=25\nBgColor=255\n[Image5]\nLeft=10\nTop=10\nWidth=5\nHeight=5\n"},
    {"more problems than the box shows", manyProblems()},
    {"what only the checker lists",
     "[Fullscreen]\nBackdropStretch=2\nLogoPosition=7\nGameOffsetY=middle\n[Image4]\nLeft=abc\nTop=0\n"
     "Width=50\nHeight=50\n[Image6]\nLeft=10\nTop=10\nWidth=50\nHeight=50\n[Image8]\nLeft=600\nTop=700\n"
     "Width=200\nHeight=100\n"},
};

class WebSkinTest : public ::testing::TestWithParam<bool> {};

TEST_P(WebSkinTest, LaysTheSkinOutAsGfxInit) {
    const bool fullscreen = GetParam();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(tmp.path());
        QFile f(tmp.path() + "/Config.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.ini.data(), static_cast<qint64>(c.ini.size()));
        f.close();
        test::FakeTarget desktop;
        desktop.dir = tmp.path();
        desktop.screenW = 1366;
        desktop.screenH = 777;
        ASSERT_TRUE(test::Gfx_Init(desktop, fullscreen));
        QDir::setCurrent(previous);
        std::vector<std::string> checker;
        for (const QString& line : skincheck::checkSkin(tmp.path() + "/Config.ini"))
            if (!line.contains(QLatin1String(": picture '"))) checker.push_back(line.toStdString());

        const skin::SkinText text = skin::readSkinText(c.ini);
        ASSERT_EQ(text.error, "");
        const skin::PictureFactTable none;  // no picture looked at: none reported
        const skin::SetupPlan web = skin::planSetup(text.skin, fullscreen, desktop.screenW, desktop.screenH, none);
        EXPECT_EQ(web.clientWidth, desktop.clientW);
        EXPECT_EQ(web.clientHeight, desktop.clientH);
        EXPECT_EQ(web.background, desktop.background);
        EXPECT_EQ(web.keyTransparent, desktop.keyOn);
        if (web.keyTransparent) {
            EXPECT_EQ(web.keyColour, desktop.keyColour);
        }
        EXPECT_EQ(web.gameX, desktop.gameArea.x());
        EXPECT_EQ(web.gameY, desktop.gameArea.y());
        EXPECT_EQ(web.gameWidth, desktop.gameArea.width());
        EXPECT_EQ(web.gameHeight, desktop.gameArea.height());
        ASSERT_EQ(web.images.size(), static_cast<std::size_t>(kSlotCount));
        for (const skin::PlannedImage& p : web.images) {
            const test::FakeImage& d = desktop.images[index(p.id)];
            ASSERT_EQ(p.id, slotImage(p.slot));
            EXPECT_EQ(p.left, d.left) << "slot " << p.slot;
            EXPECT_EQ(p.top, d.top) << "slot " << p.slot;
            EXPECT_EQ(p.width, d.width) << "slot " << p.slot;
            EXPECT_EQ(p.height, d.height) << "slot " << p.slot;
        }
        std::string box;
        for (const std::string& line : skin::boxLines(web.problems)) box += (box.empty() ? "" : "\n") + line;
        EXPECT_EQ(box, desktop.errors.join(QLatin1Char(10)).toStdString());
        std::vector<std::string> lines;
        for (const std::string& line : skin::checkSkin(text.skin, none)) lines.push_back(line);
        EXPECT_FALSE(checker.empty()) << "every case leaves figures without pictures";
        EXPECT_EQ(lines, checker);
    }
}

INSTANTIATE_TEST_SUITE_P(BothModes, WebSkinTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fullscreen" : "Windowed"; });

// A text that gives no skin gets the desktop's fatal message and nothing else.
TEST(WebSkin, FatalTextsAreTheDesktops) {
    EXPECT_EQ(skinPlanJson(std::string(4u << 20 | 1u, ';'), false, 0, 0, {}),
              "{\"error\":\"Configuration file (Config.ini) is too large (4194305 bytes; the limit is 4194304 "
              "bytes).\"}");
}

}  // namespace
}  // namespace zn::web

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
