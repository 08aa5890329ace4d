#include "web/core/webskin.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

#include "skin/skinproblems.h"
#include "skin/skinreader.h"
#include "web/core/jsontext.h"

namespace zn::web {
namespace {

using State = skin::PictureFacts::State;

// Config.ini's text as a description, or the desktop's fatal message.
struct Read {
    std::string error;
    skin::SkinDescription skin;
};

Read readText(std::string_view iniText) {
    Read out;
    if (iniText.size() > skin::kMaxIniBytes) {
        out.error = skin::configTooLarge(static_cast<long long>(iniText.size()));
        return out;
    }
    skin::SkinText text = skin::readSkinText(iniText);
    if (!text.error.empty())
        out.error = skin::configUnparsable(text.error);
    else
        out.skin = std::move(text.skin);
    return out;
}

// The page asks for a skin's files and then for its set-up, twice for a lay-out, always of the
// same text: the last text read is kept with what it gave, reading it being most of the cost
// of either answer.
const Read& read(std::string_view iniText) {
    static std::string lastText;
    static Read last = readText({});
    if (iniText != lastText) {
        last = readText(iniText);
        lastText.assign(iniText);
    }
    return last;
}

std::string errorJson(const std::string& error) {
    JsonText j;
    j.beginObject().key("error").value(error).endObject();
    return j.text();
}

State stateNamed(std::string_view word) {
    constexpr std::pair<std::string_view, State> kStates[] = {
        {"missing", State::Missing},         {"notafile", State::NotAFile}, {"present", State::Present},
        {"undecodable", State::Undecodable}, {"decoded", State::Decoded},
    };
    for (const auto& [name, state] : kStates)
        if (word == name) return state;
    return State::Pending;
}

int number(std::string_view text) {
    int v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// The facts text read against the list of files it answers.
skin::PictureFactTable factsOf(const std::vector<skin::PictureFile>& files, std::string_view text) {
    skin::PictureFactTable facts;
    for (const skin::PictureFile& file : files) {
        if (text.empty()) break;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        std::string_view fields[4];
        for (int i = 0; i < 3; ++i) {
            const std::size_t tab = std::min(line.find('\t'), line.size());
            fields[i] = line.substr(0, tab);
            line.remove_prefix(std::min(tab + 1, line.size()));
        }
        fields[3] = line;
        facts[file.path] = {stateNamed(fields[0]), number(fields[1]), number(fields[2]),
                            std::string(fields[3])};
    }
    return facts;
}

const char* choiceName(skin::PictureChoice c) {
    switch (c) {
        case skin::PictureChoice::Keep:
            return "keep";
        case skin::PictureChoice::File:
            return "file";
        case skin::PictureChoice::Placeholder:
            return "placeholder";
        case skin::PictureChoice::Pending:
            break;
    }
    return "pending";
}

const char* shownName(skin::Shown s) {
    return s == skin::Shown::Shown ? "shown" : s == skin::Shown::Hidden ? "hidden" : "unchanged";
}

std::string planJson(const skin::SkinDescription& s, const skin::SetupPlan& p) {
    JsonText j;
    j.beginObject().key("error").value("");
    j.key("clientWidth").value(p.clientWidth).key("clientHeight").value(p.clientHeight);
    j.key("backgroundColor").value(p.background);
    j.key("keyTransparent").value(p.keyTransparent).key("keyColor").value(p.keyColour);
    j.key("gameArea").beginObject();
    j.key("x").value(p.gameX).key("y").value(p.gameY);
    j.key("width").value(p.gameWidth).key("height").value(p.gameHeight);
    j.endObject();
    j.key("skinDir").value(s.skinDir).key("backdropDir").value(s.backdropDir);
    j.key("backdrop").beginObject().key("shown").value(shownName(p.backdrop.shown));
    j.key("path").value(p.backdrop.path).key("stretch").value(p.backdrop.stretch).endObject();
    const skin::PlannedLogo& logo = p.logo;
    j.key("logo").beginObject().key("shown").value(shownName(logo.shown)).key("path").value(logo.path);
    j.key("width").value(logo.width).key("height").value(logo.height).key("placed").value(logo.placed);
    j.key("left").value(logo.left).key("top").value(logo.top).endObject();
    j.key("images").beginArray();
    for (const skin::PlannedImage& im : p.images) {
        j.beginObject().key("id").value(index(im.id)).key("slot").value(im.slot);
        j.key("fileName").value(im.fileName).key("picture").value(choiceName(im.picture));
        j.key("path").value(im.path).key("partner").value(im.partner);
        j.key("left").value(im.left).key("top").value(im.top);
        j.key("width").value(im.width).key("height").value(im.height).endObject();
    }
    j.endArray();
    j.key("menuButton").beginObject().key("visible").value(p.menuButton.visible);
    j.key("width").value(p.menuButton.width).key("height").value(p.menuButton.height).endObject();
    j.key("problems").beginArray();
    for (const std::string& line : skin::boxLines(p.problems)) j.value(line);
    j.endArray();
    j.endObject();
    return j.text();
}

}  // namespace

std::string skinFilesJson(std::string_view iniText, bool fullscreen, skin::Purpose purpose) {
    const Read& r = read(iniText);
    if (!r.error.empty()) return errorJson(r.error);
    JsonText j;
    j.beginObject().key("error").value("").key("files").beginArray();
    for (const skin::PictureFile& f : skin::pictureFiles(r.skin, fullscreen, purpose)) {
        j.beginObject().key("path").value(f.path).key("decode").value(f.decode).key("images").beginArray();
        for (const int id : f.images) j.value(id);
        j.endArray().endObject();
    }
    j.endArray().endObject();
    return j.text();
}

std::string skinPlanJson(std::string_view iniText, bool fullscreen, int screenWidth, int screenHeight,
                         std::string_view factsText) {
    const Read& r = read(iniText);
    if (!r.error.empty()) return errorJson(r.error);
    const auto files = skin::pictureFiles(r.skin, fullscreen, skin::Purpose::Setup);
    return planJson(
        r.skin, skin::planSetup(r.skin, fullscreen, screenWidth, screenHeight, factsOf(files, factsText)));
}

std::string readSkinJson(std::string_view iniText, bool fullscreen, int screenWidth, int screenHeight) {
    return skinPlanJson(iniText, fullscreen, screenWidth, screenHeight, {});
}

std::string skinCheckJson(std::string_view iniText, std::string_view factsText) {
    const Read& r = read(iniText);
    if (!r.error.empty()) return errorJson(r.error);
    const auto files = skin::pictureFiles(r.skin, false, skin::Purpose::Check);
    JsonText j;
    j.beginObject().key("error").value("").key("lines").beginArray();
    for (const std::string& line : skin::checkSkin(r.skin, factsOf(files, factsText))) j.value(line);
    j.endArray().endObject();
    return j.text();
}

int skinIniOf(std::string_view paths) {
    constexpr std::string_view kName = "config.ini";
    const auto isIni = [&](std::string_view name) {
        return name.size() == kName.size() &&
               std::equal(name.begin(), name.end(), kName.begin(), [](char a, char b) {
                   return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
               });
    };
    int found = -1;
    std::ptrdiff_t foundDepth = 0;
    std::size_t start = 0;
    for (int at = 0;; ++at) {
        const std::size_t end = std::min(paths.find('\0', start), paths.size());
        const std::string_view path = paths.substr(start, end - start);
        const std::ptrdiff_t depth = std::count(path.begin(), path.end(), '/');
        // npos + 1 is 0: a file at the top is its own name.
        if (isIni(path.substr(path.rfind('/') + 1)) && (found < 0 || depth < foundDepth)) {
            found = at;
            foundDepth = depth;
        }
        if (end == paths.size()) return found;
        start = end + 1;
    }
}

}  // namespace zn::web
