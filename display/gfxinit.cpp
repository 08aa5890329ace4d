#include "display/gfxinit.h"

#include <QStringList>

#include "display/picturecache.h"
#include "display/skinfile.h"
#include "skin/skinproblems.h"

namespace zn {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

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

void place(GfxTarget& t, ImageId id, int left, int top) {
    t.setImageLeft(id, left);
    t.setImageTop(id, top);
}

// The plan applied to the window, the pictures taken from the cache that looked at them.
class PlanApplier {
public:
    PlanApplier(GfxTarget& target, gfx::PictureCache& pictures) : t_(target), pictures_(pictures) {}

    void apply(const skin::SetupPlan& plan) {
        const skin::PlannedBackdrop& backdrop = plan.backdrop;
        if (backdrop.shown == skin::Shown::Shown) {
            t_.setPicture(img::im_backdrop, picture(backdrop.path));
            t_.setImageStretch(img::im_backdrop, backdrop.stretch);
        }
        t_.setBackgroundColor(plan.background);
        t_.setKeyColorTransparency(plan.keyTransparent, plan.keyColour);
        t_.setClientHeight(plan.clientHeight);
        t_.setClientWidth(plan.clientWidth);
        show(img::im_backdrop, backdrop.shown);
        const skin::PlannedLogo& logo = plan.logo;
        if (logo.shown == skin::Shown::Shown) {
            t_.setPicture(img::im_backdrop_logo, picture(logo.path));
            t_.setImageAutoSize(img::im_backdrop_logo);
            if (logo.placed) place(t_, img::im_backdrop_logo, logo.left, logo.top);
        }
        show(img::im_backdrop_logo, logo.shown);
        for (const skin::PlannedImage& image : plan.images) slot(image);
        t_.setGameArea(QRect(plan.gameX, plan.gameY, plan.gameWidth, plan.gameHeight));
    }

private:
    QImage picture(const std::string& path) { return pictures_.picture(path).image; }

    void show(ImageId id, skin::Shown shown) {
        if (shown != skin::Shown::Unchanged) t_.setImageVisible(id, shown == skin::Shown::Shown);
    }

    void slot(const skin::PlannedImage& image) {
        using Choice = skin::PictureChoice;
        if (image.picture == Choice::File || image.picture == Choice::Placeholder) {
            t_.setPicture(image.id,
                          image.picture == Choice::File ? picture(image.path) : gfx::placeholderPicture());
            t_.setHiResPartner(image.id, qs(image.partner));
        }
        t_.setImageHeight(image.id, image.height);
        place(t_, image.id, image.left, image.top);
        t_.setImageWidth(image.id, image.width);
    }

    GfxTarget& t_;
    gfx::PictureCache& pictures_;
};

void showGameMenuButton(GfxTarget& t, const skin::MenuButton& button) {
    t.setImageVisible(img::btn_game_menu_top, button.visible);
    t.setImageVisible(img::btn_game_menu_background, button.visible);
    t.setImageWidth(img::btn_game_menu_background, button.width);
    t.setImageHeight(img::btn_game_menu_background, button.height);
}

}  // namespace

bool Gfx_Init(GfxTarget& target, AppServices& app, bool Vid_Fullscreen, skin::SetupPlan* planned) {
    const QString iniPath = app.configDir() + QStringLiteral("/Config.ini");
    const skin::SkinFile file = skin::readSkinFile(iniPath);
    if (file.error) {
        app.endWithError(fileErrorText(*file.error), iniPath);
        showGameMenuButton(target, skin::gameMenuButton(Vid_Fullscreen));
        return false;
    }
    // A new cache each run: a mode switch looks at every picture again.
    gfx::PictureCache pictures;
    const skin::PictureFactTable facts =
        pictures.lookAt(skin::pictureFiles(file.skin, Vid_Fullscreen, skin::Purpose::Setup));
    skin::SetupPlan plan =
        skin::planSetup(file.skin, Vid_Fullscreen, app.screenWidth(), app.screenHeight(), facts);
    PlanApplier(target, pictures).apply(plan);
    showGameMenuButton(target, plan.menuButton);
    if (!plan.problems.empty()) {
        QStringList shown;
        for (const std::string& line : skin::boxLines(plan.problems)) shown << qs(line);
        app.showError(shown.join('\n'));
    }
    if (planned) *planned = std::move(plan);
    return true;
}

}  // namespace zn
