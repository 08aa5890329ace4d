// zn.wasm's exports for the display: the canvas's frame and the pictures drawn into it
// (web/core/pixels.h), PNG files read into pictures (web/core/pngdecode.h), and the rules of
// ui/ for where the device lies scaled, what each image is and how a picture is scaled.
// Colours are pixels as ImageData holds them, read little-endian.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/devicefit.h"
#include "ui/imageroles.h"
#include "ui/picturescaling.h"
#include "web/core/bridge.h"
#include "web/core/pixels.h"
#include "web/core/pngdecode.h"

// The page's one compositor: its pictures are made here and its frame composed by the scene
// (sceneexports.cpp).
zn::web::Compositor& pageCompositor() {
    static zn::web::Compositor c;
    return c;
}

namespace {

zn::web::Compositor& compositor = pageCompositor();
// The scale the canvas is drawn at (set by zn_view_scale).
zn::DeviceScale view;

// Numbers written as text (the page's shortest round-trip forms), in order; 0 for one missing.
template <std::size_t N>
std::array<double, N> numbersIn(std::string_view text) {
    std::array<double, N> out{};
    const std::string s(text);
    const char* p = s.c_str();
    for (double& v : out) {
        char* end = nullptr;
        v = std::strtod(p, &end);
        if (end == p) break;
        p = end;
    }
    return out;
}

// Numbers as text the page reads back exactly.
std::string numbersText(std::initializer_list<double> values) {
    std::string out;
    char number[32];
    for (const double v : values) {
        std::snprintf(number, sizeof number, "%.17g ", v);
        out += number;
    }
    return out;
}

std::span<const std::uint8_t> bytesIn(int length) {
    const std::string_view in = zn::web::bridge::inputText(length);
    return {reinterpret_cast<const std::uint8_t*>(in.data()), in.size()};
}

}  // namespace

using namespace zn::web::bridge;

// The frame, width x height pixels of 0.
ZN_EXPORT(zn_frame) std::uint32_t* zn_frame(int width, int height) {
    compositor.resizeFrame(width, height);
    return compositor.frame();
}
// A new picture's number (0: refused); the page writes its pixels at zn_picture_pixels.
ZN_EXPORT(zn_picture_add) int zn_picture_add(int width, int height) { return compositor.addPicture(width, height); }
ZN_EXPORT(zn_picture_pixels) std::uint32_t* zn_picture_pixels(int id) { return compositor.pixels(id); }
ZN_EXPORT(zn_picture_remove) void zn_picture_remove(int id) { compositor.removePicture(id); }
// The picture's straight RGBA pixels premultiplied; 1 when some pixel is partly transparent.
ZN_EXPORT(zn_picture_premultiply) int zn_picture_premultiply(int id) { return compositor.premultiply(id) ? 1 : 0; }
ZN_EXPORT(zn_picture_straight) const std::uint32_t* zn_picture_straight(int id) { return compositor.straight(id); }

// A PNG file in the buffer: the list holds its width, height and the place and length of each
// compressed part in the file, for the page to inflate; 0 when this reader does not read it.
ZN_EXPORT(zn_png_chunks) int zn_png_chunks(int length) {
    const std::span<const std::uint8_t> file = bytesIn(length);
    const auto png = zn::web::readPngChunks(file);
    if (!png) return setList({});
    std::vector<int> out{png->width, png->height};
    for (const auto& part : png->data) {
        out.push_back(static_cast<int>(part.data() - file.data()));
        out.push_back(static_cast<int>(part.size()));
    }
    return setList(out);
}
// The buffer's length bytes hold the file's fileLength bytes, then its inflated lines: a new
// picture of them, premultiplied. The list holds its number (0: broken) and 1 when some pixel is
// partly transparent.
ZN_EXPORT(zn_png_picture) int zn_png_picture(int length, int fileLength) {
    const std::span<const std::uint8_t> all = bytesIn(length);
    if (fileLength < 0 || length <= 0 || all.size() < static_cast<std::size_t>(fileLength)) return setList({0, 0});
    const auto png = zn::web::readPngChunks(all.first(static_cast<std::size_t>(fileLength)));
    const int id = png ? compositor.addPicture(png->width, png->height) : 0;
    if (!id) return setList({0, 0});
    auto* rgba = reinterpret_cast<std::uint8_t*>(compositor.pixels(id));
    if (!zn::web::expandPngLines(*png, all.subspan(static_cast<std::size_t>(fileLength)), rgba)) {
        compositor.removePicture(id);
        return setList({0, 0});
    }
    return setList({id, compositor.premultiply(id) ? 1 : 0});
}

// Where the device lies: the scale the canvas is drawn at, as text ("game shiftX shiftY client").
ZN_EXPORT(zn_view_scale) void zn_view_scale(int length) {
    const auto [game, shiftX, shiftY, client] = numbersIn<4>(inputText(length));
    if (game > 0 && client > 0) view = {game, shiftX, shiftY, client};
}
// The page's scale (zn::pageScale) for the text "fullscreen zoom viewportW viewportH clientW
// clientH areaX areaY areaW areaH logoX logoY logoW logoH fit density" (zoom 0: none; logo 0 x
// 0: none), as the text "game shiftX shiftY client css logoShown" (logoShown 0: left out).
ZN_EXPORT(zn_page_scale) int zn_page_scale(int length) {
    const auto v = numbersIn<16>(inputText(length));
    const auto i = [&v](int k) { return static_cast<int>(v[static_cast<std::size_t>(k)]); };
    const std::optional<int> zoom = i(1) > 0 ? std::optional<int>(i(1)) : std::nullopt;
    const zn::PageScale s = zn::pageScale(i(0) != 0, zoom, {i(2), i(3)}, {i(4), i(5)}, {i(6), i(7), i(8), i(9)},
                                          {i(10), i(11), i(12), i(13)}, i(14) != 0, v[15]);
    return setOutput(numbersText({s.device.game, s.device.shiftX, s.device.shiftY, s.device.client, s.css,
                                  s.logoShown ? 1.0 : 0.0}));
}
// Where the game area (skin pixels) lies on the canvas at the view's scale: the list x, y, w, h.
ZN_EXPORT(zn_view_game_rect) int zn_view_game_rect(int x, int y, int w, int h) {
    const zn::PixelRect r = zn::mapRect({x, y, w, h}, view, true);
    return setList({r.x, r.y, r.w, r.h});
}
// What image id shows (ui/imageroles.h's frontEndShowing) with the overlay on or off and the
// game showing it or not, the picture of image gamePicture: the list shown, pictureOf.
ZN_EXPORT(zn_image_showing) int zn_image_showing(int id, int overlays, int gameShows, int gamePicture) {
    if (id < 0 || id >= zn::kImageCount) return setList({});
    const zn::FrontEndShowing s = zn::frontEndShowing(zn::img::at(id), overlays != 0, gameShows != 0, gamePicture);
    return setList({s.shown, s.pictureOf});
}
// How picture id is drawn at the view's game scale (game 1) or client scale (game 0), with its
// double-size partner (0: none) and the key colour when keyed: the list fromPartner, width,
// height and the way (ui/picturescaling.h's Scaling: 0 as is, 1 nearest, 2 smooth, 3 smooth
// with hard edges, 4 not kept). A nearest-neighbour picture is made at once: its number follows.
ZN_EXPORT(zn_picture_scaling) int zn_picture_scaling(int id, int partner, int game, int keyed, std::uint32_t key) {
    const auto size = [](int pic) { return compositor.sizeOf(pic); };
    const auto source = [id, partner](bool fromPartner) { return fromPartner ? partner : id; };
    const zn::ScalingPlan plan = zn::planScaling(
        size(id), game ? view.game : view.client, size(partner),
        [&](bool p) { return keyed != 0 && compositor.holdsPixel(source(p), key); },
        [&](bool p) { return compositor.hasHardEdges(source(p)); });
    const int made = plan.how == zn::Scaling::Nearest
                         ? compositor.scaleNearest(source(plan.fromPartner), plan.size.width, plan.size.height)
                         : 0;
    return setList({plan.fromPartner ? 1 : 0, plan.size.width, plan.size.height, static_cast<int>(plan.how), made});
}
// Quick stand-ins, while a picture's own pixels or its smoothed copy are still to come: the
// picture at half its size (Compositor::halved), and scaled to width x height by its nearest
// pixels. The new picture's number (0: none).
ZN_EXPORT(zn_picture_halved) int zn_picture_halved(int id) { return compositor.halved(id); }
ZN_EXPORT(zn_picture_nearest) int zn_picture_nearest(int id, int width, int height) {
    return compositor.scaleNearest(id, width, height);
}
// Smoothing leaves the picture's outline hard again (ui/picturescaling.h's hardenEdges).
ZN_EXPORT(zn_picture_harden) void zn_picture_harden(int id) { compositor.hardenEdges(id); }
