#include "tools/skincheck/skincheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <optional>
#include <string>

#include "display/gfxinit.h"
#include "display/skinini.h"
#include "engine/images.h"

namespace zn::skincheck {
namespace {

// Stands in for an absent key: no line of an INI file can hold a value with a NUL in it.
const std::string kAbsent("\0absent", 7);

bool isDigitSource(int slot) { return slot >= 23 && slot <= 32; }  // im_panel_number_0..9
// The game lights these slots by showing them, so they need a picture of their own.
bool needsPicture(int slot) { return slot >= 15 && !(slot >= 18 && slot <= 22); }
// Every slot but the digit pictures is shown on the device with its own rectangle.
bool isShown(int slot) { return !isDigitSource(slot); }

constexpr std::array kClickSlots{4, 6, 8, 11, 12, 13, 14};

QString qs(const std::string& s) { return QString::fromStdString(s); }

class Checker {
public:
    explicit Checker(const QString& iniPath) : iniPath_(iniPath) {}

    QStringList run() {
        if (!load()) return problems_;
        gameWidth_ = gameExtent("GameWidth", 692);
        gameHeight_ = gameExtent("GameHeight", 747);
        checkFullscreen();
        colour("VideoMode", "TranspColor");
        const std::string skinDir = folder("Common", "SkinDir", "Graphics\\Skin\\");
        std::array<QRect, 199> rects{};
        for (int n = 1; n <= 198; ++n) rects[static_cast<std::size_t>(n)] = checkSlot(n, skinDir);
        checkClickAreas(rects);
        return problems_;
    }

private:
    bool load() {
        const QFileInfo info(iniPath_);
        if (!info.exists()) return fail(QStringLiteral("%1: no such file").arg(iniPath_));
        if (!info.isFile()) return fail(QStringLiteral("%1: not a regular file").arg(iniPath_));
        if (info.size() > static_cast<qint64>(skin::kMaxIniBytes))
            return fail(QStringLiteral("%1: too large (%2 bytes; the simulator reads at most %3)")
                            .arg(iniPath_)
                            .arg(info.size())
                            .arg(skin::kMaxIniBytes));
        QFile file(iniPath_);
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("%1: cannot be read: %2").arg(iniPath_, file.errorString()));
        const QByteArray data = file.read(static_cast<qint64>(skin::kMaxIniBytes) + 1);
        const std::string error =
            ini_.load(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
        if (!error.empty()) return fail(iniPath_ + QStringLiteral(": ") + qs(error));
        iniDir_ = info.absolutePath();
        return true;
    }

    bool fail(const QString& text) {
        problems_ << text;
        return false;
    }

    void problem(const std::string& section, const char* key, const QString& text) {
        problems_ << QStringLiteral("[%1] %2: %3").arg(qs(section), QString::fromLatin1(key), text);
    }

    std::optional<std::string> value(const std::string& section, const char* key) const {
        std::string v = ini_.text(section.c_str(), key, kAbsent);
        if (v == kAbsent) return std::nullopt;
        return v;
    }

    // An integer key: a present value must be in the integer syntax. Absent gives fallback.
    std::int32_t integer(const std::string& section, const char* key, std::int32_t fallback) {
        const auto text = value(section, key);
        if (!text) return fallback;
        const auto v = skin::parseInteger(*text);
        if (!v) {
            problem(section, key,
                    qs(skin::notAnInteger(*text)) + QStringLiteral("; %1 is used").arg(fallback));
            return fallback;
        }
        return *v;
    }

    int gameExtent(const char* key, int fallback) {
        const std::int32_t v = integer("Common", key, fallback);
        if (v >= 1 && v <= gfx::kMaxExtent) return v;
        problem("Common", key, QStringLiteral("%1 is out of range (1..%2)").arg(v).arg(gfx::kMaxExtent));
        return fallback;
    }

    void colour(const char* section, const char* key) {
        const auto text = value(section, key);
        if (text && !skin::parseColour(*text)) problem(section, key, qs(skin::notAnInteger(*text)));
    }

    void offset(const char* key) {
        const auto text = value("Fullscreen", key);
        if (!text || skin::parseInteger(*text)) return;
        if (QString::fromStdString(*text).compare(QLatin1String("Center"), Qt::CaseInsensitive) == 0) return;
        problem("Fullscreen", key,
                QStringLiteral("'%1' is neither a number of pixels nor Center; the game area is centred")
                    .arg(qs(*text)));
    }

    // A picture folder as the simulator would form it, relative ones taken from Config.ini's folder.
    std::string folder(const char* section, const char* key, const char* fallback) const {
        const std::string f = skin::folderPath(ini_.text(section, key, fallback));
        if (f.empty() || QDir::isAbsolutePath(qs(f))) return f;
        return (iniDir_ + QLatin1Char('/')).toStdString() + f;
    }

    // Checks a named picture once per file; true when it decodes.
    bool picture(const std::string& section, const char* key, const std::string& dir,
                 const std::string& name) {
        const QString path = qs(skin::picturePath(dir, name));
        const auto known = pictures_.find(path);
        if (known != pictures_.end()) return known->second;
        bool ok = false;
        const QFileInfo info(path);
        if (!info.exists()) {
            problem(section, key, QStringLiteral("picture '%1' is missing").arg(path));
        } else if (!info.isFile()) {
            problem(section, key, QStringLiteral("picture '%1' is not a file").arg(path));
        } else {
            QString error;
            ok = !gfx::loadPicture(path, error).isNull();
            if (!ok) problem(section, key, error);
        }
        pictures_.emplace(path, ok);
        return ok;
    }

    void checkFullscreen() {
        const std::string backdropDir = folder("Fullscreen", "BackdropDir", "Graphics\\Backdrop\\");
        const std::string backdrop = ini_.text("Fullscreen", "BackdropFile", "nil");
        if (skin::namesPicture(backdrop)) picture("Fullscreen", "BackdropFile", backdropDir, backdrop);
        const std::int32_t stretch = integer("Fullscreen", "BackdropStretch", 0);
        if (stretch != 0 && stretch != 1)
            problem("Fullscreen", "BackdropStretch", QStringLiteral("%1 is neither 0 nor 1").arg(stretch));
        colour("Fullscreen", "BgColor");
        offset("GameOffsetX");
        offset("GameOffsetY");
        const std::string logo = ini_.text("Fullscreen", "LogoFile", "nil");
        if (skin::namesPicture(logo)) picture("Fullscreen", "LogoFile", backdropDir, logo);
        const std::int32_t corner = integer("Fullscreen", "LogoPosition", 1);
        if (corner < 0 || corner > 3)
            problem("Fullscreen", "LogoPosition",
                    QStringLiteral("%1 is no corner (0..3); the logo stays at the top left").arg(corner));
    }

    // The slot's rectangle in the game area, empty when it has no size or is malformed.
    QRect checkSlot(int n, const std::string& skinDir) {
        const std::string section = "Image" + std::to_string(n);
        const QString name = QString::fromLatin1(imageName(slotImage(n)));
        const std::string file = ini_.text(section.c_str(), "Filename", "");
        if (skin::namesPicture(file))
            picture(section, "Filename", skinDir, file);
        else if (needsPicture(n))
            problem(section, "Filename",
                    QStringLiteral("%1 has no picture, so the game lights nothing there").arg(name));

        const long long left = integer(section, "Left", 0);
        const long long top = integer(section, "Top", 0);
        long long width = integer(section, "Width", 0);
        long long height = integer(section, "Height", 0);
        for (const auto& [key, v] : {std::pair{"Width", &width}, std::pair{"Height", &height}}) {
            if (*v >= 0 && *v <= gfx::kMaxExtent) continue;
            problem(section, key, QStringLiteral("%1 is out of range (0..%2)").arg(*v).arg(gfx::kMaxExtent));
            *v = 0;
        }
        if (!isShown(n)) return {};
        if (width == 0 || height == 0) {
            problems_ << QStringLiteral("[%1] %2 has zero size (%3 x %4) but the game shows it")
                             .arg(qs(section), name)
                             .arg(width)
                             .arg(height);
            return {};
        }
        if (left < 0 || top < 0 || left + width > gameWidth_ || top + height > gameHeight_) {
            problems_ << QStringLiteral("[%1] %2 at %3,%4 size %5 x %6 lies outside the game area (%7 x %8)")
                             .arg(qs(section), name)
                             .arg(left)
                             .arg(top)
                             .arg(width)
                             .arg(height)
                             .arg(gameWidth_)
                             .arg(gameHeight_);
        }
        return QRect(static_cast<int>(std::clamp<long long>(left, INT32_MIN / 2, INT32_MAX / 2)),
                     static_cast<int>(std::clamp<long long>(top, INT32_MIN / 2, INT32_MAX / 2)),
                     static_cast<int>(width), static_cast<int>(height));
    }

    void checkClickAreas(const std::array<QRect, 199>& rects) {
        for (std::size_t i = 0; i < kClickSlots.size(); ++i)
            for (std::size_t j = i + 1; j < kClickSlots.size(); ++j) {
                const int a = kClickSlots[i], b = kClickSlots[j];
                const QRect& ra = rects[static_cast<std::size_t>(a)];
                const QRect& rb = rects[static_cast<std::size_t>(b)];
                if (ra.isEmpty() || rb.isEmpty() || !ra.intersects(rb)) continue;
                problems_ << QStringLiteral("click areas %1 [Image%2] and %3 [Image%4] overlap")
                                 .arg(QString::fromLatin1(imageName(slotImage(a))))
                                 .arg(a)
                                 .arg(QString::fromLatin1(imageName(slotImage(b))))
                                 .arg(b);
            }
    }

    QString iniPath_;
    QString iniDir_;
    skin::SkinIni ini_;
    int gameWidth_ = 692;
    int gameHeight_ = 747;
    QStringList problems_;
    std::map<QString, bool> pictures_;
};

}  // namespace

QStringList checkSkin(const QString& iniPath) { return Checker(iniPath).run(); }

}  // namespace zn::skincheck
