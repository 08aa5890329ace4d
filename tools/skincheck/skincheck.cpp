#include "tools/skincheck/skincheck.h"

#include <QFileInfo>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <array>
#include <climits>

#include "display/picturecache.h"
#include "display/skinfile.h"
#include "engine/images.h"

namespace zn::skincheck {
namespace {

using Kind = skin::Problem::Kind;
using State = gfx::PictureCache::Picture::State;

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString nameOf(ImageId id) { return QString::fromLatin1(imageName(id)); }

// The ten digit pictures: the score positions show copies of them, never the pictures themselves.
bool isDigitPicture(ImageId id) {
    for (int d = 0; d <= 9; ++d)
        if (id == img::im_panel_number(d)) return true;
    return false;
}

// Images the game lights by showing them or copies of them, so they need a picture of their own:
// the game-over panel, the life markers, the digit pictures and every maze figure.
bool needsPicture(ImageId id) {
    static const std::array<bool, kImageCount> needed = [] {
        std::array<bool, kImageCount> on{};
        for (ImageId i : {img::im_panel_gameover, img::im_panel_lives_1, img::im_panel_lives_2,
                          img::im_ghost_05_04_b, img::im_ghost_06_04_b})
            on[index(i)] = true;
        for (int d = 0; d <= 9; ++d) on[index(img::im_panel_number(d))] = true;
        for (int col = 2; col <= 9; ++col)
            for (int row = 1; row <= 7; ++row) {
                if (!img::isHouse(col, row))
                    on[index(img::im_nibbo(col, row))] = on[index(img::im_pill(col, row))] = true;
                on[index(img::im_ghost(col, row))] = true;
            }
        return on;
    }();
    return needed[index(id)];
}

// Every slot image but the digit pictures is shown on the device with its own rectangle.
bool isShown(ImageId id) { return !isDigitPicture(id); }

// What a click works: the buttons and the controller overlay's arrows.
constexpr std::array kClickAreas{img::btn_power_top,          img::btn_select_top,
                                 img::btn_start_top,          img::btn_ctrlr_overlay_up,
                                 img::btn_ctrlr_overlay_left, img::btn_ctrlr_overlay_right,
                                 img::btn_ctrlr_overlay_down};

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
        const skin::SkinDescription& s = file.skin;
        gameWidth_ = gameExtent(s.gameWidth);
        gameHeight_ = gameExtent(s.gameHeight);
        checkFullscreen(s);
        colour(s.transpColor);
        std::array<QRect, kImageCount> rects{};
        for (const skin::ImageSection& slot : s.imageSections)
            rects[index(slotImage(slot.slot))] = checkSlot(slot, s.skinDir);
        checkClickAreas(rects);
        return problems_;
    }

private:
    void problem(const std::string& section, const std::string& key, const QString& text) {
        problems_ << QStringLiteral("[%1] %2: %3").arg(qs(section), qs(key), text);
    }
    void problem(const skin::Problem& p, const QString& text) { problem(p.section, p.key, text); }

    // A present value of an integer key must be in the integer syntax.
    std::int32_t integer(const skin::Checked<std::int32_t>& v) {
        if (v.has(Kind::NotAnInteger))
            problem(*v.problem, qs(skin::notAnInteger(v.problem->text)) +
                                    QStringLiteral("; %1 is used").arg(v.problem->used));
        return v.value;
    }

    static QString outOfRange(const skin::Problem& p) {
        return QStringLiteral("%1 is out of range (%2..%3)").arg(p.value).arg(p.low).arg(p.high);
    }

    int gameExtent(const skin::Checked<int>& v) {
        integer(v);
        if (v.has(Kind::OutOfRange)) problem(*v.problem, outOfRange(*v.problem));
        return v.value;
    }

    // A width or height out of range counts as none.
    int extent(const skin::Checked<int>& v) {
        if (!v.has(Kind::OutOfRange)) return v.value;
        problem(*v.problem, outOfRange(*v.problem));
        return 0;
    }

    void colour(const skin::Checked<std::uint32_t>& c) {
        if (c.has(Kind::NotAnInteger)) problem(*c.problem, qs(skin::notAnInteger(c.problem->text)));
    }

    void offset(const skin::Checked<std::optional<std::int32_t>>& o) {
        if (o.has(Kind::NotAnOffset))
            problem(*o.problem,
                    QStringLiteral("'%1' is neither a number of pixels nor Center; the game area is centred")
                        .arg(qs(o.problem->text)));
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

    void checkFullscreen(const skin::SkinDescription& s) {
        if (skin::namesPicture(s.backdropFile))
            picture("Fullscreen", "BackdropFile", s.backdropDir, s.backdropFile);
        integer(s.backdropStretch);
        if (s.backdropStretch.has(Kind::NotZeroOrOne))
            problem(*s.backdropStretch.problem,
                    QStringLiteral("%1 is neither 0 nor 1").arg(s.backdropStretch.value));
        colour(s.bgColor);
        offset(s.gameOffsetX);
        offset(s.gameOffsetY);
        if (skin::namesPicture(s.logoFile)) picture("Fullscreen", "LogoFile", s.backdropDir, s.logoFile);
        integer(s.logoPosition);
        if (s.logoPosition.has(Kind::NotACorner))
            problem(*s.logoPosition.problem,
                    QStringLiteral("%1 is no corner (0..3); the logo stays at the top left")
                        .arg(s.logoPosition.value));
    }

    // The slot's rectangle in the game area, empty when it has no size or is malformed.
    QRect checkSlot(const skin::ImageSection& slot, const std::string& skinDir) {
        const std::string section = skin::slotSection(slot.slot);
        const ImageId id = slotImage(slot.slot);
        const QString name = nameOf(id);
        if (skin::namesPicture(slot.fileName))
            picture(section, "Filename", skinDir, slot.fileName);
        else if (needsPicture(id))
            problem(section, "Filename",
                    QStringLiteral("%1 has no picture, so the game lights nothing there").arg(name));

        const long long left = integer(slot.left);
        const long long top = integer(slot.top);
        integer(slot.width);
        integer(slot.height);
        const long long width = extent(slot.width);
        const long long height = extent(slot.height);
        if (!isShown(id)) return {};
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

    void checkClickAreas(const std::array<QRect, kImageCount>& rects) {
        for (std::size_t i = 0; i < kClickAreas.size(); ++i)
            for (std::size_t j = i + 1; j < kClickAreas.size(); ++j) {
                const ImageId a = kClickAreas[i], b = kClickAreas[j];
                const QRect& ra = rects[index(a)];
                const QRect& rb = rects[index(b)];
                if (ra.isEmpty() || rb.isEmpty() || !ra.intersects(rb)) continue;
                problems_ << QStringLiteral("click areas %1 [Image%2] and %3 [Image%4] overlap")
                                 .arg(nameOf(a))
                                 .arg(slotOf(a))
                                 .arg(nameOf(b))
                                 .arg(slotOf(b));
            }
    }

    QString iniPath_;
    gfx::PictureCache pictures_{QFileInfo(iniPath_).absolutePath()};  // folders from Config.ini's place
    int gameWidth_ = 692;
    int gameHeight_ = 747;
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
