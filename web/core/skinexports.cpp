// The skin's exports to the page (web/site/js/layout.js, skindrop.js): which picture files to
// look at, and with what the page found there, the set-up's result or the checker's lines
// (web/core/webskin.h). Config.ini's text is in the buffer; where facts follow it, iniLength
// says where the text ends.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "skin/skinchecks.h"
#include "web/core/bridge.h"
#include "web/core/pixels.h"
#include "web/core/webskin.h"

zn::web::Compositor& pageCompositor();

using namespace zn::web::bridge;

namespace {

// The buffer split into Config.ini's text and the facts after it.
std::pair<std::string_view, std::string_view> iniAndFacts(int length, int iniLength) {
    const std::string_view all = inputText(length);
    const std::size_t split = iniLength < 0 ? 0 : std::min(all.size(), static_cast<std::size_t>(iniLength));
    return {all.substr(0, split), all.substr(split)};
}

}  // namespace

// purpose: 0 the set-up (for the display mode), 1 the checker.
ZN_EXPORT(zn_skin_files) int zn_skin_files(int length, int fullscreen, int purpose) {
    return setOutput(
        zn::web::skinFilesJson(inputText(length), fullscreen != 0,
                               purpose == 1 ? zn::skin::Purpose::Check : zn::skin::Purpose::Setup));
}

ZN_EXPORT(zn_skin_plan)
int zn_skin_plan(int length, int iniLength, int fullscreen, int screenWidth, int screenHeight) {
    const auto [ini, facts] = iniAndFacts(length, iniLength);
    return setOutput(zn::web::skinPlanJson(ini, fullscreen != 0, screenWidth, screenHeight, facts));
}

ZN_EXPORT(zn_skin_check) int zn_skin_check(int length, int iniLength) {
    const auto [ini, facts] = iniAndFacts(length, iniLength);
    return setOutput(zn::web::skinCheckJson(ini, facts));
}

// The Config.ini of a dropped folder, by the position of its path among the folder's (webskin.h).
ZN_EXPORT(zn_skin_ini_of) int zn_skin_ini_of(int length) { return zn::web::skinIniOf(inputText(length)); }

// The checker's closing line for the Config.ini at the path (the text) with count problems.
ZN_EXPORT(zn_skin_check_summary) int zn_skin_check_summary(int length, int count) {
    return setOutput(zn::skin::checkSummary(inputText(length), count < 0 ? 0 : static_cast<std::size_t>(count)));
}

// The set-up before any picture was looked at: rectangles, colours, problems of the values.
ZN_EXPORT(zn_read_skin) int zn_read_skin(int length, int fullscreen, int screenWidth, int screenHeight) {
    return setOutput(zn::web::readSkinJson(inputText(length), fullscreen != 0, screenWidth, screenHeight));
}

// A new picture of the placeholder in the page's compositor (displayexports.cpp), its pixels as
// the canvas's ImageData holds them, read little-endian (0xAABBGGRR): the list holds its
// number, its width and its height.
ZN_EXPORT(zn_placeholder_picture) int zn_placeholder_picture() {
    constexpr int kSide = zn::skin::kPlaceholderSize;
    const int id = pageCompositor().addPicture(kSide, kSide);
    std::uint32_t* pixels = pageCompositor().pixels(id);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const std::uint32_t argb = zn::skin::placeholderPixel(x, y);
            pixels[y * kSide + x] = (argb & 0xFF00FF00u) | (argb >> 16 & 0xFFu) | (argb & 0xFFu) << 16;
        }
    return setList({id, kSide, kSide});
}
