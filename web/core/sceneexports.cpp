// zn.wasm's exports for the page's scene (web/core/scene.h): what each image shows and where,
// composed into the frame of displayexports.cpp's compositor. Colours are pixels as ImageData
// holds them, read little-endian; image ids out of range are ignored.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/clickareas.h"
#include "ui/panelplace.h"
#include "web/core/bridge.h"
#include "web/core/scene.h"

zn::web::Compositor& pageCompositor();

// The page's one scene; controlexports.cpp asks it where the controls lie.
zn::web::Scene& pageScene() {
    static zn::web::Scene s(pageCompositor(), zn::kImageCount);
    return s;
}

namespace {

using zn::web::bridge::isImage;
using zn::web::bridge::setList;

zn::web::Scene& scene() { return pageScene(); }

// Reused from call to call: the frame is drawn every tick.
std::vector<int> list;

int frameList(bool resized) { return setList({scene().width(), scene().height(), resized ? 1 : 0}); }

}  // namespace

ZN_EXPORT(zn_scene_reset) void zn_scene_reset() { scene().reset(); }
// Each of the two lists the frame's width and height and 1 when they changed (the page then
// makes a frame of that size).
ZN_EXPORT(zn_scene_client_size) int zn_scene_client_size(int width, int height) {
    return frameList(scene().setClientSize(width, height));
}
// The scale as text, "game shiftX shiftY client" (ui/devicefit.h's DeviceScale).
ZN_EXPORT(zn_scene_scale) int zn_scene_scale(int length) {
    const std::string text(zn::web::bridge::inputText(length));
    std::array<double, 4> v{};
    const char* p = text.c_str();
    for (double& x : v) {
        char* end = nullptr;
        x = std::strtod(p, &end);
        if (end == p) break;
        p = end;
    }
    return frameList(scene().setScale({v[0], v[1], v[2], v[3]}));
}
ZN_EXPORT(zn_scene_background) void zn_scene_background(std::uint32_t pixel) { scene().setBackground(pixel); }
ZN_EXPORT(zn_scene_key_colour) void zn_scene_key_colour(int on, std::uint32_t key) { scene().setKeyColour(on != 0, key); }
// picture: a number of the picture the image shows now, 0 for none.
ZN_EXPORT(zn_scene_show) void zn_scene_show(int id, int picture) {
    if (isImage(id)) scene().showPicture(id, picture);
}
ZN_EXPORT(zn_scene_touch) void zn_scene_touch(int id) {
    if (isImage(id)) scene().touch(id);
}
ZN_EXPORT(zn_scene_repaint) void zn_scene_repaint(int id) {
    if (isImage(id)) scene().repaint(id);
}
ZN_EXPORT(zn_scene_invalidate) void zn_scene_invalidate() { scene().invalidateAll(); }
ZN_EXPORT(zn_scene_set_rect) void zn_scene_set_rect(int id, int x, int y, int w, int h) {
    if (isImage(id)) scene().setRect(id, {x, y, w, h});
}
// The image's rectangle in skin pixels, as a list x, y, w, h.
ZN_EXPORT(zn_scene_rect) int zn_scene_rect(int id) {
    const zn::web::PixelRect r = isImage(id) ? scene().rect(id) : zn::web::PixelRect{};
    return setList({r.x, r.y, r.w, r.h});
}
ZN_EXPORT(zn_scene_set_visible) void zn_scene_set_visible(int id, int on) {
    if (isImage(id)) scene().setVisible(id, on != 0);
}
ZN_EXPORT(zn_scene_visible) int zn_scene_visible(int id) { return isImage(id) && scene().visible(id) ? 1 : 0; }
ZN_EXPORT(zn_scene_set_stretch) void zn_scene_set_stretch(int id, int on) {
    if (isImage(id)) scene().setStretch(id, on != 0);
}
// The images the next compose draws, as pairs: id and how it is drawn (Scene::DrawnAs).
ZN_EXPORT(zn_scene_prepare) int zn_scene_prepare() {
    list.clear();
    for (const auto& w : scene().prepare()) {
        list.push_back(w.id);
        list.push_back(static_cast<int>(w.as));
    }
    return setList(list);
}
ZN_EXPORT(zn_scene_drawn) void zn_scene_drawn(int id, int own, int drawn) {
    if (isImage(id)) scene().setDrawn(id, own, drawn);
}
// The rectangles composed, as a list of x, y, w, h.
ZN_EXPORT(zn_scene_compose) int zn_scene_compose() {
    list.clear();
    for (const auto& r : scene().compose()) list.insert(list.end(), {r.x, r.y, r.w, r.h});
    return setList(list);
}
// Where the page's panel of wantWidth x wantHeight CSS pixels goes in a viewport of vw x vh,
// clear of the device's click areas shown now (ui/panelplace.h): the canvas lies at left, top
// with scaleMilli / 1000 CSS pixels per client pixel. A list: left, top, width, height.
ZN_EXPORT(zn_panel_place)
int zn_panel_place(int vw, int vh, int wantWidth, int wantHeight, int left, int top, int scaleMilli) {
    std::vector<zn::ui::Rect> controls;
    const auto css = [&](int v) { return static_cast<int>(static_cast<long long>(v) * scaleMilli / 1000); };
    for (int id = 0; id < zn::kImageCount; ++id) {
        if (!scene().visible(id) || !zn::clickAreaControl(zn::img::at(id))) continue;
        const zn::web::PixelRect r = scene().rect(id);
        controls.push_back({left + css(r.x), top + css(r.y), css(r.w), css(r.h)});
    }
    const zn::ui::Rect p = zn::ui::panelPlace(vw, vh, controls, wantWidth, wantHeight);
    return setList({p.left, p.top, p.width, p.height});
}
ZN_EXPORT(zn_scene_image_at) int zn_scene_image_at(int x, int y) { return scene().imageAt(x, y); }
ZN_EXPORT(zn_scene_see_through) int zn_scene_see_through(int x, int y) { return scene().seeThrough(x, y) ? 1 : 0; }
