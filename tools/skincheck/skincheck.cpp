#include "tools/skincheck/skincheck.h"

#include <QFileInfo>
#include <utility>

#include "display/picturecache.h"
#include "display/skinfile.h"
#include "engine/images.h"
#include "skin/skinplan.h"

namespace zn::skincheck {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString nameOf(ImageId id) { return QString::fromLatin1(imageName(id)); }

// The line for a Config.ini that gives no skin at all.
QString fileErrorText(const QString& iniPath, const skin::FileError& e) {
    using K = skin::FileError::Kind;
    switch (e.kind) {
        case K::Missing:
            return QStringLiteral("%1: no such file").arg(iniPath);
        case K::NotAFile:
            return QStringLiteral("%1: not a regular file").arg(iniPath);
        case K::TooLarge:
            return QStringLiteral("%1: too large (%2 bytes; the simulator reads at most %3)")
                .arg(iniPath)
                .arg(e.size)
                .arg(skin::kMaxIniBytes);
        case K::Unreadable:
            return QStringLiteral("%1: cannot be read: %2").arg(iniPath, e.detail);
        case K::Unparsable:
            break;
    }
    return iniPath + QStringLiteral(": ") + e.detail;
}

}  // namespace

QStringList checkSkin(const QString& iniPath) {
    const skin::SkinFile file = skin::readSkinFile(iniPath);
    if (file.error) return {fileErrorText(iniPath, *file.error)};
    // Relative picture folders are taken from Config.ini's folder, so a skin can be checked
    // from anywhere; what is looked at and what is said about it is zn_skin's
    // (skin/skinplan.h), shared with the web edition.
    const std::string base = (QFileInfo(iniPath).absolutePath() + QLatin1Char('/')).toStdString();
    gfx::PictureCache pictures;
    const skin::PictureFactTable facts =
        pictures.lookAt(skin::pictureFiles(file.skin, false, skin::Purpose::Check, base));
    QStringList problems;
    for (const std::string& line : skin::checkSkin(file.skin, facts, base)) problems << qs(line);
    return problems;
}

int slotNamed(const QString& name) {
    for (int i = 0; i < kImageCount; ++i)
        if (nameOf(img::at(i)) == name) return slotOf(img::at(i));
    return 0;
}

namespace {

// The skin of iniPath and the slot of the named image; the slot is 0, and error set, when the
// image is in no slot or the file gives no skin.
std::pair<skin::SkinFile, int> skinAndSlot(const QString& iniPath, const QString& name, QString& error) {
    const int slot = slotNamed(name);
    if (slot == 0) {
        error = QStringLiteral("no image named '%1' is in a slot of Config.ini").arg(name);
        return {};
    }
    skin::SkinFile file = skin::readSkinFile(iniPath);
    if (!file.error) return {std::move(file), slot};
    error = fileErrorText(iniPath, *file.error);
    return {};
}

}  // namespace

QString imageRect(const QString& iniPath, const QString& name, QString& error) {
    const auto [file, slot] = skinAndSlot(iniPath, name, error);
    if (slot == 0) return {};
    const skin::ImageSection& s = file.skin.imageSection(slotImage(slot));
    return QStringLiteral("%1 %2 %3 %4")
        .arg(s.placedLeft(0).value)
        .arg(s.placedTop(0).value)
        .arg(s.width.value)
        .arg(s.height.value);
}

QString picturePath(const QString& iniPath, const QString& name, QString& error) {
    const auto [file, slot] = skinAndSlot(iniPath, name, error);
    if (slot == 0) return {};
    const std::string& fileName = file.skin.imageSection(slotImage(slot)).fileName;
    if (!skin::namesPicture(fileName)) {
        error = QStringLiteral("the image '%1' is given no picture").arg(name);
        return {};
    }
    const std::string base = (QFileInfo(iniPath).absolutePath() + QLatin1Char('/')).toStdString();
    return qs(skin::picturePath(skin::resolvedFolder(base, file.skin.skinDir), fileName));
}

}  // namespace zn::skincheck
