// Gfx_Init against small skins written into a temporary folder, on an in-memory window.
#include "display/gfxinit.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <functional>
#include <tuple>

#include "display/picturecache.h"
#include "display/skinfile.h"
#include "faketarget.h"
#include "skin/skinini.h"

namespace zn {
namespace {

using namespace img;
using test::FakeImage;
using test::FakeTarget;
using test::sectionOf;

class GfxInitTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        previousDir = QDir::currentPath();
        // Folders in Config.ini are relative to the working directory, not to Config.ini.
        QDir::setCurrent(tmp.path());
        window.dir = tmp.path() + "/bin";
        QDir().mkpath(window.dir);
    }
    void TearDown() override { QDir::setCurrent(previousDir); }

    void writeIni(const QByteArray& text) { writeFile("bin/Config.ini", text); }
    void writeFile(const QString& rel, const QByteArray& bytes) {
        const QString path = tmp.path() + "/" + rel;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void writePng(const QString& rel, int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(colour);
        QDir().mkpath(QFileInfo(tmp.path() + "/" + rel).path());
        ASSERT_TRUE(image.save(tmp.path() + "/" + rel, "PNG"));
    }
    void remove(const QString& rel) { ASSERT_TRUE(QFile::remove(tmp.path() + "/" + rel)); }
    // Keeps the first half of the file.
    void truncate(const QString& rel) {
        QFile f(tmp.path() + "/" + rel);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(f.size() / 2));
    }
    bool run(bool fullscreen) { return Gfx_Init(window, fullscreen); }
    FakeImage& at(ImageId id) { return window.at(id); }

    QTemporaryDir tmp;
    QString previousDir;
    FakeTarget window;
};

bool isPlaceholder(const QImage& p) {
    return p.size() == QSize(10, 10) && p.pixel(0, 0) == qRgb(0, 0, 0) && p.pixel(9, 9) == qRgb(0, 0, 0) &&
           p.pixel(0, 5) == qRgb(0, 0, 0) && p.pixel(1, 1) == qRgb(255, 0, 0) &&
           p.pixel(8, 8) == qRgb(255, 0, 0) && p.pixel(4, 5) == qRgb(255, 0, 0);
}

TEST(Placeholder, BlackRingAroundPureRed) { EXPECT_TRUE(isPlaceholder(gfx::placeholderPicture())); }

TEST(LoadPicture, DecodesEachSupportedExtensionWhateverItsCase) {
    QTemporaryDir tmp;
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 200));
    const struct {
        const char* file;
        const char* writer;
    } cases[] = {{"a.png", "PNG"}, {"b.jpg", "JPEG"}, {"c.JPEG", "JPEG"}, {"d.bmp", "BMP"}, {"e.ico", "ICO"}};
    for (const auto& c : cases) {
        const QString path = tmp.path() + "/" + c.file;
        ASSERT_TRUE(image.save(path, c.writer)) << c.file;
        QString error;
        const QImage loaded = gfx::loadPicture(path, error);
        EXPECT_EQ(loaded.size(), QSize(6, 4)) << c.file << ": " << error.toStdString();
    }
    // A PNG file under a BMP name is decoded as what its name says, and so fails clearly.
    ASSERT_TRUE(image.save(tmp.path() + "/f.bmp", "PNG"));
    QString error;
    EXPECT_TRUE(gfx::loadPicture(tmp.path() + "/f.bmp", error).isNull());
    EXPECT_TRUE(error.contains("f.bmp"));
}

TEST_F(GfxInitTest, MissingConfigShowsTheFatalTextOnceAndStillSetsUpTheMenuButton) {
    window.at(img::im_background).left = 5;
    EXPECT_FALSE(run(true));
    ASSERT_EQ(window.errors.size(), 1);
    EXPECT_EQ(window.errors[0], "Configuration file (Config.ini) not found. Please reinstall the game.");
    EXPECT_EQ(window.quits, 1);
    EXPECT_EQ(window.failedPath, window.dir + "/Config.ini");  // named on standard error
    EXPECT_EQ(window.at(img::im_background).left, 5);
    EXPECT_EQ(window.clientW, 692);
    EXPECT_TRUE(window.at(img::btn_game_menu_top).visible);
    EXPECT_TRUE(window.at(img::btn_game_menu_background).visible);
    EXPECT_EQ(window.at(img::btn_game_menu_background).width, 36);
    EXPECT_EQ(window.at(img::btn_game_menu_background).height, 32);
}

TEST_F(GfxInitTest, EmptyConfigGivesTheWindowedDefaultsAndEmptySlots) {
    writeIni("");
    window.at(img::im_backdrop).visible = true;
    window.at(img::btn_game_menu_top).visible = true;
    EXPECT_TRUE(run(false));
    EXPECT_TRUE(window.errors.isEmpty());
    EXPECT_EQ(window.quits, 0);
    EXPECT_EQ(window.clientW, 692);
    EXPECT_EQ(window.clientH, 747);
    EXPECT_EQ(window.background, 0x00FF00FFu);
    EXPECT_TRUE(window.keyOn);
    EXPECT_EQ(window.keyColour, 0x00FF00FFu);
    EXPECT_FALSE(window.at(img::im_backdrop).visible);
    EXPECT_FALSE(window.at(img::btn_game_menu_top).visible);
    for (int n = 1; n <= kSlotCount; ++n) {
        EXPECT_EQ(at(slotImage(n)).left, 0) << n;
        EXPECT_EQ(at(slotImage(n)).width, 0) << n;
        EXPECT_EQ(at(slotImage(n)).height, 0) << n;
        EXPECT_TRUE(at(slotImage(n)).picture.isNull()) << n;
    }
}

TEST_F(GfxInitTest, PicturesComeFromTheSkinFolderWithBackslashesAsSeparators) {
    writePng("art/sub/body.png", 4, 3, QColor(10, 20, 30));
    writeIni("[Common]\nSkinDir=art\\\n" + sectionOf(im_background) +
             "Filename=sub\\body.png\nLeft=7\nTop=8\nWidth=40\nHeight=30\n" +
             sectionOf(im_background_screen) + "Filename=nil\n" + sectionOf(btn_power_top) +
             "Filename=Nil\nWidth=12\n" + sectionOf(btn_power_on) + "Filename=\n");
    const QImage before(2, 2, QImage::Format_RGB32);
    at(im_background_screen).picture = before;
    at(btn_power_on).picture = before;
    ASSERT_TRUE(run(false));
    EXPECT_EQ(at(im_background).picture.size(), QSize(4, 3));
    EXPECT_EQ(at(im_background).picture.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(at(im_background).left, 7);
    EXPECT_EQ(at(im_background).top, 8);
    EXPECT_EQ(at(im_background).width, 40);
    EXPECT_EQ(at(im_background).height, 30);
    EXPECT_EQ(at(im_background_screen).picture.size(), QSize(2, 2)) << "nil keeps the previous picture";
    EXPECT_EQ(at(im_background_screen).width, 0);
    EXPECT_EQ(at(btn_power_on).picture.size(), QSize(2, 2)) << "empty keeps the previous picture";
    EXPECT_TRUE(isPlaceholder(at(btn_power_top).picture)) << "Nil is a file name, and there is no such file";
    EXPECT_EQ(at(btn_power_top).width, 12);
    EXPECT_TRUE(window.errors.isEmpty()) << window.errors.join('\n').toStdString();
}

TEST_F(GfxInitTest, HexColoursAndAMalformedColourReportedWithItsDefault) {
    writeIni("[VideoMode]\nTranspColor=0x123456\n[Fullscreen]\nBgColor=$00ABCDEF\n");
    ASSERT_TRUE(run(false));
    EXPECT_EQ(window.keyColour, 0x123456u);
    EXPECT_EQ(window.background, 0x123456u);
    ASSERT_TRUE(run(true));
    EXPECT_EQ(window.background, 0xABCDEFu);
    EXPECT_FALSE(window.keyOn);

    writeIni("[VideoMode]\nTranspColor=purple\n" + sectionOf(im_background) + "Width=9\n");
    ASSERT_TRUE(run(false));
    ASSERT_EQ(window.errors.size(), 1);
    EXPECT_TRUE(window.errors[0].contains("'purple' is not a valid integer value"));
    EXPECT_EQ(window.keyColour, 0x00FF00FFu);
    EXPECT_EQ(at(im_background).width, 9) << "the set-up goes on after the error";
}

struct OffsetCase {
    int screenW;
    const char* offsetX;
    int expectedLeft;  // of a slot with Left=10
};

class FullscreenOffset : public GfxInitTest, public ::testing::WithParamInterface<OffsetCase> {};

TEST_P(FullscreenOffset, GameAreaIsPlacedOrCentred) {
    const OffsetCase c = GetParam();
    window.screenW = c.screenW;
    window.screenH = 800;
    writeIni(QByteArray("[Fullscreen]\nGameOffsetX=") + c.offsetX + "\nGameOffsetY=-3\n" +
             sectionOf(btn_power_on) + "Left=10\nTop=4\n");
    ASSERT_TRUE(run(true));
    EXPECT_EQ(at(btn_power_on).left, c.expectedLeft);
    EXPECT_EQ(at(btn_power_on).top, 1);
    EXPECT_EQ(window.clientW, c.screenW);
    EXPECT_EQ(window.clientH, 800);
}

INSTANTIATE_TEST_SUITE_P(Cases, FullscreenOffset,
                         ::testing::Values(OffsetCase{1024, "Center", 176}, OffsetCase{1025, "Center", 176},
                                           OffsetCase{667, "Center", -2}, OffsetCase{1024, "0", 176},
                                           OffsetCase{1024, "$0", 176}, OffsetCase{1024, "-20", -10},
                                           OffsetCase{1024, "$20", 42}, OffsetCase{1024, "wide", 176}));

TEST_F(GfxInitTest, MissingBackdropAndLogoChangeNothingAndReportNothing) {
    writeIni("[Fullscreen]\nBackdropFile=none.png\nLogoFile=none.png\n");
    ASSERT_TRUE(run(true));
    EXPECT_FALSE(window.at(img::im_backdrop).visible);
    EXPECT_FALSE(window.at(img::im_backdrop_logo).visible);
    EXPECT_TRUE(window.at(img::im_backdrop).picture.isNull());
    EXPECT_TRUE(window.errors.isEmpty());
}

TEST_F(GfxInitTest, UndecodablePicturesAreReportedTogetherAndTheRestStillLoads) {
    writeFile("Graphics/Skin/broken.png", "this is not a picture");
    writeFile("Graphics/Skin/body.xyz", "whatever");
    writePng("Graphics/Skin/ok.png", 3, 3, Qt::green);
    writeIni(sectionOf(im_background) + "Filename=broken.png\n" + sectionOf(im_background_screen) +
             "Filename=body.xyz\n" + sectionOf(im_ghost(8, 1)) + "Filename=broken.png\n" +
             sectionOf(im_ghost(9, 1)) + "Filename=ok.png\n");
    ASSERT_TRUE(run(false));
    ASSERT_EQ(window.errors.size(), 1) << "one box for the whole run";
    EXPECT_TRUE(window.errors[0].contains("broken.png"));
    EXPECT_TRUE(window.errors[0].contains("Unknown picture file extension (.xyz)"));
    EXPECT_EQ(window.errors[0].count("broken.png"), 1) << "a file shared by several slots is reported once";
    EXPECT_TRUE(isPlaceholder(at(im_ghost(8, 1)).picture));
    EXPECT_TRUE(isPlaceholder(at(im_background).picture));
    EXPECT_TRUE(isPlaceholder(at(im_background_screen).picture));
    EXPECT_EQ(at(im_ghost(9, 1)).picture.size(), QSize(3, 3));
    EXPECT_EQ(window.quits, 0);
}

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes) {
        crc ^= static_cast<std::uint8_t>(ch);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG whose header claims 30000 x 30000 pixels, with a few bytes of image data behind it:
// decoding it for real would need gigabytes.
QByteArray hugePngHeader() {
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    auto chunk = [&out](const char* type, const QByteArray& data) {
        QByteArray body(type, 4);
        body += data;
        QDataStream s(&out, QIODevice::Append);
        s << quint32(data.size());
        s.writeRawData(body.constData(), static_cast<int>(body.size()));
        s << crc32(body);
    };
    QByteArray ihdr;
    QDataStream s(&ihdr, QIODevice::WriteOnly);
    s << quint32(30000) << quint32(30000) << quint8(8) << quint8(6) << quint8(0) << quint8(0) << quint8(0);
    chunk("IHDR", ihdr);
    chunk("IDAT", QByteArray("\x78\x9c\x03\x00", 4));
    chunk("IEND", QByteArray());
    return out;
}

TEST_F(GfxInitTest, AbsurdValuesAreClampedOrReplacedAndReported) {
    writeFile("Graphics/Skin/huge.png", hugePngHeader());
    writeIni("[Common]\nGameWidth=0\nGameHeight=2147483647\n" + sectionOf(im_background) +
             "Filename=huge.png\nWidth=-5\nHeight=2147483647\nLeft=2147483647\nTop=-2147483648\n");
    ASSERT_TRUE(run(false));
    EXPECT_EQ(window.clientW, 692);
    EXPECT_EQ(window.clientH, 747);
    EXPECT_EQ(at(im_background).width, 0);
    EXPECT_EQ(at(im_background).height, skin::kMaxExtent);
    EXPECT_EQ(at(im_background).left, skin::kMaxPosition);
    EXPECT_EQ(at(im_background).top, -skin::kMaxPosition);
    EXPECT_TRUE(isPlaceholder(at(im_background).picture));
    ASSERT_EQ(window.errors.size(), 1);
    const QString& text = window.errors[0];
    for (const char* part : {"GameWidth 0", "GameHeight 2147483647", "Width -5", "too large"})
        EXPECT_TRUE(text.contains(part)) << part << " in:\n" << text.toStdString();
}

TEST_F(GfxInitTest, OffsetPlusLeftCannotOverflow) {
    window.screenW = 4000;
    writeIni("[Fullscreen]\nGameOffsetX=2147483647\n" + sectionOf(im_background) + "Left=2147483647\n");
    ASSERT_TRUE(run(true));
    EXPECT_EQ(at(im_background).left, skin::kMaxPosition);
}

TEST_F(GfxInitTest, OversizedConfigIsRefusedLikeAMissingOne) {
    writeIni(QByteArray(static_cast<int>(skin::kMaxIniBytes) + 100, '\n'));
    EXPECT_FALSE(run(false));
    ASSERT_EQ(window.errors.size(), 1);
    EXPECT_TRUE(window.errors[0].contains("too large"));
    EXPECT_EQ(window.quits, 1);
}

TEST_F(GfxInitTest, EditsApplyAtTheNextRun) {
    writeIni(sectionOf(im_background) + "Width=10\n");
    ASSERT_TRUE(run(false));
    writeIni(sectionOf(im_background) + "Width=20\n");
    ASSERT_TRUE(run(true));
    ASSERT_TRUE(run(false));
    EXPECT_EQ(at(im_background).width, 20);
    EXPECT_EQ(at(im_background).left, 0);
}

TEST_F(GfxInitTest, DoubleSizePartnersAndTheGameAreaAreHandedToTheWindow) {
    writePng("Skin/body.png", 4, 4, Qt::gray);
    writePng("Skin/body@2x.png", 8, 8, Qt::gray);
    writePng("Skin/pill.png", 2, 2, Qt::black);
    writeIni("[Common]\nSkinDir=Skin\nGameWidth=300\nGameHeight=200\n[Fullscreen]\nGameOffsetX=-20\n" +
             sectionOf(im_background) + "Filename=body.png\n" + sectionOf(im_pill(3, 3)) +
             "Filename=pill.png\n" + sectionOf(im_pill(4, 4)) + "Filename=gone.png\n");
    ASSERT_TRUE(run(false));
    EXPECT_EQ(QFileInfo(at(im_background).hiRes), QFileInfo(tmp.path() + "/Skin/body@2x.png"));
    EXPECT_TRUE(at(im_pill(3, 3)).hiRes.isEmpty());
    EXPECT_TRUE(at(im_pill(4, 4)).hiRes.isEmpty());  // the placeholder has no partner
    EXPECT_EQ(window.gameArea, QRect(0, 0, 300, 200));
    ASSERT_TRUE(run(true));  // screen 1024 x 768: centred vertically, 20 pixels left of the edge
    EXPECT_EQ(window.gameArea, QRect(-20, 284, 300, 200));
}

// Config.ini and the pictures edited while the program runs: a display-mode switch reads them
// again, and the window ends up as a fresh start with those files would have it, problems
// reported again included. Nothing is left over from the files as they were.
TEST_F(GfxInitTest, ASkinChangedBetweenRunsIsReadAsAtAFreshStart) {
    enum class Shows { Placeholder, NewPicture, SameFile };  // SameFile: body.png untouched
    const struct {
        const char* change;
        std::function<void()> apply;
        Shows shows;
        bool partner;          // the body still has its double-size partner
        const char* reported;  // a text the error box holds, or nullptr for no box
    } cases[] = {
        {"picture deleted", [this] { remove("Skin/body.png"); }, Shows::Placeholder, false, nullptr},
        {"picture truncated", [this] { truncate("Skin/body.png"); }, Shows::Placeholder, false,
         "body.png' cannot be decoded"},
        // the partner no longer has twice the picture's size: the window draws without it
        {"picture replaced", [this] { writePng("Skin/body.png", 6, 6, Qt::blue); }, Shows::NewPicture, true,
         nullptr},
        {"partner deleted", [this] { remove("Skin/body@2x.png"); }, Shows::SameFile, false, nullptr},
        {"partner truncated", [this] { truncate("Skin/body@2x.png"); }, Shows::SameFile, true, nullptr},
        {"Config.ini broken",
         [this] {
             writeIni("[Common]\nSkinDir=Skin\nGameWidth=0\n[VideoMode]\nTranspColor=purple\n" +
                      sectionOf(im_background) + "Filename=body.png\nWidth=99999\n");
         },
         Shows::SameFile, true, "'purple' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        writePng("Skin/body.png", 4, 4, Qt::gray);
        writePng("Skin/body@2x.png", 8, 8, Qt::gray);
        writeIni("[Common]\nSkinDir=Skin\n" + sectionOf(im_background) + "Filename=body.png\nWidth=4\n");
        FakeTarget running;
        running.dir = window.dir;
        ASSERT_TRUE(Gfx_Init(running, false));
        ASSERT_TRUE(running.errors.isEmpty());

        c.apply();
        ASSERT_TRUE(Gfx_Init(running, true));
        running.errors.clear();
        ASSERT_TRUE(Gfx_Init(running, false));
        FakeTarget fresh;
        fresh.dir = window.dir;
        ASSERT_TRUE(Gfx_Init(fresh, false));

        EXPECT_EQ(running.errors, fresh.errors);
        if (c.reported) {
            ASSERT_EQ(running.errors.size(), 1);
            EXPECT_TRUE(running.errors[0].contains(c.reported)) << running.errors[0].toStdString();
        } else {
            EXPECT_TRUE(running.errors.isEmpty()) << running.errors.join('\n').toStdString();
        }
        const FakeImage& body = running.at(im_background);
        EXPECT_EQ(body.picture, fresh.at(im_background).picture);
        EXPECT_EQ(body.width, fresh.at(im_background).width);
        EXPECT_EQ(body.hiRes, fresh.at(im_background).hiRes);
        EXPECT_EQ(!body.hiRes.isEmpty(), c.partner);
        switch (c.shows) {
            case Shows::Placeholder:
                EXPECT_TRUE(isPlaceholder(body.picture));
                break;
            case Shows::NewPicture:
                EXPECT_EQ(body.picture.size(), QSize(6, 6));
                EXPECT_EQ(body.picture.pixelColor(0, 0), QColor(Qt::blue));
                break;
            case Shows::SameFile:
                EXPECT_EQ(body.picture.size(), QSize(4, 4));
                EXPECT_EQ(body.picture.pixelColor(0, 0), QColor(Qt::gray));
                break;
        }
    }
}

// Every picture kind cut short at several places, decoded side by side as a run does it: each
// decoder thread comes back with the picture whole or with a problem naming the file.
TEST(PictureCache, TruncatedPicturesOnTheDecoderThreadsAreRefusedOrDecodedWhole) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QImage image(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixelColor(x, y, QColor(x * 4, y * 5, (x ^ y) * 3));
    enum class Outcome { Refused, RefusedOrWhole };
    const struct {
        const char* ext;
        const char* writer;
        Outcome cutInside;  // cut within the picture's data (a cut within the header is refused)
    } kinds[] = {
        {"png", "PNG", Outcome::Refused},
        {"jpg", "JPEG", Outcome::RefusedOrWhole},  // these decoders fill in what is missing
        {"bmp", "BMP", Outcome::RefusedOrWhole},
        {"ico", "ICO", Outcome::Refused},
    };
    // Byte counts: 0 and 10 lie within every kind's header; -10, -50, -90 are that many percent.
    const int cuts[] = {0, 10, -10, -50, -90};
    std::vector<std::string> files;
    std::vector<std::tuple<std::string, Outcome>> expected;
    for (const auto& k : kinds) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, k.writer)) << k.ext;
        const QByteArray bytes = buffer.data();
        for (const int cut : cuts) {
            const std::string name = "cut" + std::to_string(cut) + "." + k.ext;
            const qsizetype kept = cut >= 0 ? cut : bytes.size() * -cut / 100;
            QFile f(tmp.filePath(QString::fromStdString(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes.left(kept));
            f.close();
            files.push_back(tmp.path().toStdString() + "/" + name);
            expected.emplace_back(name, cut >= 0 ? Outcome::Refused : k.cutInside);
        }
    }
    gfx::PictureCache cache;
    cache.prefetch(files);  // 20 files: decoded on more than one thread
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto& [name, outcome] = expected[i];
        SCOPED_TRACE(name);
        const gfx::PictureCache::Picture& p = cache.picture(files[i]);
        using State = gfx::PictureCache::Picture::State;
        const bool whole = p.state == State::Loaded && p.image.size() == image.size();
        const bool refused = p.state == State::Undecodable && p.image.isNull() &&
                             p.error.contains(QString::fromStdString(name));
        switch (outcome) {
            case Outcome::Refused:
                EXPECT_TRUE(refused) << p.error.toStdString();
                break;
            case Outcome::RefusedOrWhole:
                EXPECT_TRUE(refused || whole) << p.error.toStdString();
                break;
        }
    }
}

// A skin may name a double-size file itself: it is drawn pixel for pixel like any picture.
TEST(LoadPicture, ANameEndingInAt2xIsStillOnePixelPerPixel) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    for (const char* name : {"body@2x.png", "body@3x.png", "body.png"}) {
        SCOPED_TRACE(name);
        const QString path = tmp.filePath(name);
        ASSERT_TRUE(QImage(8, 6, QImage::Format_ARGB32).save(path, "PNG"));
        QString error;
        const QImage loaded = gfx::loadPicture(path, error);
        EXPECT_EQ(loaded.size(), QSize(8, 6));
        EXPECT_EQ(loaded.devicePixelRatio(), 1.0);
        EXPECT_EQ(QPixmap::fromImage(loaded).deviceIndependentSize(), QSizeF(8, 6));
    }
}

}  // namespace
}  // namespace zn

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
