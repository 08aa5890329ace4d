// Gfx_Init against hostile skins on an in-memory window: pictures that are truncated, enormous or
// garbage, a Config.ini far too big or of random bytes, and folders, pipes and loops where files
// belong. Each must end in a clear error or the placeholder, quickly and in bounded memory.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include "display/gfxinit.h"
#include "display/skinfile.h"
#include "skin/skinini.h"
#include "tests/display/faketarget.h"

namespace zn {
namespace {

constexpr long kRssLimitMb = 500;

long peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;  // kilobytes on Linux
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray body(type, 4);
    body += data;
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << quint32(data.size());
    s.writeRawData(body.constData(), static_cast<int>(body.size()));
    s << quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), static_cast<uInt>(body.size())));
    return out;
}

// A complete, valid 1-bit grey PNG of w x h black pixels, deflated row by row so that making it
// costs a few kilobytes of memory whatever its size.
QByteArray blackPng(quint32 w, quint32 h) {
    QByteArray ihdr;
    QDataStream s(&ihdr, QIODevice::WriteOnly);
    s << w << h << quint8(1) << quint8(0) << quint8(0) << quint8(0) << quint8(0);
    z_stream z{};
    deflateInit(&z, Z_BEST_SPEED);
    const QByteArray row(static_cast<int>(1 + (w + 7) / 8), '\0');
    QByteArray idat;
    char out[1 << 16];
    for (quint32 y = 0; y <= h; ++y) {
        const bool last = y == h;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.constData()));
        z.avail_in = last ? 0 : static_cast<uInt>(row.size());
        do {
            z.next_out = reinterpret_cast<Bytef*>(out);
            z.avail_out = sizeof out;
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            idat.append(out, static_cast<qsizetype>(sizeof out - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) + pngChunk("IDAT", idat) +
           pngChunk("IEND", QByteArray());
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage stripes(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) image.setPixel(0, y, qRgb(y, 255 - y, 9));
    return image;
}

// A BMP header that claims an enormous picture, with no pixels behind it.
QByteArray hugeBmpHeader() {
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("BM", 2);
    s << quint32(54 + 16) << quint32(0) << quint32(54);
    s << quint32(40) << qint32(30000) << qint32(30000) << quint16(1) << quint16(24) << quint32(0)
      << quint32(0) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    s.writeRawData("0123456789abcdef", 16);
    return out;
}

QByteArray randomBytes(int size, unsigned seed) {
    std::mt19937 gen(seed);
    QByteArray out(size, '\0');
    for (char& c : out) c = static_cast<char>(gen());
    return out;
}

bool isPlaceholder(const QImage& p) {
    return p.size() == QSize(10, 10) && p.pixel(0, 0) == qRgb(0, 0, 0) && p.pixel(5, 5) == qRgb(255, 0, 0);
}

class HostileSkin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        window.dir = tmp.path() + "/bin";
        QDir().mkpath(window.dir);
        skinDir = tmp.path() + "/skin/";
        QDir().mkpath(skinDir);
    }
    void TearDown() override { EXPECT_LT(peakRssMb(), kRssLimitMb) << "peak resident memory in MB"; }

    void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    // A skin whose body, im_background, shows the given file of the skin folder.
    void skinWithPicture(const QString& fileName) {
        write(window.dir + "/Config.ini", "[Common]\nSkinDir=" + skinDir.toUtf8() + "\n" +
                                              test::sectionOf(img::im_background) +
                                              "Filename=" + fileName.toUtf8() + "\nWidth=10\nHeight=10\n");
    }
    const QImage& body() { return window.at(img::im_background).picture; }

    QTemporaryDir tmp;
    QString skinDir;
    test::FakeTarget window;
};

// Pictures that cannot or must not be decoded: each leaves the placeholder and one error naming
// the file and the reason.
struct BadPicture {
    const char* name;
    const char* fileName;
    std::function<QByteArray()> bytes;
    const char* reason;
};

class BadPictures : public HostileSkin, public ::testing::WithParamInterface<BadPicture> {};

TEST_P(BadPictures, GiveThePlaceholderAndOneErrorNamingTheFile) {
    const BadPicture& c = GetParam();
    write(skinDir + c.fileName, c.bytes());
    skinWithPicture(c.fileName);
    ASSERT_TRUE(Gfx_Init(window, false));
    EXPECT_TRUE(isPlaceholder(body()));
    ASSERT_EQ(window.errors.size(), 1);
    EXPECT_TRUE(window.errors[0].contains(c.fileName)) << window.errors[0].toStdString();
    EXPECT_TRUE(window.errors[0].contains(c.reason)) << window.errors[0].toStdString();
    EXPECT_EQ(window.quits, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, BadPictures,
    ::testing::Values(
        BadPicture{"RealPngOf30000Squared", "huge.png", [] { return blackPng(30000, 30000); }, "too large"},
        BadPicture{"PngTooManyPixelsWithinTheSideLimit", "wide.png", [] { return blackPng(16000, 16000); },
                   "too large"},
        // Qt's BMP reader refuses a header whose pixels are not in the file before anything is allocated.
        BadPicture{"BmpHeaderOf30000Squared", "huge.bmp", hugeBmpHeader, "cannot be decoded"},
        BadPicture{"PngCutAfterItsHeader", "cut.png",
                   [] { return encoded(stripes(200, 200), "PNG").left(40); }, "cannot be decoded"},
        BadPicture{"JpegCutAfterItsHeader", "cut.jpg",
                   [] { return encoded(stripes(64, 64), "JPEG").left(200); }, "cannot be decoded"},
        BadPicture{"EmptyPng", "empty.png", [] { return QByteArray(); }, "cannot be decoded"},
        BadPicture{"RandomBytesAsPng", "noise.png", [] { return randomBytes(65536, 1); },
                   "cannot be decoded"},
        BadPicture{"RandomBytesAsIcon", "noise.ico", [] { return randomBytes(4096, 2); },
                   "cannot be decoded"},
        BadPicture{"PngNamedJpeg", "misnamed.jpeg", [] { return encoded(stripes(8, 8), "PNG"); },
                   "cannot be decoded"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostileSkin, PngTruncatedInItsPixelDataNeverCrashes) {
    // libpng may hand back the rows it got or refuse the file: either is fine, a crash is not.
    const QByteArray png = encoded(stripes(200, 200), "PNG");
    write(skinDir + "half.png", png.left(png.size() / 2));
    skinWithPicture("half.png");
    ASSERT_TRUE(Gfx_Init(window, false));
    if (window.errors.isEmpty())
        EXPECT_EQ(body().size(), QSize(200, 200));
    else
        EXPECT_TRUE(isPlaceholder(body())) << window.errors[0].toStdString();
}

// Things where files belong that are no regular file: treated as missing, never opened or waited on.
TEST_F(HostileSkin, FolderPipeAndLinkLoopWherePicturesBelongGiveThePlaceholderSilently) {
    QDir().mkpath(skinDir + "folder.png");
    ASSERT_EQ(mkfifo((skinDir + "pipe.png").toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(symlink("loop.png", (skinDir + "loop.png").toLocal8Bit().constData()), 0);
    const ImageId folder = img::im_background, pipe = img::im_background_screen, loop = img::btn_power_on;
    write(window.dir + "/Config.ini",
          "[Common]\nSkinDir=" + skinDir.toUtf8() + "\n" + test::sectionOf(folder) + "Filename=folder.png\n" +
              test::sectionOf(pipe) + "Filename=pipe.png\n" + test::sectionOf(loop) + "Filename=loop.png\n");
    ASSERT_TRUE(Gfx_Init(window, false));
    for (ImageId id : {folder, pipe, loop})
        EXPECT_TRUE(isPlaceholder(window.at(id).picture)) << imageName(id);
    EXPECT_TRUE(window.errors.isEmpty());
}

TEST_F(HostileSkin, MissingSkinFolderGivesPlaceholdersEverywhereAndTheWindowItsSize) {
    QByteArray ini = "[Common]\nSkinDir=" + tmp.path().toUtf8() + "/no/such/Graphics/Skin\n";
    for (int n = 1; n <= kSlotCount; ++n)
        ini += test::sectionOf(slotImage(n)) + "Filename=p.png\nWidth=5\nHeight=5\n";
    write(window.dir + "/Config.ini", ini);
    ASSERT_TRUE(Gfx_Init(window, false));
    for (int n = 1; n <= kSlotCount; ++n)
        ASSERT_TRUE(isPlaceholder(window.at(slotImage(n)).picture)) << "slot " << n;
    EXPECT_EQ(window.clientW, 692);
    EXPECT_TRUE(window.errors.isEmpty());
}

TEST_F(HostileSkin, ConfigThatIsNoRegularFileIsReportedMissing) {
    const QString ini = window.dir + "/Config.ini";
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"folder", [&] { QDir().mkpath(ini); }},
        {"pipe", [&] { ASSERT_EQ(mkfifo(ini.toLocal8Bit().constData(), 0600), 0); }},
        {"link loop", [&] { ASSERT_EQ(symlink("Config.ini", ini.toLocal8Bit().constData()), 0); }}};
    for (const auto& [what, make] : cases) {
        SCOPED_TRACE(what);
        QDir(ini).removeRecursively();
        QFile::remove(ini);
        make();
        window.errors.clear();
        window.quits = 0;
        EXPECT_FALSE(Gfx_Init(window, false));
        ASSERT_EQ(window.errors.size(), 1);
        EXPECT_TRUE(window.errors[0].contains("Config.ini) not found"));
        EXPECT_EQ(window.quits, 1);
    }
}

TEST_F(HostileSkin, ConfigOf50MegabytesIsRefusedWithoutBeingRead) {
    const long before = peakRssMb();
    write(window.dir + "/Config.ini", QByteArray(50 << 20, 'x'));
    EXPECT_FALSE(Gfx_Init(window, false));
    ASSERT_EQ(window.errors.size(), 1);
    EXPECT_TRUE(window.errors[0].contains("too large (52428800 bytes")) << window.errors[0].toStdString();
    EXPECT_EQ(window.quits, 1);
    EXPECT_LT(peakRssMb() - before, 120) << "more than the file's own buffer was used";
}

TEST_F(HostileSkin, RandomBytesAsConfigLeaveAUsableWindow) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        QByteArray bytes = randomBytes(256 * 1024, seed);
        if (seed % 2 == 0)
            bytes.prepend(test::sectionOf(img::im_background) + "Filename=");  // garbage as a picture name
        write(window.dir + "/Config.ini", bytes);
        window.errors.clear();
        EXPECT_TRUE(Gfx_Init(window, false));
        EXPECT_GE(window.clientW, 1);
        EXPECT_LE(window.clientW, skin::kMaxExtent);
        EXPECT_EQ(window.quits, 0);
    }
}

TEST_F(HostileSkin, ConfigJustUnderTheLimitWithOneEnormousNumberFallsBackToTheDefault) {
    QByteArray ini = "[Common]\nGameWidth=";
    ini += QByteArray(static_cast<int>(skin::kMaxIniBytes) - ini.size() - 1, '7');
    ini += '\n';
    write(window.dir + "/Config.ini", ini);
    ASSERT_TRUE(Gfx_Init(window, false));
    EXPECT_EQ(window.clientW, 692);
    EXPECT_TRUE(window.errors.isEmpty()) << "a malformed integer falls back silently";
}

}  // namespace
}  // namespace zn
