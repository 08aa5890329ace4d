// The PNG reader against the desktop's own decoder: every picture of the generated default
// skin (each drawn at its own size and as its @2x partner) gives Qt's pixels exactly.
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

#include "web/core/pngdecode.h"

namespace {

TEST(PngDecodeDesktop, TheDefaultSkinsPicturesAreTheDesktopsPixels) {
    const QDir dir(QStringLiteral(ZN_SKIN_DIR));
    const QStringList names = dir.entryList({QStringLiteral("*.png")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << ZN_SKIN_DIR;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                 static_cast<std::size_t>(bytes.size()));
        const auto png = zn::web::readPngChunks(file);
        ASSERT_TRUE(png);
        std::vector<std::uint8_t> deflated;
        for (const auto& part : png->data) deflated.insert(deflated.end(), part.begin(), part.end());
        std::vector<std::uint8_t> lines(static_cast<std::size_t>(png->width * png->height * 4 + png->height));
        uLongf length = static_cast<uLongf>(lines.size());
        ASSERT_EQ(uncompress(lines.data(), &length, deflated.data(), static_cast<uLong>(deflated.size())), Z_OK);
        lines.resize(length);
        std::vector<std::uint8_t> rgba(static_cast<std::size_t>(png->width * png->height * 4));
        ASSERT_TRUE(zn::web::expandPngLines(*png, lines, rgba.data()));

        const QImage qt = QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGBA8888);
        ASSERT_EQ(qt.width(), png->width);
        ASSERT_EQ(qt.height(), png->height);
        EXPECT_TRUE(std::equal(rgba.begin(), rgba.end(), qt.constBits()));
    }
}

}  // namespace
