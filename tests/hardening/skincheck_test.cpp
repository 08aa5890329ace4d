// The skin checker over copies of the generated skin with one fault each.
#include "tools/skincheck/skincheck.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include "engine/images.h"

namespace zn {
namespace {

using namespace img;

// The section of a slot image in Config.ini, e.g. "Image40" for im_nibbo_09_07.
QString section(ImageId id) { return QStringLiteral("Image%1").arg(slotOf(id)); }

// Copies the generated runnable folder's skin (Config.ini and Graphics/) into a temporary folder.
class SkinCopy {
public:
    SkinCopy() {
        copyTree(QStringLiteral(ZN_GAME_DIR "/Graphics"), dir.path() + "/Graphics");
        QFile f(QStringLiteral(ZN_GAME_DIR "/Config.ini"));
        if (f.open(QIODevice::ReadOnly)) ini = QString::fromUtf8(f.readAll());
    }
    QString iniPath() const { return dir.path() + "/Config.ini"; }

    // Sets a key of a section, adding it after the section's header when it is absent.
    void set(const QString& section, const QString& key, const QString& value) {
        const QRegularExpression inSection(QStringLiteral("(^\\[%1\\]\\n(?:(?!\\[)[^\\n]*\\n)*?)%2=[^\\n]*$")
                                               .arg(QRegularExpression::escape(section), key),
                                           QRegularExpression::MultilineOption);
        if (inSection.match(ini).hasMatch())
            ini.replace(inSection, QStringLiteral("\\1%1=%2").arg(key, value));
        else
            ini.replace(QStringLiteral("[%1]\n").arg(section),
                        QStringLiteral("[%1]\n%2=%3\n").arg(section, key, value));
    }
    void removeSection(const QString& section) {
        ini.remove(QRegularExpression(QStringLiteral("^\\[%1\\]\\n(?:(?!\\[)[^\\n]*\\n)*").arg(section),
                                      QRegularExpression::MultilineOption));
    }
    void overwrite(const QString& rel, const QByteArray& bytes) {
        QFile f(dir.path() + "/" + rel);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    }
    QStringList check() {
        QFile f(iniPath());
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(ini.toUtf8());
        f.close();
        return skincheck::checkSkin(iniPath());
    }

    QTemporaryDir dir;
    QString ini;

private:
    static void copyTree(const QString& from, const QString& to) {
        QDir().mkpath(to);
        const QDir src(from);
        for (const QFileInfo& e : src.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (e.isDir())
                copyTree(e.filePath(), to + "/" + e.fileName());
            else
                QFile::copy(e.filePath(), to + "/" + e.fileName());
        }
    }
};

TEST(SkinCheck, GeneratedSkinIsCleanWhereverItIsCheckedFrom) {
    SkinCopy skin;
    ASSERT_FALSE(skin.ini.isEmpty());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QDir::rootPath());  // folders come from Config.ini's place, not from here
    const QStringList problems = skin.check();
    QDir::setCurrent(previous);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

struct Fault {
    const char* name;
    std::function<void(SkinCopy&)> make;
    QString expected;  // a part of one of the problems the fault gives
    int count = 1;     // how many problems it gives, its consequences included
};

class SkinFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(SkinFaults, AreListedWithTheirConsequences) {
    SkinCopy skin;
    GetParam().make(skin);
    const QStringList problems = skin.check();
    EXPECT_EQ(problems.size(), GetParam().count) << problems.join('\n').toStdString();
    EXPECT_EQ(problems.filter(GetParam().expected).size(), 1) << problems.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Hardening, SkinFaults,
    ::testing::Values(
        Fault{"MissingPicture", [](SkinCopy& s) { s.set(section(im_nibbo(2, 7)), "Filename", "nosuch.png"); },
              "is missing"},
        Fault{"UnknownExtension",
              [](SkinCopy& s) {
                  s.overwrite("Graphics/Skin/nibbo.gif", "GIF89a");
                  s.set(section(im_nibbo(3, 7)), "Filename", "nibbo.gif");
              },
              "Unknown picture file extension (.gif)"},
        Fault{"UndecodablePictureReportedOnceForAllItsSlots",
              [](SkinCopy& s) { s.overwrite("Graphics/Skin/pill.png", "not a picture"); },
              "cannot be decoded"},
        Fault{"MalformedNumber", [](SkinCopy& s) { s.set(section(im_nibbo(9, 7)), "Width", "12px"); },
              "[" + section(im_nibbo(9, 7)) + "] Width: '12px' is not a valid integer value", 2},
        Fault{"MalformedColour", [](SkinCopy& s) { s.set("VideoMode", "TranspColor", "magenta"); },
              "[VideoMode] TranspColor: 'magenta' is not a valid integer value"},
        Fault{"MalformedOffset", [](SkinCopy& s) { s.set("Fullscreen", "GameOffsetX", "Centre"); },
              "neither a number of pixels nor Center"},
        Fault{"ZeroSizeFigure", [](SkinCopy& s) { s.set(section(im_nibbo(3, 5)), "Height", "0"); },
              "im_nibbo_03_05 has zero size (25 x 0)"},
        Fault{"MissingSectionOfAShownSlot", [](SkinCopy& s) { s.removeSection(section(im_pill(7, 6))); },
              "has zero size (0 x 0)", 2},
        Fault{"FigureWithoutPicture", [](SkinCopy& s) { s.set(section(im_ghost(3, 6)), "Filename", "nil"); },
              "has no picture"},
        Fault{"RectangleOutsideTheGameArea",
              [](SkinCopy& s) { s.set(section(im_nibbo(7, 4)), "Left", "680"); },
              "lies outside the game area (692 x 747)"},
        Fault{"OverlappingClickAreas",
              [](SkinCopy& s) {
                  s.set(section(btn_ctrlr_overlay_down), "Left", "100");
                  s.set(section(btn_ctrlr_overlay_down), "Top", "600");
                  s.set(section(btn_ctrlr_overlay_left), "Left", "90");
                  s.set(section(btn_ctrlr_overlay_left), "Top", "590");
              },
              "click areas btn_ctrlr_overlay_left [" + section(btn_ctrlr_overlay_left) +
                  "] and btn_ctrlr_overlay_down [" + section(btn_ctrlr_overlay_down) + "] overlap"},
        Fault{"AbsurdExtent", [](SkinCopy& s) { s.set(section(im_nibbo(9, 3)), "Width", "99999"); },
              "out of range (0..16384)", 2},
        Fault{"LogoCornerOutOfRange", [](SkinCopy& s) { s.set("Fullscreen", "LogoPosition", "7"); },
              "no corner"},
        Fault{"PictureThatIsAFolder",
              [](SkinCopy& s) {
                  QDir().mkpath(s.dir.path() + "/Graphics/Skin/folder.png");
                  s.set(section(im_background), "Filename", "folder.png");
              },
              "is not a file"}),
    [](const auto& info) { return std::string(info.param.name); });

// A picture's name@2x partner must decode and be exactly twice its size; a correct one is not
// mentioned, and an @2x file whose picture no slot names is not looked at.
TEST(SkinCheck, HiResPartnersOfTheWrongSizeOrUndecodableAreListed) {
    SkinCopy skin;
    const QString skinDir = skin.dir.path() + "/Graphics/Skin/";
    QImage twice(44, 44, QImage::Format_ARGB32);  // star.png is 22 x 22
    twice.fill(Qt::transparent);
    ASSERT_TRUE(twice.save(skinDir + "star@2x.png"));
    QImage wrong(30, 30, QImage::Format_ARGB32);  // ghost.png is 24 x 26
    wrong.fill(Qt::transparent);
    ASSERT_TRUE(wrong.save(skinDir + "ghost@2x.png"));
    skin.overwrite("Graphics/Skin/pill@2x.png", "not a picture");
    skin.overwrite("Graphics/Skin/unused@2x.png", "not a picture");

    const QStringList problems = skin.check();
    const QString all = problems.join('\n');
    EXPECT_EQ(problems.size(), 2) << all.toStdString();
    EXPECT_EQ(
        problems
            .filter("ghost@2x.png' is 30 x 30, not twice the 24 x 26 of '" + skinDir + "ghost.png' (48 x 52)")
            .size(),
        1)
        << all.toStdString();
    EXPECT_EQ(problems
                  .filter(QRegularExpression("^\\[Image\\d+\\] Filename: Picture '.*/pill@2x\\.png' "
                                             "cannot be decoded"))
                  .size(),
              1)
        << all.toStdString();
    EXPECT_FALSE(all.contains("star@2x.png")) << all.toStdString();
    EXPECT_FALSE(all.contains("unused@2x.png")) << all.toStdString();
}

TEST(SkinCheck, DigitPicturesNeedNoRectangleOfTheirOwn) {
    SkinCopy skin;
    skin.set(section(im_panel_number(0)), "Width", "0");
    skin.set(section(im_panel_number(9)), "Left", "-500");
    EXPECT_TRUE(skin.check().isEmpty());
}

TEST(SkinCheck, ConfigThatCannotBeReadIsOneProblem) {
    QTemporaryDir dir;
    EXPECT_EQ(skincheck::checkSkin(dir.path() + "/Config.ini").size(), 1);
    QFile big(dir.path() + "/Config.ini");
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(50 << 20));
    big.close();
    const QStringList problems = skincheck::checkSkin(big.fileName());
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("too large"));
}

}  // namespace
}  // namespace zn
