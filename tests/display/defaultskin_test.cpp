// The generated default skin: its Config.ini lays out every slot through Gfx_Init without a
// single complaint, and its pictures, at both sizes, fit their rectangles and keep the key colour
// out; the double-size ones show the same drawing as their partners.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
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
        hiRes = new std::map<QString, QImage>(
            skingen::skinPictures(skingen::paintDevice(2), skingen::paintScreen(2)));
        QFile ini(dir->path() + "/Config.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(skingen::configText().toUtf8());
    }
    static void TearDownTestSuite() {
        delete dir;
        delete pictures;
        delete hiRes;
    }

    static QTemporaryDir* dir;
    static std::map<QString, QImage>* pictures;
    static std::map<QString, QImage>* hiRes;  // the @2x partners, by the 1x file name
};
QTemporaryDir* DefaultSkin::dir = nullptr;
std::map<QString, QImage>* DefaultSkin::pictures = nullptr;
std::map<QString, QImage>* DefaultSkin::hiRes = nullptr;

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
    for (const auto* set : {pictures, hiRes}) {  // a zoomed window shapes itself by the @2x body
        const char* size = set == hiRes ? "@2x " : "";
        for (const auto& [name, image] : *set) {
            const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
            int keyed = 0;
            for (int y = 0; y < argb.height(); ++y)
                for (int x = 0; x < argb.width(); ++x)
                    if (qAlpha(argb.pixel(x, y)) > 0 && (argb.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) ++keyed;
            EXPECT_EQ(keyed, 0) << size << name.toStdString();
        }
        const QImage& body = set->at("background.png");
        EXPECT_EQ(qAlpha(body.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(body.pixel(body.width() - 1, body.height() - 1)), 0) << size;
        EXPECT_EQ(qAlpha(body.pixel(body.width() / 2, 5)), 0) << size;
        EXPECT_EQ(qAlpha(body.pixel(body.width() / 2, body.height() / 2)), 255) << size;
        // The rim is hard: no half-transparent pixel that would leave a tinted fringe in a shaped window.
        const QImage argb = body.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y)
            for (int x = 0; x < argb.width(); ++x) {
                const int a = qAlpha(argb.pixel(x, y));
                ASSERT_TRUE(a == 0 || a == 255) << size << x << "," << y;
            }
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

// Each 2 x 2 block of the @2x picture, averaged, gives about the 1x pixel: the same drawing at
// twice the size, not a corner of it or another picture. Edges and text are antialiased at each
// size on its own, so they differ a little.
TEST_F(DefaultSkin, DoubleSizePicturesShowTheSameDrawing) {
    ASSERT_EQ(hiRes->size(), pictures->size());
    for (const auto& [name, small] : *pictures) {
        const QImage a = small.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage b = hiRes->at(name).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(b.size(), a.size() * 2) << name.toStdString();
        double sum = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p[4] = {b.pixel(2 * x, 2 * y), b.pixel(2 * x + 1, 2 * y),
                                   b.pixel(2 * x, 2 * y + 1), b.pixel(2 * x + 1, 2 * y + 1)};
                const QRgb q = a.pixel(x, y);
                for (int shift : {0, 8, 16, 24}) {  // blue, green, red, alpha
                    auto channel = [shift](QRgb c) { return static_cast<int>((c >> shift) & 0xFF); };
                    const double mean = (channel(p[0]) + channel(p[1]) + channel(p[2]) + channel(p[3])) / 4.0;
                    sum += std::abs(mean - channel(q));
                }
            }
        const double meanDiff = sum / (4.0 * a.width() * a.height());
        EXPECT_LT(meanDiff, 2.0)
            << name.toStdString();  // about 0.6 at most; a missed scale gives 13 and more
    }
}

}  // namespace
}  // namespace zn
