#include "tools/artgen/artwork.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <vector>

namespace zn::art {
namespace {

TEST(Artwork, GreyedPlayButtonHasNoColourButTheSameShape) {
    const QImage play = playButton(true).convertToFormat(QImage::Format_ARGB32);
    const QImage grey = playButton(false);
    ASSERT_EQ(grey.size(), play.size());
    int coloured = 0;
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb g = grey.pixel(x, y);
            EXPECT_EQ(qRed(g), qGreen(g));
            EXPECT_EQ(qGreen(g), qBlue(g));
            EXPECT_EQ(qAlpha(g), qAlpha(play.pixel(x, y)));
            const QRgb p = play.pixel(x, y);
            if (qAlpha(p) == 255 && (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))) ++coloured;
        }
    }
    EXPECT_GT(coloured, 1000);  // the enabled button really is in colour
}

TEST(Artwork, GeneratedFilesHaveTheSizesAndFormatsTheDialogsNeed) {
    const QDir game(QStringLiteral(ZN_GAME_DIR));
    struct Case {
        QString file;
        QSize size;
        QByteArray format;
    };
    const Case cases[] = {
        {kDialogFolder + QStringLiteral("/") + kSplashBackground, {460, 420}, "png"},
        {kDialogFolder + QStringLiteral("/") + kSplashBox, {460, 160}, "jpeg"},
        {kDialogFolder + QStringLiteral("/") + kSplashPlay, {107, 30}, "png"},
        {kDialogFolder + QStringLiteral("/") + kSplashPlayDisabled, {107, 30}, "png"},
        {kDialogFolder + QStringLiteral("/") + kSplashDonate, {107, 30}, "png"},
        {kDialogFolder + QStringLiteral("/") + kAboutPortrait, {116, 160}, "png"},
        {kAppIcon, {256, 256}, "png"},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (const int size : kAppIconSizes) all.push_back({appIconFile(size), {size, size}, "png"});
    for (const Case& c : all) {
        QImageReader reader(game.filePath(c.file));
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), c.format) << c.file.toStdString();
        const QImage img = reader.read();
        EXPECT_EQ(img.size(), c.size) << c.file.toStdString() << ": " << reader.errorString().toStdString();
    }
}

}  // namespace
}  // namespace zn::art
