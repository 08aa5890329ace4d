#include "skin/skinplan.h"

#include <algorithm>
#include <set>

#include "skin/skinchecks.h"
#include "skin/skinproblems.h"

namespace zn::skin {
namespace {

using Kind = Problem::Kind;
using State = PictureFacts::State;

// The extensions the desktop has decoders for, chosen by the name whatever the content.
bool knownExtension(const std::string& path) {
    const std::string ext = extensionOf(path);
    return ext == "png" || ext == "jpg" || ext == "jpeg" || ext == "bmp" || ext == "ico";
}

// The facts of a path; a file of an extension no decoder takes cannot be decoded, whatever the
// host made of it.
PictureFacts factsAt(const PictureFactTable& facts, const std::string& path) {
    const auto found = facts.find(path);
    if (found == facts.end()) return {};
    const State s = found->second.state;
    if ((s == State::Present || s == State::Decoded || s == State::Undecodable) && !knownExtension(path))
        return {State::Undecodable, 0, 0,
                "Unknown picture file extension (." + extensionOf(path) + ") of '" + path + "'"};
    return found->second;
}

// The list of distinct files, each with the images that show it.
class FileList {
public:
    void add(const std::string& path, bool decode, int image = -1) {
        decode = decode && knownExtension(path);
        auto [at, added] = where_.emplace(path, files_.size());
        if (added) files_.push_back(PictureFile{path, decode, {}});
        PictureFile& f = files_[at->second];
        f.decode = f.decode || decode;
        if (image >= 0) f.images.push_back(image);
    }
    std::vector<PictureFile> take() { return std::move(files_); }
    const std::vector<PictureFile>& files() const { return files_; }

private:
    std::vector<PictureFile> files_;
    std::map<std::string, std::size_t> where_;
};

// One run of the set-up: follows the order in which the desktop's set-up has always met the
// values, which decides the order of the reported problems.
class Planner {
public:
    Planner(const SkinDescription& skin, const PictureFactTable& facts) : s_(skin), facts_(facts) {}

    SetupPlan run(bool fullscreen, int screenWidth, int screenHeight) {
        const int height = checked(s_.gameHeight, gameExtentLine);
        const int width = checked(s_.gameWidth, gameExtentLine);
        out_.clientWidth = width;
        out_.clientHeight = height;
        if (fullscreen)
            fullscreenMode(screenWidth, screenHeight);
        else
            windowedMode();
        for (const ImageSection& slot : s_.imageSections) out_.images.push_back(image(slot));
        // The game area lies within the range the images' own positions are held to (an offset
        // may be any 32-bit number).
        const auto held = [](std::int32_t v) { return std::clamp(v, -kMaxPosition, kMaxPosition); };
        out_.gameX = held(offsetX_);
        out_.gameY = held(offsetY_);
        out_.gameWidth = width;
        out_.gameHeight = height;
        out_.menuButton = gameMenuButton(fullscreen);
        return std::move(out_);
    }

private:
    int checked(const Checked<int>& v, std::string (*line)(const Problem&)) {
        if (v.has(Kind::OutOfRange)) out_.problems.push_back(line(*v.problem));
        return v.value;
    }

    std::uint32_t colour(const Checked<std::uint32_t>& c) {
        if (c.has(Kind::NotAnInteger)) out_.problems.push_back(colourLine(*c.problem));
        return c.value;
    }

    // The facts of a picture; one that cannot be decoded is reported the first time only.
    PictureFacts look(const std::string& path) {
        PictureFacts f = factsAt(facts_, path);
        if (looked_.insert(path).second && f.state == State::Undecodable) out_.problems.push_back(f.error);
        return f;
    }

    void fullscreenMode(int screenWidth, int screenHeight) {
        if (namesPicture(s_.backdropFile)) {
            const std::string path = picturePath(s_.backdropDir, s_.backdropFile);
            if (look(path).state == State::Decoded)
                out_.backdrop = PlannedBackdrop{Shown::Shown, path, s_.backdropStretch.value == 1};
        }
        out_.background = colour(s_.bgColor);
        out_.keyTransparent = false;
        const auto& offX = s_.gameOffsetX.value;
        const auto& offY = s_.gameOffsetY.value;
        offsetX_ = offX ? *offX : centredOffset(screenWidth, out_.clientWidth);
        offsetY_ = offY ? *offY : centredOffset(screenHeight, out_.clientHeight);
        out_.clientWidth = screenWidth;
        out_.clientHeight = screenHeight;

        if (!namesPicture(s_.logoFile)) return;
        const std::string path = picturePath(s_.backdropDir, s_.logoFile);
        const PictureFacts f = look(path);
        if (f.state != State::Decoded) return;
        PlannedLogo& logo = out_.logo;
        logo = {Shown::Shown, path, f.width, f.height, false, 0, 0};
        const int right = screenWidth - f.width;
        const int bottom = screenHeight - f.height;
        const int corner = s_.logoPosition.value;  // any other corner number leaves the logo where it is
        if (corner < 0 || corner > 3) return;
        logo.placed = true;
        logo.left = corner % 2 == 1 ? right : 0;
        logo.top = corner >= 2 ? bottom : 0;
    }

    void windowedMode() {
        const std::uint32_t key = colour(s_.transpColor);
        out_.background = key;
        out_.keyTransparent = true;
        out_.keyColour = key;
        out_.backdrop.shown = Shown::Hidden;
        out_.logo.shown = Shown::Hidden;
    }

    PlannedImage image(const ImageSection& slot) {
        PlannedImage p{slotImage(slot.slot), slot.slot, slot.fileName, PictureChoice::Keep, {}, {}};
        if (namesPicture(slot.fileName)) {
            p.path = picturePath(s_.skinDir, slot.fileName);
            switch (look(p.path).state) {
                case State::Decoded: {
                    p.picture = PictureChoice::File;
                    const std::string partner = hiResPartnerPath(p.path);
                    const State there = factsAt(facts_, partner).state;
                    if (there == State::Present || there == State::Decoded || there == State::Undecodable)
                        p.partner = partner;
                    break;
                }
                case State::Pending:
                    p.picture = PictureChoice::Pending;
                    break;
                default:
                    p.picture = PictureChoice::Placeholder;
                    break;
            }
        }
        p.height = checked(slot.height, extentLine);
        p.left = checked(slot.placedLeft(offsetX_), positionLine);
        p.top = checked(slot.placedTop(offsetY_), positionLine);
        p.width = checked(slot.width, extentLine);
        return p;
    }

    const SkinDescription& s_;
    const PictureFactTable& facts_;
    SetupPlan out_;
    std::set<std::string> looked_;
    std::int32_t offsetX_ = 0;
    std::int32_t offsetY_ = 0;
};

// The checker's look at the pictures, each file once, in the order checkDescription names them.
class PictureChecker {
public:
    PictureChecker(const PictureFactTable& facts, std::string_view base, std::vector<std::string>& lines)
        : facts_(facts), base_(base), lines_(lines) {}

    void operator()(const std::string& section, const char* key, const std::string& dir,
                    const std::string& name) {
        const std::string path = picturePath(resolvedFolder(base_, dir), name);
        if (!looked_.insert(path).second) return;
        const PictureFacts p = factsAt(facts_, path);
        state(section, key, path, p);
        const std::string partnerPath = hiResPartnerPath(path);
        const PictureFacts hi = factsAt(facts_, partnerPath);
        if (hi.state == State::Missing || hi.state == State::Pending) return;  // the skin gives no partner
        if (looked_.insert(partnerPath).second)
            state(section, key, partnerPath, hi);  // a slot may name it too
        if (p.state != State::Decoded || hi.state != State::Decoded) return;
        if (hi.width == 2 * p.width && hi.height == 2 * p.height) return;
        const auto n = [](int v) { return std::to_string(v); };
        line(section, key,
             "picture '" + partnerPath + "' is " + n(hi.width) + " x " + n(hi.height) + ", not twice the " +
                 n(p.width) + " x " + n(p.height) + " of '" + path + "' (" + n(2 * p.width) + " x " +
                 n(2 * p.height) + ")");
    }

private:
    void line(const std::string& section, const char* key, const std::string& text) {
        lines_.push_back(checkLine(section, key, text));
    }

    void state(const std::string& section, const char* key, const std::string& path, const PictureFacts& f) {
        switch (f.state) {
            case State::Missing:
                line(section, key, "picture '" + path + "' is missing");
                break;
            case State::NotAFile:
                line(section, key, "picture '" + path + "' is not a file");
                break;
            case State::Undecodable:
                line(section, key, f.error);
                break;
            case State::Pending:
            case State::Present:
            case State::Decoded:
                break;
        }
    }

    const PictureFactTable& facts_;
    std::string base_;
    std::vector<std::string>& lines_;
    std::set<std::string> looked_;
};

}  // namespace

std::string hiResPartnerPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    if (dot == std::string_view::npos || dot <= nameStart)
        return std::string(path) + "@2x";  // no extension, or a dot file
    return std::string(path.substr(0, dot)) + "@2x" + std::string(path.substr(dot));
}

std::string resolvedFolder(std::string_view base, std::string_view folder) {
    if (base.empty() || folder.empty() || folder.front() == '/') return std::string(folder);
    return std::string(base) + std::string(folder);
}

MenuButton gameMenuButton(bool fullscreen) { return MenuButton{fullscreen}; }

std::vector<PictureFile> pictureFiles(const SkinDescription& skin, bool fullscreen, Purpose purpose,
                                      std::string_view base) {
    FileList list;
    const bool check = purpose == Purpose::Check;
    const std::string backdropDir = resolvedFolder(base, skin.backdropDir);
    const std::string skinDir = resolvedFolder(base, skin.skinDir);
    if (fullscreen || check) {
        if (namesPicture(skin.backdropFile))
            list.add(picturePath(backdropDir, skin.backdropFile), true, index(img::im_backdrop));
        if (namesPicture(skin.logoFile))
            list.add(picturePath(backdropDir, skin.logoFile), true, index(img::im_backdrop_logo));
    }
    for (const ImageSection& slot : skin.imageSections)
        if (namesPicture(slot.fileName))
            list.add(picturePath(skinDir, slot.fileName), true, index(slotImage(slot.slot)));
    // The set-up hands only the slots' partners to the window; the checker looks at every one.
    const auto inSlot = [](int image) { return slotOf(img::at(image)) != 0; };
    std::vector<std::string> partners;
    for (const PictureFile& f : list.files())
        if (check || std::ranges::any_of(f.images, inSlot)) partners.push_back(hiResPartnerPath(f.path));
    for (const std::string& partner : partners) list.add(partner, check);
    return list.take();
}

SetupPlan planSetup(const SkinDescription& skin, bool fullscreen, int screenWidth, int screenHeight,
                    const PictureFactTable& facts) {
    return Planner(skin, facts).run(fullscreen, screenWidth, screenHeight);
}

std::vector<std::string> checkSkin(const SkinDescription& skin, const PictureFactTable& facts,
                                   std::string_view base) {
    std::vector<std::string> lines;
    PictureChecker pictures(facts, base, lines);
    checkDescription(
        skin, [&lines](const std::string& line) { lines.push_back(line); },
        [&pictures](const std::string& section, const char* key, const std::string& dir,
                    const std::string& name) { pictures(section, key, dir, name); });
    return lines;
}

}  // namespace zn::skin
