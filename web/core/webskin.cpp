#include "web/core/webskin.h"

#include <algorithm>

#include "skin/skinchecks.h"
#include "skin/skinproblems.h"
#include "skin/skinreader.h"
#include "web/core/jsontext.h"

namespace zn::web {
namespace {

using Kind = skin::Problem::Kind;

// Follows SkinSetup::run (display/gfxinit.cpp) step by step, so the problems come in its order.
class Layout {
public:
    Layout(const skin::SkinDescription& skin, SkinLayout& out) : skin_(skin), out_(out) {}

    void run(bool fullscreen, int screenWidth, int screenHeight) {
        const int height = checked(skin_.gameHeight, skin::gameExtentLine);
        const int width = checked(skin_.gameWidth, skin::gameExtentLine);
        out_.clientWidth = width;
        out_.clientHeight = height;
        if (fullscreen) {
            out_.backgroundColor = colour(skin_.bgColor);
            out_.keyTransparent = false;
            out_.keyColor = 0;
            const auto& offX = skin_.gameOffsetX.value;
            const auto& offY = skin_.gameOffsetY.value;
            offsetX_ = offX ? *offX : skin::centredOffset(screenWidth, width);
            offsetY_ = offY ? *offY : skin::centredOffset(screenHeight, height);
            out_.clientWidth = screenWidth;
            out_.clientHeight = screenHeight;
        } else {
            const std::uint32_t key = colour(skin_.transpColor);
            out_.backgroundColor = key;
            out_.keyTransparent = true;
            out_.keyColor = key;
        }
        for (const skin::ImageSection& s : skin_.imageSections) {
            PlacedImage p;
            p.id = index(slotImage(s.slot));
            p.slot = s.slot;
            p.fileName = s.fileName;
            p.height = checked(s.height, skin::extentLine);
            p.left = checked(s.placedLeft(offsetX_), skin::positionLine);
            p.top = checked(s.placedTop(offsetY_), skin::positionLine);
            p.width = checked(s.width, skin::extentLine);
            out_.images.push_back(std::move(p));
        }
        const auto held = [](std::int32_t v) { return std::clamp(v, -skin::kMaxPosition, skin::kMaxPosition); };
        out_.gameX = held(offsetX_);
        out_.gameY = held(offsetY_);
        out_.gameWidth = width;
        out_.gameHeight = height;
        out_.boxProblems = skin::boxLines(problems_);
    }

private:
    int checked(const skin::Checked<int>& v, std::string (*line)(const skin::Problem&)) {
        if (v.has(Kind::OutOfRange)) problems_.push_back(line(*v.problem));
        return v.value;
    }
    std::uint32_t colour(const skin::Checked<std::uint32_t>& c) {
        if (c.has(Kind::NotAnInteger)) problems_.push_back(skin::colourLine(*c.problem));
        return c.value;
    }

    const skin::SkinDescription& skin_;
    SkinLayout& out_;
    std::int32_t offsetX_ = 0;
    std::int32_t offsetY_ = 0;
    std::vector<std::string> problems_;
};

}  // namespace

SkinLayout layOutSkin(std::string_view iniText, bool fullscreen, int screenWidth, int screenHeight) {
    SkinLayout out;
    if (iniText.size() > skin::kMaxIniBytes) {
        out.error = skin::configTooLarge(static_cast<long long>(iniText.size()));
        return out;
    }
    const skin::SkinText text = skin::readSkinText(iniText);
    if (!text.error.empty()) {
        out.error = skin::configUnparsable(text.error);
        return out;
    }
    const skin::SkinDescription& s = text.skin;
    out.skinDir = s.skinDir;
    out.backdropDir = s.backdropDir;
    out.backdropFile = s.backdropFile;
    out.backdropStretch = s.backdropStretch.value == 1;
    out.logoFile = s.logoFile;
    out.logoPosition = s.logoPosition.value;
    Layout(s, out).run(fullscreen, screenWidth, screenHeight);
    skin::checkDescription(s, [&out](const std::string& line) { out.checkerProblems.push_back(line); }, {});
    return out;
}

std::string readSkinJson(std::string_view iniText, bool fullscreen, int screenWidth, int screenHeight) {
    const SkinLayout l = layOutSkin(iniText, fullscreen, screenWidth, screenHeight);
    JsonText j;
    j.beginObject().key("error").value(l.error);
    j.key("clientWidth").value(l.clientWidth).key("clientHeight").value(l.clientHeight);
    j.key("backgroundColor").value(l.backgroundColor);
    j.key("keyTransparent").value(l.keyTransparent).key("keyColor").value(l.keyColor);
    j.key("gameArea").beginObject();
    j.key("x").value(l.gameX).key("y").value(l.gameY);
    j.key("width").value(l.gameWidth).key("height").value(l.gameHeight);
    j.endObject();
    j.key("skinDir").value(l.skinDir).key("backdropDir").value(l.backdropDir);
    j.key("backdropFile").value(l.backdropFile).key("backdropStretch").value(l.backdropStretch);
    j.key("logoFile").value(l.logoFile).key("logoPosition").value(l.logoPosition);
    j.key("images").beginArray();
    for (const PlacedImage& p : l.images) {
        j.beginObject().key("id").value(p.id).key("slot").value(p.slot).key("fileName").value(p.fileName);
        j.key("left").value(p.left).key("top").value(p.top);
        j.key("width").value(p.width).key("height").value(p.height).endObject();
    }
    j.endArray();
    j.key("boxProblems").beginArray();
    for (const std::string& line : l.boxProblems) j.value(line);
    j.endArray();
    j.key("checkerProblems").beginArray();
    for (const std::string& line : l.checkerProblems) j.value(line);
    j.endArray();
    j.endObject();
    return j.text();
}

}  // namespace zn::web
