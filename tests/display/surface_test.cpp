// The painted surface on the offscreen platform: what a change repaints, what is drawn,
// which image takes a click, and the window's shape in windowed mode.
#include "display/surface.h"

#include <gtest/gtest.h>

#include <QBitmap>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace zn {
namespace {

constexpr std::uint32_t kMagenta = 0x00ff00ff;  // 0x00BBGGRR

QImage solid(int w, int h, QColor c) {
    QImage im(w, h, QImage::Format_ARGB32);
    im.fill(c);
    return im;
}

void place(Surface& s, ImageId id, QRect r, const QImage& picture) {
    s.setPicture(id, picture);
    s.setImageLeft(id, r.left());
    s.setImageTop(id, r.top());
    s.setImageWidth(id, r.width());
    s.setImageHeight(id, r.height());
}

// A 200 x 100 surface: the device body covers the left 120 columns, the rest is bare.
class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.setClientWidth(200);
        s.setClientHeight(100);
        place(s, img::im_background, QRect(0, 0, 120, 100), solid(120, 100, Qt::gray));
        s.flushChanges();
    }
    QColor pixel(QPoint p) { return s.compose(QRect(p, QSize(1, 1))).pixelColor(0, 0); }
    Surface s;
};

TEST_F(SurfaceTest, AFigureShownRepaintsOnlyItsRectangle) {
    const ImageId fig = img::im_pill(3, 5);
    place(s, fig, QRect(40, 30, 10, 8), solid(10, 8, Qt::black));
    s.flushChanges();
    EXPECT_TRUE(s.lastFlushRegion().isEmpty());  // hidden: geometry and picture changes paint nothing
    s.setVisible(fig, true);
    s.flushChanges();
    EXPECT_EQ(s.lastFlushRegion(), QRegion(40, 30, 10, 8));
    s.setVisible(fig, false);
    s.flushChanges();
    EXPECT_EQ(s.lastFlushRegion(), QRegion(40, 30, 10, 8));
}

TEST_F(SurfaceTest, HiddenAndShownAgainWithinOneEventRepaintsNothing) {
    const ImageId a = img::im_ghost(2, 1), b = img::im_ghost(9, 7);
    place(s, a, QRect(10, 10, 5, 5), solid(5, 5, Qt::black));
    place(s, b, QRect(60, 60, 5, 5), solid(5, 5, Qt::black));
    s.setVisible(a, true);
    s.flushChanges();
    // a tick hides every ghost and shows the ones in play again
    s.setVisible(a, false);
    s.setVisible(b, false);
    s.setVisible(a, true);
    s.flushChanges();
    EXPECT_TRUE(s.lastFlushRegion().isEmpty());
}

TEST_F(SurfaceTest, ScoreDigitsRepaintOnlyWhenTheirPictureChanges) {
    const ImageId pos = img::im_panel_digit_pos(5);
    place(s, img::im_panel_number(0), QRect(), solid(6, 9, Qt::red));
    place(s, img::im_panel_number(1), QRect(), solid(6, 9, Qt::blue));
    place(s, pos, QRect(100, 5, 6, 9), QImage());
    s.setVisible(pos, true);
    s.copyPicture(pos, img::im_panel_number(0));
    s.flushChanges();
    s.copyPicture(pos, img::im_panel_number(0));  // the same digit again
    s.flushChanges();
    EXPECT_TRUE(s.lastFlushRegion().isEmpty());
    s.copyPicture(pos, img::im_panel_number(1));
    s.flushChanges();
    EXPECT_EQ(s.lastFlushRegion(), QRegion(100, 5, 6, 9));
    EXPECT_EQ(pixel({102, 7}), QColor(Qt::blue));
    s.clearPicture(pos);
    s.flushChanges();
    EXPECT_EQ(s.lastFlushRegion(), QRegion(100, 5, 6, 9));
    EXPECT_EQ(pixel({102, 7}), QColor(Qt::gray));  // an empty picture shows what lies below
}

TEST_F(SurfaceTest, ImagesOfOneDecodedPictureShareItsPixelsAndNeverAnotherPicture) {
    const QImage pill = solid(4, 4, Qt::red), ghost = solid(4, 4, Qt::blue);
    const ImageId a = img::im_pill(4, 4), b = img::im_nibbo(4, 4), c = img::im_panel_number(0);
    s.setPicture(a, pill);
    s.setPicture(b, pill);
    EXPECT_EQ(s.imagePicture(a).cacheKey(), s.imagePicture(b).cacheKey());  // one pixel buffer
    s.setPicture(b, ghost);                                                 // b shows another picture now,
    s.copyPicture(a, b);                                                    // and a a copy of it:
    s.setPicture(c, pill);  // c gets the pill, not what a shows
    EXPECT_EQ(s.imagePicture(c).toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(s.imagePicture(a).toImage().pixelColor(0, 0), QColor(Qt::blue));
    s.clearPicture(b);
    s.setPicture(b, ghost);
    EXPECT_EQ(s.imagePicture(b).toImage().pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(SurfaceTest, PicturesDrawUnscaledClippedAndBlendedInStackingOrder) {
    const ImageId nibbo = img::im_nibbo(4, 4), pill = img::im_pill(4, 4);
    place(s, nibbo, QRect(20, 20, 10, 10), solid(30, 30, Qt::blue));             // larger than its rectangle
    place(s, pill, QRect(20, 20, 10, 10), solid(4, 4, QColor(255, 0, 0, 128)));  // smaller, half transparent
    s.setVisible(nibbo, true);
    s.setVisible(pill, true);
    EXPECT_EQ(pixel({29, 29}), QColor(Qt::blue));
    EXPECT_EQ(pixel({30, 30}), QColor(Qt::gray));  // clipped to the rectangle
    const QColor blended = pixel({21, 21});        // the pill lies above Nibbo
    EXPECT_NEAR(blended.red(), 128, 2);
    EXPECT_NEAR(blended.blue(), 127, 2);
    s.setVisible(nibbo, false);
    EXPECT_EQ(pixel({25, 25}), QColor(Qt::gray));
}

TEST_F(SurfaceTest, TheStretchedBackdropCoversTheClientArea) {
    s.setPicture(img::im_backdrop, solid(10, 10, Qt::green));
    s.setImageVisible(img::im_backdrop, true);
    s.setImageVisible(img::im_background, false);
    EXPECT_EQ(pixel({150, 90}), QColor(Qt::black));  // at its own size from the top-left
    EXPECT_EQ(pixel({5, 5}), QColor(Qt::green));
    s.setImageStretch(img::im_backdrop, true);
    s.flushChanges();
    EXPECT_EQ(pixel({199, 99}), QColor(Qt::green));
    EXPECT_EQ(s.imageRect(img::im_backdrop), QRect(0, 0, 200, 100));
}

TEST_F(SurfaceTest, HitTestingFindsTheTopmostVisibleImage) {
    const ImageId top = img::btn_power_top, pressed = img::btn_power_on;
    place(s, pressed, QRect(10, 10, 20, 20), solid(20, 20, Qt::red));
    place(s, top, QRect(10, 10, 20, 20), QImage());
    s.setVisible(pressed, true);
    s.setVisible(top, true);
    EXPECT_EQ(s.imageAt({15, 15}), top);
    s.setVisible(top, false);
    EXPECT_EQ(s.imageAt({15, 15}), pressed);
    s.setVisible(pressed, false);
    EXPECT_EQ(s.imageAt({15, 15}), img::im_background);
    EXPECT_FALSE(s.imageAt({150, 50}).has_value());
    place(s, img::btn_ctrlr_overlay_up, QRect(150, 50, 0, 0), solid(5, 5, Qt::red));
    s.setVisible(img::btn_ctrlr_overlay_up, true);
    EXPECT_FALSE(s.imageAt({150, 50}).has_value());  // an empty rectangle takes nothing
}

TEST_F(SurfaceTest, TheMaskLeavesOutKeyColouredPixels) {
    s.setBackgroundColor(kMagenta);
    s.setKeyColorTransparency(true, kMagenta);
    s.flushChanges();
    EXPECT_EQ(s.shapeMask(), QRegion(0, 0, 120, 100));
    EXPECT_EQ(s.window()->mask(), s.shapeMask());

    // a picture outside the body extends the shape; its own key-coloured pixels do not
    QImage arrow = solid(10, 10, Qt::white);
    arrow.setPixelColor(0, 0, QColor(255, 0, 255));
    const ImageId up = img::btn_ctrlr_overlay_up;
    place(s, up, QRect(150, 40, 10, 10), arrow);
    s.setVisible(up, true);
    s.flushChanges();
    EXPECT_EQ(s.shapeMask(), QRegion(0, 0, 120, 100) + (QRegion(150, 40, 10, 10) - QRegion(150, 40, 1, 1)));

    // see-through pixels of a picture leave the key colour under them see-through
    QImage ring = solid(10, 10, Qt::white);
    for (int y = 0; y < 10; ++y) ring.setPixelColor(0, y, Qt::transparent);
    const ImageId down = img::btn_ctrlr_overlay_down;
    place(s, down, QRect(150, 70, 10, 10), ring);
    s.setVisible(down, true);
    s.flushChanges();
    EXPECT_EQ(s.shapeMask(), QRegion(0, 0, 120, 100) + (QRegion(150, 40, 10, 10) - QRegion(150, 40, 1, 1)) +
                                 QRegion(151, 70, 9, 10));
    s.setVisible(down, false);

    // a figure in the key colour cuts a hole into the body
    const ImageId fig = img::im_nibbo(2, 2);
    place(s, fig, QRect(5, 5, 3, 3), solid(3, 3, QColor(255, 0, 255)));
    s.setVisible(fig, true);
    s.flushChanges();
    EXPECT_FALSE(s.shapeMask().contains(QPoint(6, 6)));
    s.setVisible(fig, false);
    s.setVisible(up, false);
    s.flushChanges();
    EXPECT_EQ(s.shapeMask(), QRegion(0, 0, 120, 100));
    EXPECT_EQ(s.window()->mask(), s.shapeMask());

    s.setKeyColorTransparency(false, kMagenta);
    EXPECT_TRUE(s.window()->mask().isEmpty());
}

TEST_F(SurfaceTest, TheMaskFollowsANewClientSizeAndKeyColour) {
    s.setBackgroundColor(0x00000000);
    s.setKeyColorTransparency(true, 0x00000000);
    s.setClientWidth(150);
    s.flushChanges();
    EXPECT_EQ(s.shapeMask(), QRegion(0, 0, 120, 100));
    s.setKeyColorTransparency(true, 0x00a4a0a0);  // now the body's grey (#a0a0a4) is the key
    s.setBackgroundColor(0x00a4a0a0);
    s.flushChanges();
    EXPECT_TRUE(s.shapeMask().isEmpty());
}

TEST_F(SurfaceTest, ALargeWindowGetsItsWholeMask) {
    // 3000 x 1000 is composed in several bands; the shape must not show their seams
    s.setClientWidth(3000);
    s.setClientHeight(1000);
    place(s, img::im_background, QRect(0, 0, 1500, 999), solid(1500, 999, Qt::gray));
    s.setBackgroundColor(kMagenta);
    s.setKeyColorTransparency(true, kMagenta);
    s.flushChanges();
    EXPECT_EQ(s.shapeMask(), QRegion(0, 0, 1500, 999));
}

TEST_F(SurfaceTest, APressKeepsTheMouseUntilRelease) {
    const ImageId left = img::btn_ctrlr_overlay_left;
    place(s, left, QRect(130, 40, 20, 20), solid(20, 20, Qt::white));
    s.setVisible(left, true);
    QSignalSpy pressed(&s, &Surface::imagePressed), released(&s, &Surface::imageReleased),
        clicked(&s, &Surface::imageClicked), moved(&s, &Surface::imageMoved);
    QTest::mousePress(&s, Qt::LeftButton, Qt::NoModifier, QPoint(135, 45));
    QTest::mouseMove(&s, QPoint(10, 10));
    QTest::mouseRelease(&s, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].value<ImageId>(), left);
    EXPECT_EQ(pressed[0][2].toPoint(), QPoint(5, 5));  // relative to the image
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0][0].value<ImageId>(), left);
    EXPECT_EQ(released[0][2].toPoint(), QPoint(-120, -30));
    EXPECT_EQ(clicked.count(), 0);  // released outside: no click
    QTest::mouseClick(&s, Qt::LeftButton, Qt::NoModifier, QPoint(140, 50));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].value<ImageId>(), left);
    QTest::mouseClick(&s, Qt::RightButton, Qt::NoModifier, QPoint(140, 50));
    EXPECT_EQ(clicked.count(), 1);  // only the left button clicks
    EXPECT_FALSE(s.capturedImage().has_value());
}

TEST_F(SurfaceTest, CursorsAndTooltipsBelongToTheImageUnderThePointer) {
    s.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    const ImageId start = img::btn_start_top;
    place(s, start, QRect(60, 60, 20, 20), QImage());
    s.setVisible(start, true);
    s.setImageCursor(start, Qt::PointingHandCursor);
    s.setImageToolTip(start, QStringLiteral("click or press '3' to start game"));
    QTest::mouseMove(&s, QPoint(65, 65));
    EXPECT_EQ(s.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&s, QPoint(5, 5));
    EXPECT_EQ(s.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(s.imageToolTip(start), QStringLiteral("click or press '3' to start game"));
}

Surface::Scale zoomed(double z) { return {z, {}, z}; }

TEST_F(SurfaceTest, ZoomMapsRectanglesHitTestingRepaintsAndPressPoints) {
    const ImageId fig = img::im_pill(3, 5), up = img::btn_ctrlr_overlay_up;
    place(s, fig, QRect(40, 30, 10, 8), solid(10, 8, Qt::black));
    place(s, up, QRect(150, 50, 20, 20), solid(20, 20, Qt::white));
    s.setVisible(up, true);
    s.flushChanges();
    QSignalSpy pressed(&s, &Surface::imagePressed), moved(&s, &Surface::imageMoved);

    s.setScale(zoomed(2.0));
    s.flushChanges();
    EXPECT_EQ(s.size(), QSize(400, 200));
    EXPECT_EQ(s.clientWidth(), 200);  // the skin's sizes stay as the skin gives them
    EXPECT_EQ(s.imageRect(fig), QRect(40, 30, 10, 8));
    EXPECT_EQ(s.widgetRect(fig), QRect(80, 60, 20, 16));
    s.setVisible(fig, true);
    s.flushChanges();
    EXPECT_EQ(s.lastFlushRegion(), QRegion(80, 60, 20, 16));
    EXPECT_EQ(s.imageAt({99, 75}), fig);
    EXPECT_EQ(s.imageAt({100, 75}), img::im_background);
    EXPECT_EQ(s.imageAt({305, 105}), up);
    EXPECT_FALSE(s.imageAt({345, 105}).has_value());
    EXPECT_EQ(pixel({99, 75}), QColor(Qt::black));
    EXPECT_EQ(pixel({100, 75}), QColor(Qt::gray));
    // press and move points in widget pixels, as the drag needs them
    QTest::mousePress(&s, Qt::LeftButton, Qt::NoModifier, QPoint(10, 12));
    QTest::mouseMove(&s, QPoint(30, 40));
    QTest::mouseRelease(&s, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][2].toPoint(), QPoint(10, 12));
    ASSERT_GE(moved.count(), 1);
    EXPECT_EQ(moved.last()[2].toPoint(), QPoint(30, 40));
    // a picture too large to keep scaled is drawn scaled as it is shown
    const ImageId ghost = img::im_ghost(8, 2);
    place(s, ghost, QRect(150, 80, 10, 10), solid(4500, 4000, Qt::darkGreen));
    s.setVisible(ghost, true);
    EXPECT_TRUE(s.scaledPicture(ghost).isNull());
    EXPECT_EQ(pixel({319, 179}), QColor(Qt::darkGreen));
    EXPECT_EQ(pixel({320, 179}), QColor(Qt::black));  // the bare background beside it

    s.setScale(zoomed(0.5));
    s.flushChanges();
    EXPECT_EQ(s.size(), QSize(100, 50));
    EXPECT_EQ(s.widgetRect(fig), QRect(20, 15, 5, 4));
    EXPECT_EQ(s.imageAt({24, 18}), fig);
    EXPECT_EQ(s.imageAt({25, 18}), img::im_background);
    EXPECT_EQ(pixel({24, 18}), QColor(Qt::black));
    EXPECT_EQ(pixel({26, 18}), QColor(Qt::gray));

    s.setScale({});  // back to pixel for pixel: exactly as before
    s.flushChanges();
    EXPECT_EQ(s.size(), QSize(200, 100));
    EXPECT_EQ(s.widgetRect(fig), QRect(40, 30, 10, 8));
}

TEST_F(SurfaceTest, AtTwiceTheSizeTheMaskFollowsTheOutlineWithoutABlendedRim) {
    QImage body = solid(120, 100, Qt::gray);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) body.setPixelColor(x, y, Qt::transparent);  // a cut corner
    place(s, img::im_background, QRect(0, 0, 120, 100), body);
    QImage holed = solid(4, 4, Qt::white);
    holed.setPixelColor(1, 1, QColor(255, 0, 255));  // a key-coloured pixel: see-through
    const ImageId fig = img::im_nibbo(5, 5);
    place(s, fig, QRect(50, 50, 4, 4), holed);
    s.setVisible(fig, true);
    s.setBackgroundColor(kMagenta);
    s.setKeyColorTransparency(true, kMagenta);
    s.setScale(zoomed(2.0));
    s.flushChanges();
    EXPECT_TRUE((s.shapeMask() ^ (QRegion(0, 0, 240, 200) - QRegion(0, 0, 20, 20) - QRegion(102, 102, 2, 2)))
                    .isEmpty());
    EXPECT_EQ(s.window()->mask(), s.shapeMask());
    // every pixel along the cut corner is the body's grey or the key colour, nothing between
    const QImage frame = s.compose(QRect(0, 0, 40, 40));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const QRgb c = frame.pixel(x, y) & 0xffffff;
            ASSERT_TRUE(c == 0xff00ff || c == (QColor(Qt::gray).rgb() & 0xffffff)) << x << "," << y;
        }
}

TEST_F(SurfaceTest, AboveFullSizeTheDoubleSizePartnerIsDrawnDecodedOnlyThen) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString partner = dir.filePath("fig@2x.png");
    const ImageId fig = img::im_ghost(6, 6), twin = img::im_ghost(7, 6);
    place(s, fig, QRect(10, 10, 10, 10), solid(10, 10, Qt::red));
    s.setHiResPartner(fig, partner);  // not there yet: nothing is read at 100 %
    place(s, twin, QRect(30, 10, 10, 10), QImage());
    s.setVisible(fig, true);
    s.setVisible(twin, true);
    s.flushChanges();
    EXPECT_EQ(pixel({15, 15}), QColor(Qt::red));

    QImage sharp = solid(20, 20, Qt::blue);
    for (int y = 0; y < 20; ++y)
        for (int x = 10; x < 20; ++x) sharp.setPixelColor(x, y, Qt::green);
    ASSERT_TRUE(sharp.save(partner, "PNG"));
    s.copyPicture(twin, fig);  // a copied picture brings its partner along
    s.setScale(zoomed(2.0));
    s.flushChanges();
    EXPECT_EQ(pixel({25, 25}), QColor(Qt::blue));  // the partner, pixel for pixel
    EXPECT_EQ(pixel({35, 25}), QColor(Qt::green));
    EXPECT_EQ(pixel({75, 25}), QColor(Qt::green));
    EXPECT_EQ(s.scaledPicture(fig).size(), QSize(20, 20));

    s.setScale(zoomed(3.0));  // the partner scaled by 1.5
    s.flushChanges();
    EXPECT_EQ(s.scaledPicture(fig).size(), QSize(30, 30));
    EXPECT_EQ(pixel({32, 40}), QColor(Qt::blue));
    EXPECT_EQ(pixel({58, 40}), QColor(Qt::green));

    s.setScale(zoomed(0.5));  // below 100 % the normal picture, made smaller
    s.flushChanges();
    EXPECT_EQ(pixel({7, 7}), QColor(Qt::red));

    // a partner that is not twice the size is not used
    ASSERT_TRUE(solid(30, 30, Qt::blue).save(dir.filePath("odd@2x.png"), "PNG"));
    s.setPicture(fig, solid(10, 10, Qt::red));
    s.setHiResPartner(fig, dir.filePath("odd@2x.png"));
    s.setScale(zoomed(2.0));
    s.flushChanges();
    EXPECT_EQ(pixel({25, 25}), QColor(Qt::red));
}

// The skin read again at the same zoom (the files changed meanwhile): the image is drawn from
// what this reading handed over, never from a picture or partner made from the old files.
TEST_F(SurfaceTest, ASkinReadAgainAtTheSameZoomDrawsNothingFromTheOldFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString partner = dir.filePath("fig@2x.png");
    const ImageId fig = img::im_ghost(6, 6);
    const struct {
        const char* change;
        QColor picture;     // the picture this reading decoded
        QColor partnerNow;  // the partner file after the change; invalid: deleted
        bool truncated;     // the partner file cut short
        QColor drawn;       // what the image shows at 200 %
    } cases[] = {
        {"partner redrawn", Qt::red, Qt::green, false, Qt::green},
        {"partner deleted", Qt::red, QColor(), false, Qt::red},
        {"partner truncated", Qt::red, Qt::green, true, Qt::red},
        {"picture redrawn, partner deleted", Qt::yellow, QColor(), false, Qt::yellow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        s.setScale({});
        ASSERT_TRUE(solid(20, 20, Qt::blue).save(partner, "PNG"));
        place(s, fig, QRect(10, 10, 10, 10), solid(10, 10, Qt::red));
        s.setHiResPartner(fig, partner);
        s.setVisible(fig, true);
        s.setScale(zoomed(2.0));
        s.flushChanges();
        ASSERT_EQ(pixel({25, 25}), QColor(Qt::blue));

        QFile::remove(partner);
        if (c.partnerNow.isValid()) {
            ASSERT_TRUE(solid(20, 20, c.partnerNow).save(partner, "PNG"));
            if (c.truncated) {
                QFile f(partner);
                ASSERT_TRUE(f.open(QIODevice::ReadWrite));
                ASSERT_TRUE(f.resize(f.size() / 2));
            }
        }
        // What the set-up hands over: the new decoded picture, then the partner if the file is there.
        s.setPicture(fig, solid(10, 10, c.picture));
        s.setHiResPartner(fig, QFileInfo::exists(partner) ? partner : QString());
        s.flushChanges();
        EXPECT_EQ(pixel({25, 25}), c.drawn);
        EXPECT_EQ(s.scaledPicture(fig).size(), QSize(20, 20));
    }
}

// The fit itself is ui/devicefit.h's (tests/ui/devicefit_test.cpp).
TEST(SurfaceFit, FullScreenFitScalesOnlyTheGameAreaCentredAndKeepsItsProportions) {
    Surface s;
    const QRect game(614, 166, 692, 747);  // as the skin set-up centres 692 x 747 on 1920 x 1080
    s.setClientWidth(1920);
    s.setClientHeight(1080);
    s.setGameArea(game);
    place(s, img::im_background, game, solid(692, 747, Qt::gray));
    place(s, img::im_backdrop_logo, QRect(1820, 0, 100, 50), solid(100, 50, Qt::white));
    s.setScale(Surface::fitted(QSize(1920, 1080), s.gameArea()));
    EXPECT_EQ(s.size(), QSize(1920, 1080));
    const QRect body = s.widgetRect(img::im_background);
    EXPECT_EQ(body.top(), 0);
    EXPECT_EQ(body.height(), 1080);
    EXPECT_NEAR(body.width(), 692.0 * 1080 / 747, 1);
    EXPECT_NEAR(body.left() + body.width() / 2.0, 960, 1);
    EXPECT_EQ(s.widgetRect(img::im_backdrop_logo), QRect(1820, 0, 100, 50));  // not scaled
    EXPECT_EQ(s.widgetRect(img::im_backdrop), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(s.widgetRect(img::btn_game_menu_top), s.imageRect(img::btn_game_menu_top));
}

}  // namespace
}  // namespace zn
