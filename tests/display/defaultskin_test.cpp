// The generated default skin: its Config.ini lays out every slot through Gfx_Init without a
// single complaint, and its pictures fit their rectangles and keep the key colour out.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "display/gfxinit.h"
#include "faketarget.h"
#include "tools/skingen/art.h"
#include "tools/skingen/config.h"
#include "tools/skingen/layout.h"

namespace zn {
namespace {

using test::FakeImage;
using test::FakeTarget;

class DefaultSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        ASSERT_TRUE(dir->isValid());
        const QString skin = dir->path() + "/Graphics/Skin";
        QDir().mkpath(skin);
        QDir().mkpath(dir->path() + "/Graphics/Backdrop");
        const skingen::DeviceArt dev = skingen::paintDevice();
        const skingen::ScreenArt scr = skingen::paintScreen();
        pictures = new std::map<QString, QImage>(skingen::skinPictures(dev, scr));
        for (const auto& [name, image] : *pictures) ASSERT_TRUE(image.save(skin + "/" + name, "PNG"));
        QFile ini(dir->path() + "/Config.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(skingen::configText().toUtf8());
    }
    static void TearDownTestSuite() {
        delete dir;
        delete pictures;
    }

    static QTemporaryDir* dir;
    static std::map<QString, QImage>* pictures;
};
QTemporaryDir* DefaultSkin::dir = nullptr;
std::map<QString, QImage>* DefaultSkin::pictures = nullptr;

TEST_F(DefaultSkin, ConfigLaysOutEverySlotWithoutErrors) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir->path());
    FakeTarget window;
    window.dir = dir->path();
    const bool ok = Gfx_Init(window, false);
    QDir::setCurrent(previous);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(window.errors.isEmpty()) << window.errors.join('\n').toStdString();
    EXPECT_EQ(window.clientW, skingen::kGameWidth);
    EXPECT_EQ(window.clientH, skingen::kGameHeight);
    EXPECT_EQ(window.keyColour, 0x00FF00FFu);
    for (int n = 1; n <= kSlotCount; ++n) {
        const FakeImage& image = window.at(slotImage(n));
        const std::string name(imageName(slotImage(n)));
        EXPECT_GT(image.width, 0) << name;
        EXPECT_GT(image.height, 0) << name;
        const bool pictureless =
            name.ends_with("_top") && name.starts_with("btn_") && name != "btn_joystick_top";
        const bool digitPosition = name.starts_with("im_panel_digit_pos_");
        EXPECT_EQ(image.picture.isNull(), pictureless || digitPosition) << name;
        // A picture is drawn clipped to its rectangle: none of it may be cut off.
        if (!image.picture.isNull()) {
            EXPECT_LE(image.picture.width(), image.width) << name;
            EXPECT_LE(image.picture.height(), image.height) << name;
        }
    }
}

TEST_F(DefaultSkin, FiguresLieOnTheScreenAndPressedPicturesOnTheCase) {
    const QRect screen = skingen::kScreen;
    using namespace img;
    auto rect = [](ImageId id) { return skingen::slotSkin(slotOf(id)).rect; };
    std::vector<ImageId> onScreen{im_panel_gameover, im_panel_lives_1, im_panel_lives_2, im_ghost_05_04_b,
                                  im_ghost_06_04_b};
    for (int p = 1; p <= 5; ++p) onScreen.push_back(im_panel_digit_pos(p));  // digit pictures are never shown
    for (int col = 2; col <= 9; ++col)
        for (int row = 1; row <= 7; ++row) {
            if (!isHouse(col, row)) onScreen.insert(onScreen.end(), {im_nibbo(col, row), im_pill(col, row)});
            onScreen.push_back(im_ghost(col, row));
        }
    for (ImageId id : onScreen) EXPECT_TRUE(screen.contains(rect(id))) << imageName(id);
    for (ImageId id : {btn_power_on, btn_select_down, btn_start_down, btn_joystick_top, btn_ctrlr_overlay_up,
                       btn_ctrlr_overlay_left, btn_ctrlr_overlay_right, btn_ctrlr_overlay_down})
        EXPECT_TRUE(skingen::kBody.contains(rect(id))) << imageName(id);
}

TEST_F(DefaultSkin, NoPictureUsesTheKeyColourAndOnlyTheCaseCornersAreClear) {
    for (const auto& [name, image] : *pictures) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        int keyed = 0;
        for (int y = 0; y < argb.height(); ++y)
            for (int x = 0; x < argb.width(); ++x)
                if (qAlpha(argb.pixel(x, y)) > 0 && (argb.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) ++keyed;
        EXPECT_EQ(keyed, 0) << name.toStdString();
    }
    const QImage& body = pictures->at("background.png");
    EXPECT_EQ(qAlpha(body.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(body.pixel(body.width() - 1, body.height() - 1)), 0);
    EXPECT_EQ(qAlpha(body.pixel(body.width() / 2, 5)), 0);
    EXPECT_EQ(qAlpha(body.pixel(body.width() / 2, body.height() / 2)), 255);
    // The rim is hard: no half-transparent pixel that would leave a tinted fringe in a shaped window.
    const QImage argb = body.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(argb.pixel(x, y));
            ASSERT_TRUE(a == 0 || a == 255) << x << "," << y;
        }
}

TEST_F(DefaultSkin, PressedPicturesDifferFromTheCaseAtRest) {
    const QImage& body = pictures->at("background.png");
    const struct {
        const char* file;
        QRect rect;
    } pressed[] = {{"power_on.png", skingen::kPowerRect},
                   {"select_down.png", skingen::buttonRect(skingen::kSelectCentre)},
                   {"start_down.png", skingen::buttonRect(skingen::kStartCentre)}};
    for (const auto& p : pressed) {
        const QImage& down = pictures->at(p.file);
        EXPECT_EQ(down.size(), p.rect.size()) << p.file;
        EXPECT_NE(down.convertToFormat(QImage::Format_ARGB32),
                  body.copy(p.rect).convertToFormat(QImage::Format_ARGB32))
            << p.file;
    }
}

}  // namespace
}  // namespace zn
