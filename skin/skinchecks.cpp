#include "skin/skinchecks.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

#include "engine/images.h"

namespace zn::skin {
namespace {

using Kind = Problem::Kind;

std::string n(std::int64_t v) { return std::to_string(v); }

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

// A rectangle in the game area; empty without a size.
struct Rect {
    long long left = 0, top = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    bool overlaps(const Rect& o) const {
        return left < o.left + o.width && o.left < left + width && top < o.top + o.height && o.top < top + height;
    }
};

class Checker {
public:
    Checker(const CheckLine& line, const CheckPicture& picture) : line_(line), picture_(picture) {}

    void run(const SkinDescription& s) {
        gameWidth_ = gameExtent(s.gameWidth);
        gameHeight_ = gameExtent(s.gameHeight);
        checkFullscreen(s);
        colour(s.transpColor);
        std::array<Rect, kImageCount> rects{};
        for (const ImageSection& slot : s.imageSections) rects[index(slotImage(slot.slot))] = checkSlot(slot, s.skinDir);
        checkClickAreas(rects);
    }

private:
    void problem(const Problem& p, const std::string& text) { line_(checkLine(p.section, p.key, text)); }

    void picture(const std::string& section, const char* key, const std::string& dir, const std::string& name) {
        if (picture_) picture_(section, key, dir, name);
    }

    // A present value of an integer key must be in the integer syntax.
    template <class T>
    T integer(const Checked<T>& v) {
        if (v.has(Kind::NotAnInteger))
            problem(*v.problem, notAnInteger(v.problem->text) + "; " + n(v.problem->used) + " is used");
        return v.value;
    }

    static std::string outOfRange(const Problem& p) {
        return n(p.value) + " is out of range (" + n(p.low) + ".." + n(p.high) + ")";
    }

    int gameExtent(const Checked<int>& v) {
        integer(v);
        if (v.has(Kind::OutOfRange)) problem(*v.problem, outOfRange(*v.problem));
        return v.value;
    }

    // A width or height out of range counts as none.
    int extent(const Checked<int>& v) {
        if (!v.has(Kind::OutOfRange)) return v.value;
        problem(*v.problem, outOfRange(*v.problem));
        return 0;
    }

    void colour(const Checked<std::uint32_t>& c) {
        if (c.has(Kind::NotAnInteger)) problem(*c.problem, notAnInteger(c.problem->text));
    }

    void offset(const Checked<std::optional<std::int32_t>>& o) {
        if (o.has(Kind::NotAnOffset))
            problem(*o.problem, "'" + o.problem->text + "' is neither a number of pixels nor Center; the game area is centred");
    }

    void checkFullscreen(const SkinDescription& s) {
        if (namesPicture(s.backdropFile)) picture("Fullscreen", "BackdropFile", s.backdropDir, s.backdropFile);
        integer(s.backdropStretch);
        if (s.backdropStretch.has(Kind::NotZeroOrOne))
            problem(*s.backdropStretch.problem, n(s.backdropStretch.value) + " is neither 0 nor 1");
        colour(s.bgColor);
        offset(s.gameOffsetX);
        offset(s.gameOffsetY);
        if (namesPicture(s.logoFile)) picture("Fullscreen", "LogoFile", s.backdropDir, s.logoFile);
        integer(s.logoPosition);
        if (s.logoPosition.has(Kind::NotACorner))
            problem(*s.logoPosition.problem,
                    n(s.logoPosition.value) + " is no corner (0..3); the logo stays at the top left");
    }

    // The slot's rectangle in the game area, empty when it has no size or is malformed.
    Rect checkSlot(const ImageSection& slot, const std::string& skinDir) {
        const std::string section = slotSection(slot.slot);
        const ImageId id = slotImage(slot.slot);
        const std::string name(imageName(id));
        if (namesPicture(slot.fileName))
            picture(section, "Filename", skinDir, slot.fileName);
        else if (needsPicture(id))
            line_(checkLine(section, "Filename", name + " has no picture, so the game lights nothing there"));

        const long long left = integer(slot.left);
        const long long top = integer(slot.top);
        integer(slot.width);
        integer(slot.height);
        const long long width = extent(slot.width);
        const long long height = extent(slot.height);
        if (!isShown(id)) return {};
        if (width == 0 || height == 0) {
            line_("[" + section + "] " + name + " has zero size (" + n(width) + " x " + n(height) +
                  ") but the game shows it");
            return {};
        }
        if (left < 0 || top < 0 || left + width > gameWidth_ || top + height > gameHeight_) {
            line_("[" + section + "] " + name + " at " + n(left) + "," + n(top) + " size " + n(width) + " x " +
                  n(height) + " lies outside the game area (" + n(gameWidth_) + " x " + n(gameHeight_) + ")");
        }
        return {std::clamp<long long>(left, INT32_MIN / 2, INT32_MAX / 2),
                std::clamp<long long>(top, INT32_MIN / 2, INT32_MAX / 2), width, height};
    }

    void checkClickAreas(const std::array<Rect, kImageCount>& rects) {
        for (std::size_t i = 0; i < kClickAreas.size(); ++i)
            for (std::size_t j = i + 1; j < kClickAreas.size(); ++j) {
                const ImageId a = kClickAreas[i], b = kClickAreas[j];
                const Rect& ra = rects[index(a)];
                const Rect& rb = rects[index(b)];
                if (ra.empty() || rb.empty() || !ra.overlaps(rb)) continue;
                line_("click areas " + std::string(imageName(a)) + " [Image" + n(slotOf(a)) + "] and " +
                      std::string(imageName(b)) + " [Image" + n(slotOf(b)) + "] overlap");
            }
    }

    const CheckLine& line_;
    const CheckPicture& picture_;
    int gameWidth_ = 692;
    int gameHeight_ = 747;
};

}  // namespace

std::string checkLine(const std::string& section, const std::string& key, const std::string& text) {
    return "[" + section + "] " + key + ": " + text;
}

void checkDescription(const SkinDescription& skin, const CheckLine& line, const CheckPicture& picture) {
    Checker(line, picture).run(skin);
}

std::string checkSummary(std::string_view path, std::size_t problems) {
    std::string line(path);
    if (problems == 0) return line + ": no problems found";
    return line + ": " + std::to_string(problems) + (problems == 1 ? " problem" : " problems");
}

}  // namespace zn::skin
