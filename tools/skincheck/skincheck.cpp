#include "tools/skincheck/skincheck.h"

#include <QFileInfo>
#include <QSize>

#include "display/picturecache.h"
#include "display/skinfile.h"
#include "engine/images.h"
#include "skin/skinchecks.h"

namespace zn::skincheck {
namespace {

using State = gfx::PictureCache::Picture::State;

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

class Checker {
public:
    explicit Checker(const QString& iniPath) : iniPath_(iniPath) {}

    QStringList run() {
        const skin::SkinFile file = skin::readSkinFile(iniPath_);
        if (file.error) {
            problems_ << fileErrorText(iniPath_, *file.error);
            return problems_;
        }
        // The description's own problems are zn_skin's (skin/skinchecks.h), shared with the web
        // edition; the pictures are looked at here, in their place in the order.
        skin::checkDescription(
            file.skin, [this](const std::string& line) { problems_ << qs(line); },
            [this](const std::string& section, const char* key, const std::string& dir, const std::string& name) {
                picture(section, key, dir, name);
            });
        return problems_;
    }

private:
    void problem(const std::string& section, const std::string& key, const QString& text) {
        problems_ << QStringLiteral("[%1] %2: %3").arg(qs(section), qs(key), text);
    }

    // Looks at a named picture, and at its name@2x partner when the skin gives one, reporting
    // their problems once per file.
    void picture(const std::string& section, const char* key, const std::string& dir,
                 const std::string& name) {
        const auto [p, first] = pictures_.look(dir, name);
        if (!first) return;
        pictureState(section, key, p);
        // The path is complete already: an empty folder takes it as it is.
        const auto [hi, hiFirst] = pictures_.look({}, gfx::hiResPartnerPath(p.path).toStdString());
        if (hi.state == State::Missing) return;       // the skin gives no partner
        if (hiFirst) pictureState(section, key, hi);  // a skin may name the partner in a slot as well
        if (p.state != State::Loaded || hi.state != State::Loaded) return;
        const QSize size = p.image.size();
        const QSize twice = size * 2;
        const QSize hiRes = hi.image.size();
        if (hiRes != twice)
            problem(section, key,
                    QStringLiteral("picture '%1' is %2 x %3, not twice the %4 x %5 of '%6' (%7 x %8)")
                        .arg(hi.path)
                        .arg(hiRes.width())
                        .arg(hiRes.height())
                        .arg(size.width())
                        .arg(size.height())
                        .arg(p.path)
                        .arg(twice.width())
                        .arg(twice.height()));
    }

    void pictureState(const std::string& section, const char* key, const gfx::PictureCache::Picture& p) {
        switch (p.state) {
            case State::Loaded:
                break;
            case State::Missing:
                problem(section, key, QStringLiteral("picture '%1' is missing").arg(p.path));
                break;
            case State::NotAFile:
                problem(section, key, QStringLiteral("picture '%1' is not a file").arg(p.path));
                break;
            case State::Undecodable:
                problem(section, key, p.error);
                break;
        }
    }

    QString iniPath_;
    gfx::PictureCache pictures_{QFileInfo(iniPath_).absolutePath()};  // folders from Config.ini's place
    QStringList problems_;
};

}  // namespace

QStringList checkSkin(const QString& iniPath) { return Checker(iniPath).run(); }

int slotNamed(const QString& name) {
    for (int i = 0; i < kImageCount; ++i)
        if (nameOf(img::at(i)) == name) return slotOf(img::at(i));
    return 0;
}

QString imageRect(const QString& iniPath, const QString& name, QString& error) {
    const int slot = slotNamed(name);
    if (slot == 0) {
        error = QStringLiteral("no image named '%1' is in a slot of Config.ini").arg(name);
        return {};
    }
    const skin::SkinFile file = skin::readSkinFile(iniPath);
    if (file.error) {
        error = fileErrorText(iniPath, *file.error);
        return {};
    }
    const skin::ImageSection& s = file.skin.imageSection(slotImage(slot));
    return QStringLiteral("%1 %2 %3 %4")
        .arg(s.placedLeft(0).value)
        .arg(s.placedTop(0).value)
        .arg(s.width.value)
        .arg(s.height.value);
}

}  // namespace zn::skincheck
