#include "display/gfxinit.h"

#include <QStringList>
#include <algorithm>

#include "display/picturecache.h"
#include "display/skinfile.h"
#include "skin/skinproblems.h"

namespace zn {
namespace {

using Kind = skin::Problem::Kind;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// One run of the set-up: the skin, the offsets and the problems met on the way. Malformed
// integers fall back to their defaults silently; what is reported is what stands in for a
// value out of range, a colour that is no integer and a picture that cannot be decoded.
class SkinSetup {
public:
    SkinSetup(GfxTarget& target, AppServices& app, const skin::SkinDescription& skin)
        : t_(target), app_(app), skin_(skin) {}

    void run(bool fullscreen) {
        prefetchPictures();
        const int height = gameExtent(skin_.gameHeight);
        const int width = gameExtent(skin_.gameWidth);
        t_.setClientHeight(height);
        t_.setClientWidth(width);
        if (fullscreen)
            setUpFullscreen();
        else
            setUpWindowed();
        for (const skin::ImageSection& slot : skin_.imageSections) setUpSlot(slot);
        // Where the game area lies, within the range the images' own positions are held to
        // (an offset may be any 32-bit number).
        const auto held = [](std::int32_t v) {
            return std::clamp(v, -skin::kMaxPosition, skin::kMaxPosition);
        };
        t_.setGameArea(QRect(held(offsetX_), held(offsetY_), width, height));
    }

    void reportProblems() {
        if (problems_.empty()) return;
        QStringList shown;
        for (const std::string& line : skin::boxLines(problems_)) shown << qs(line);
        app_.showError(shown.join('\n'));
    }

private:
    // The words of each problem are zn_skin's (skin/skinproblems.h), shared with the web edition.
    int gameExtent(const skin::Checked<int>& v) {
        if (v.has(Kind::OutOfRange)) problems_.push_back(skin::gameExtentLine(*v.problem));
        return v.value;
    }

    int extent(const skin::Checked<int>& v) {
        if (v.has(Kind::OutOfRange)) problems_.push_back(skin::extentLine(*v.problem));
        return v.value;
    }

    int position(const skin::Checked<int>& v) {
        if (v.has(Kind::OutOfRange)) problems_.push_back(skin::positionLine(*v.problem));
        return v.value;
    }

    std::uint32_t colour(const skin::Checked<std::uint32_t>& c) {
        if (c.has(Kind::NotAnInteger)) problems_.push_back(skin::colourLine(*c.problem));
        return c.value;
    }

    // The picture, or null when there is no such file (silently) or it cannot be decoded
    // (reported once per file). hiRes, when given, gets the path of its double-size partner.
    QImage picture(const std::string& folder, const std::string& fileName, QString* hiRes = nullptr) {
        const auto [p, first] = pictures_.look(folder, fileName);
        if (first && p.state == gfx::PictureCache::Picture::State::Undecodable)
            problems_.push_back(p.error.toStdString());
        if (hiRes) *hiRes = p.hiResPath;
        return p.image;
    }

    // The slots' picture files, decoded side by side before the run looks at them one by one
    // in its own order (which decides the order of the reported problems). The backdrop and
    // the logo are left to that run: decoded beside the others, the large backdrop left the
    // heap 2.5 MB larger for good.
    void prefetchPictures() {
        std::vector<std::pair<std::string, std::string>> files;
        for (const skin::ImageSection& slot : skin_.imageSections)
            if (skin::namesPicture(slot.fileName)) files.emplace_back(skin_.skinDir, slot.fileName);
        pictures_.prefetch(files);
    }

    void setUpFullscreen() {
        if (skin::namesPicture(skin_.backdropFile)) {
            const QImage image = picture(skin_.backdropDir, skin_.backdropFile);
            if (!image.isNull()) {
                t_.setPicture(img::im_backdrop, image);
                t_.setImageStretch(img::im_backdrop, skin_.backdropStretch.value == 1);
                t_.setImageVisible(img::im_backdrop, true);
            }
        }

        t_.setBackgroundColor(colour(skin_.bgColor));
        t_.setKeyColorTransparency(false, 0);

        const auto& offX = skin_.gameOffsetX.value;
        const auto& offY = skin_.gameOffsetY.value;
        offsetX_ = offX ? *offX : skin::centredOffset(app_.screenWidth(), t_.clientWidth());
        offsetY_ = offY ? *offY : skin::centredOffset(app_.screenHeight(), t_.clientHeight());

        t_.setClientWidth(app_.screenWidth());
        t_.setClientHeight(app_.screenHeight());

        if (skin::namesPicture(skin_.logoFile)) {
            const QImage image = picture(skin_.backdropDir, skin_.logoFile);
            if (!image.isNull()) {
                const ImageId logo = img::im_backdrop_logo;
                t_.setPicture(logo, image);
                t_.setImageAutoSize(logo);
                t_.setImageVisible(logo, true);
                const int right = t_.clientWidth() - t_.imageWidth(logo);
                const int bottom = t_.clientHeight() - t_.imageHeight(logo);
                switch (skin_.logoPosition.value) {
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
        const std::uint32_t key = colour(skin_.transpColor);
        t_.setBackgroundColor(key);
        t_.setKeyColorTransparency(true, key);
        t_.setImageVisible(img::im_backdrop, false);
        t_.setImageVisible(img::im_backdrop_logo, false);
    }

    void setUpSlot(const skin::ImageSection& slot) {
        const ImageId image = slotImage(slot.slot);
        if (skin::namesPicture(slot.fileName)) {
            QString hiRes;
            const QImage loaded = picture(skin_.skinDir, slot.fileName, &hiRes);
            t_.setPicture(image, loaded.isNull() ? gfx::placeholderPicture() : loaded);
            t_.setHiResPartner(image, hiRes);
        }
        t_.setImageHeight(image, extent(slot.height));
        t_.setImageLeft(image, position(slot.placedLeft(offsetX_)));
        t_.setImageTop(image, position(slot.placedTop(offsetY_)));
        t_.setImageWidth(image, extent(slot.width));
    }

    GfxTarget& t_;
    AppServices& app_;
    const skin::SkinDescription& skin_;
    std::int32_t offsetX_ = 0;
    std::int32_t offsetY_ = 0;
    std::vector<std::string> problems_;
    gfx::PictureCache pictures_;  // a new one each run: a mode switch loads every picture again
};

// The text for a Config.ini that gives no skin; as fatal as a missing file.
QString fileErrorText(const skin::FileError& e) {
    using K = skin::FileError::Kind;
    switch (e.kind) {
        case K::Missing:
        case K::NotAFile:
            return QString::fromLatin1(skin::kConfigNotFound.data(), skin::kConfigNotFound.size());
        case K::TooLarge:
            return qs(skin::configTooLarge(e.size));
        case K::Unreadable:
            return qs(skin::configUnreadable(e.detail.toStdString()));
        case K::Unparsable:
            break;
    }
    return qs(skin::configUnparsable(e.detail.toStdString()));
}

void showGameMenuButton(GfxTarget& t, bool fullscreen) {
    t.setImageVisible(img::btn_game_menu_top, fullscreen);
    t.setImageVisible(img::btn_game_menu_background, fullscreen);
    t.setImageWidth(img::btn_game_menu_background, 36);
    t.setImageHeight(img::btn_game_menu_background, 32);
}

}  // namespace

bool Gfx_Init(GfxTarget& target, AppServices& app, bool Vid_Fullscreen) {
    const QString iniPath = app.configDir() + QStringLiteral("/Config.ini");
    const skin::SkinFile file = skin::readSkinFile(iniPath);
    if (file.error) {
        app.endWithError(fileErrorText(*file.error), iniPath);
    } else {
        SkinSetup setup(target, app, file.skin);
        setup.run(Vid_Fullscreen);
        setup.reportProblems();
    }
    showGameMenuButton(target, Vid_Fullscreen);
    return !file.error;
}

}  // namespace zn
