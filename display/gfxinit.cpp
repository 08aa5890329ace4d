#include "display/gfxinit.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <map>
#include <string>

#include "display/skinini.h"

namespace zn {
namespace {

constexpr const char* kNotFound = "Configuration file (Config.ini) not found. Please reinstall the game.";
constexpr int kMaxReportedProblems = 12;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// One run of the set-up: the INI contents, the offsets and the problems met on the way.
class SkinSetup {
public:
    SkinSetup(GfxTarget& target, AppServices& app, const skin::SkinIni& ini)
        : t_(target), app_(app), ini_(ini) {}

    void run(bool fullscreen) {
        skinDir_ = skin::folderPath(ini_.text("Common", "SkinDir", "Graphics\\Skin\\"));
        t_.setClientHeight(gameExtent("GameHeight", 747));
        t_.setClientWidth(gameExtent("GameWidth", 692));
        if (fullscreen)
            setUpFullscreen();
        else
            setUpWindowed();
        for (int n = 1; n <= 198; ++n) setUpSlot(n);
    }

    void reportProblems() {
        if (problems_.isEmpty()) return;
        QStringList shown = problems_.mid(0, kMaxReportedProblems);
        if (problems_.size() > kMaxReportedProblems)
            shown << QStringLiteral("... and %1 more problems.").arg(problems_.size() - kMaxReportedProblems);
        app_.showError(shown.join('\n'));
    }

private:
    // GameWidth and GameHeight: an integer of 1..kMaxExtent, else reported and the default used.
    int gameExtent(const char* key, int fallback) {
        const int v = ini_.integer("Common", key, fallback);
        if (v >= 1 && v <= gfx::kMaxExtent) return v;
        problems_ << QStringLiteral("%1 %2 is out of range (1..%3); %4 is used instead.")
                         .arg(key)
                         .arg(v)
                         .arg(gfx::kMaxExtent)
                         .arg(fallback);
        return fallback;
    }

    std::uint32_t colour(const char* section, const char* key, const char* fallback) {
        const std::string text = ini_.text(section, key, fallback);
        if (const auto c = skin::parseColour(text)) return *c;
        problems_ << qs(skin::notAnInteger(text)) + QStringLiteral(" ([%1] %2)").arg(section, key);
        return *skin::parseColour(fallback);
    }

    // The picture folder + fileName, or null when there is no such file (silently) or it cannot
    // be decoded (reported once per file). Each file is decoded once per run: a skin gives the
    // same picture to dozens of figures.
    QImage picture(const std::string& folder, const std::string& fileName) {
        const QString path = qs(skin::picturePath(folder, fileName));
        if (!QFileInfo(path).isFile()) return {};
        const auto known = decoded_.find(path);
        if (known != decoded_.end()) return known->second;
        QString error;
        QImage image = gfx::loadPicture(path, error);
        if (image.isNull()) problems_ << error;
        decoded_.emplace(path, image);
        return image;
    }

    void setUpFullscreen() {
        const std::string backdropDir =
            skin::folderPath(ini_.text("Fullscreen", "BackdropDir", "Graphics\\Backdrop\\"));
        const std::string backdropFile = ini_.text("Fullscreen", "BackdropFile", "nil");
        if (skin::namesPicture(backdropFile)) {
            const QImage image = picture(backdropDir, backdropFile);
            if (!image.isNull()) {
                t_.setPicture(img::im_backdrop, image);
                t_.setImageStretch(img::im_backdrop, ini_.integer("Fullscreen", "BackdropStretch", 0) == 1);
                t_.setImageVisible(img::im_backdrop, true);
            }
        }

        t_.setBackgroundColor(colour("Fullscreen", "BgColor", "$00000000"));
        t_.setKeyColorTransparency(false, 0);

        const auto offX = skin::parseOffset(ini_.text("Fullscreen", "GameOffsetX", "Center"));
        const auto offY = skin::parseOffset(ini_.text("Fullscreen", "GameOffsetY", "Center"));
        offsetX_ = offX ? *offX : skin::centredOffset(app_.screenWidth(), t_.clientWidth());
        offsetY_ = offY ? *offY : skin::centredOffset(app_.screenHeight(), t_.clientHeight());

        t_.setClientWidth(app_.screenWidth());
        t_.setClientHeight(app_.screenHeight());

        const std::string logoFile = ini_.text("Fullscreen", "LogoFile", "nil");
        if (skin::namesPicture(logoFile)) {
            const QImage image = picture(backdropDir, logoFile);
            if (!image.isNull()) {
                const ImageId logo = img::im_backdrop_logo;
                t_.setPicture(logo, image);
                t_.setImageAutoSize(logo);
                t_.setImageVisible(logo, true);
                const int right = t_.clientWidth() - t_.imageWidth(logo);
                const int bottom = t_.clientHeight() - t_.imageHeight(logo);
                switch (ini_.integer("Fullscreen", "LogoPosition", 1)) {
                    case 0:
                        place(logo, 0, 0);
                        break;
                    case 1:
                        place(logo, right, 0);
                        break;
                    case 2:
                        place(logo, 0, bottom);
                        break;
                    case 3:
                        place(logo, right, bottom);
                        break;
                    default:
                        break;  // any other corner number leaves the logo where it is
                }
            }
        }
    }

    void place(ImageId id, int left, int top) {
        t_.setImageLeft(id, left);
        t_.setImageTop(id, top);
    }

    void setUpWindowed() {
        offsetX_ = offsetY_ = 0;
        const std::uint32_t key = colour("VideoMode", "TranspColor", "$00ff00ff");
        t_.setBackgroundColor(key);
        t_.setKeyColorTransparency(true, key);
        t_.setImageVisible(img::im_backdrop, false);
        t_.setImageVisible(img::im_backdrop_logo, false);
    }

    void setUpSlot(int n) {
        const std::string section = "Image" + std::to_string(n);
        const char* s = section.c_str();
        const ImageId image = slotImage(n);

        const std::string fileName = ini_.text(s, "Filename", "");
        if (skin::namesPicture(fileName)) {
            const QImage loaded = picture(skinDir_, fileName);
            t_.setPicture(image, loaded.isNull() ? gfx::placeholderPicture() : loaded);
        }

        t_.setImageHeight(image, extent(section, "Height"));
        t_.setImageLeft(image, position(section, "Left", offsetX_));
        t_.setImageTop(image, position(section, "Top", offsetY_));
        t_.setImageWidth(image, extent(section, "Width"));
    }

    int extent(const std::string& section, const char* key) {
        const int v = ini_.integer(section.c_str(), key, 0);
        const int clamped = std::clamp(v, 0, gfx::kMaxExtent);
        if (clamped != v)
            problems_ << QStringLiteral("[%1] %2 %3 is out of range (0..%4); %5 is used instead.")
                             .arg(qs(section), key)
                             .arg(v)
                             .arg(gfx::kMaxExtent)
                             .arg(clamped);
        return clamped;
    }

    // Left or Top plus the game-area offset, summed wide so that no value can overflow.
    int position(const std::string& section, const char* key, std::int32_t offset) {
        const long long v = static_cast<long long>(ini_.integer(section.c_str(), key, 0)) + offset;
        const long long clamped = std::clamp<long long>(v, -gfx::kMaxPosition, gfx::kMaxPosition);
        if (clamped != v)
            problems_ << QStringLiteral(
                             "[%1] %2 puts the image at %3, out of range (-%4..%4); %5 is used instead.")
                             .arg(qs(section), key)
                             .arg(v)
                             .arg(gfx::kMaxPosition)
                             .arg(clamped);
        return static_cast<int>(clamped);
    }

    GfxTarget& t_;
    AppServices& app_;
    const skin::SkinIni& ini_;
    std::string skinDir_;
    std::int32_t offsetX_ = 0;
    std::int32_t offsetY_ = 0;
    QStringList problems_;
    std::map<QString, QImage> decoded_;
};

// Reads Config.ini whole, refusing files too big to be a skin. Returns an error text, empty on success.
QString readIni(const QString& path, skin::SkinIni& ini) {
    const qint64 size = QFileInfo(path).size();
    if (size > static_cast<qint64>(skin::kMaxIniBytes))
        return QStringLiteral(
                   "Configuration file (Config.ini) is too large (%1 bytes; the limit is %2 bytes).")
            .arg(size)
            .arg(skin::kMaxIniBytes);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Configuration file (Config.ini) cannot be read: %1.").arg(file.errorString());
    const QByteArray data = file.read(static_cast<qint64>(skin::kMaxIniBytes) + 1);
    const std::string error =
        ini.load(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    return error.empty() ? QString() : qs(error) + '.';
}

void showGameMenuButton(GfxTarget& t, bool fullscreen) {
    t.setImageVisible(img::btn_game_menu_top, fullscreen);
    t.setImageVisible(img::btn_game_menu_background, fullscreen);
    t.setImageWidth(img::btn_game_menu_background, 36);
    t.setImageHeight(img::btn_game_menu_background, 32);
}

}  // namespace

namespace gfx {

QImage placeholderPicture() {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.fillRect(1, 1, 8, 8, QColor(255, 0, 0));
    return image;
}

QImage loadPicture(const QString& path, QString& error) {
    const QString ext = QString::fromStdString(skin::extensionOf(path.toStdString()));
    QByteArray format;
    if (ext == QLatin1String("png"))
        format = "png";
    else if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        format = "jpeg";
    else if (ext == QLatin1String("bmp"))
        format = "bmp";
    else if (ext == QLatin1String("ico"))
        format = "ico";
    else {
        error = QStringLiteral("Unknown picture file extension (.%1) of '%2'").arg(ext, path);
        return {};
    }
    if (!QImageReader::supportedImageFormats().contains(format)) {
        error = QStringLiteral("No decoder for .%1 pictures is installed ('%2')").arg(ext, path);
        return {};
    }

    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();  // from the header, before anything is decoded
    if (size.isValid() && (size.width() > kMaxExtent || size.height() > kMaxExtent ||
                           static_cast<long long>(size.width()) * size.height() > kMaxPicturePixels)) {
        error =
            QStringLiteral("Picture '%1' is too large (%2 x %3 pixels; at most %4 on a side and %5 pixels)")
                .arg(path)
                .arg(size.width())
                .arg(size.height())
                .arg(kMaxExtent)
                .arg(kMaxPicturePixels);
        return {};
    }
    QImage image = reader.read();
    if (image.isNull())
        error = QStringLiteral("Picture '%1' cannot be decoded: %2").arg(path, reader.errorString());
    return image;
}

}  // namespace gfx

bool Gfx_Init(GfxTarget& target, AppServices& app, bool Vid_Fullscreen) {
    const QString iniPath = app.configDir() + QStringLiteral("/Config.ini");
    bool ok = QFileInfo(iniPath).isFile();
    if (!ok) {
        app.endWithError(QString::fromLatin1(kNotFound), iniPath);
    } else {
        skin::SkinIni ini;
        const QString error = readIni(iniPath, ini);
        if (!error.isEmpty()) {
            // As fatal as a missing file: without its contents there is no skin to lay out.
            app.endWithError(error, iniPath);
            ok = false;
        } else {
            SkinSetup setup(target, app, ini);
            setup.run(Vid_Fullscreen);
            setup.reportProblems();
        }
    }
    showGameMenuButton(target, Vid_Fullscreen);
    return ok;
}

}  // namespace zn
