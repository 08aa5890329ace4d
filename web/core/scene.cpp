#include "web/core/scene.h"

#include <algorithm>

#include "engine/images.h"
#include "ui/imageroles.h"

namespace zn::web {

namespace {

bool overlap(const PixelRect& a, const PixelRect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool same(const PixelRect& a, const PixelRect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

PixelRect clipped(const PixelRect& a, const PixelRect& b) {
    const int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    const int r = std::min(a.x + a.w, b.x + b.w), bottom = std::min(a.y + a.h, b.y + b.h);
    return r > x && bottom > y ? PixelRect{x, y, r - x, bottom - y} : PixelRect{};
}

PixelRect mapped(const PixelRect& r, const DeviceScale& scale, bool game) {
    const zn::PixelRect m = zn::mapRect({r.x, r.y, r.w, r.h}, scale, game);
    return {m.x, m.y, m.w, m.h};
}

}  // namespace

void mergeRects(const std::vector<PixelRect>& rects, const PixelRect& bounds, std::vector<PixelRect>& out) {
    out.clear();
    for (const PixelRect& d : rects) {
        PixelRect r = clipped(d, bounds);
        if (r.w <= 0) continue;
        for (bool merged = true; merged;) {
            merged = false;
            for (auto o = out.begin(); o != out.end(); ++o)
                if (overlap(r, *o)) {
                    const int x = std::min(r.x, o->x), y = std::min(r.y, o->y);
                    r = {x, y, std::max(r.x + r.w, o->x + o->w) - x, std::max(r.y + r.h, o->y + o->h) - y};
                    out.erase(o);
                    merged = true;
                    break;
                }
        }
        out.push_back(r);
    }
}

Scene::Scene(Compositor& compositor, int imageCount) : compositor_(compositor), images_(static_cast<std::size_t>(imageCount)) {
    reset();
}

void Scene::reset() {
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i] = {};
        images_[i].game = i < static_cast<std::size_t>(kImageCount) && isGameImage(img::at(static_cast<int>(i)));
    }
    touched_.clear();
    dirty_.clear();
    clientW_ = 692;
    clientH_ = 747;
    background_ = 0xff000000;
    keyed_ = false;
    key_ = 0;
    scale_ = {};
    width_ = height_ = 0;
    framed_ = false;
}

bool Scene::setClientSize(int width, int height) {
    clientW_ = std::max(0, width);
    clientH_ = std::max(0, height);
    return relayout();
}

bool Scene::setScale(const DeviceScale& scale) {
    if (!(scale.game > 0) || !(scale.client > 0) || scale == scale_) return false;
    scale_ = scale;
    return relayout();
}

bool Scene::relayout() {
    const PixelRect r = mapped({0, 0, clientW_, clientH_}, scale_, false);
    const bool resized = r.w != width_ || r.h != height_ || !framed_;
    if (resized) {
        width_ = r.w;
        height_ = r.h;
        framed_ = true;
        for (Image& im : images_) im.shownPicture = 0;
    }
    invalidateAll();
    return resized;
}

void Scene::setBackground(std::uint32_t pixel) {
    background_ = pixel;
    invalidateAll();
}

void Scene::setKeyColour(bool on, std::uint32_t key) {
    keyed_ = on;
    key_ = key;
    invalidateAll();
}

void Scene::showPicture(int id, int picture) {
    images_[static_cast<std::size_t>(id)].picture = picture;
    touch(id);
}

void Scene::setRect(int id, PixelRect r) {
    r.w = std::max(0, r.w);
    r.h = std::max(0, r.h);
    Image& im = images_[static_cast<std::size_t>(id)];
    if (same(im.rect, r)) return;
    im.rect = r;
    touch(id);
}

PixelRect Scene::rect(int id) const {
    return id == 0 ? PixelRect{0, 0, clientW_, clientH_} : images_[static_cast<std::size_t>(id)].rect;
}

void Scene::setVisible(int id, bool visible) {
    Image& im = images_[static_cast<std::size_t>(id)];
    if (im.visible == visible) return;
    im.visible = visible;
    touch(id);
}

bool Scene::visible(int id) const { return images_[static_cast<std::size_t>(id)].visible; }

void Scene::setStretch(int id, bool stretch) {
    Image& im = images_[static_cast<std::size_t>(id)];
    if (im.stretch == stretch) return;
    im.stretch = stretch;
    touch(id);
}

void Scene::touch(int id) {
    Image& im = images_[static_cast<std::size_t>(id)];
    if (im.touched) return;
    im.touched = true;
    touched_.push_back(id);
}

void Scene::invalidateAll() {
    dirty_.assign(1, {0, 0, width_, height_});
    for (int id = 0; id < static_cast<int>(images_.size()); ++id) touch(id);
}

void Scene::repaint(int id) {
    const Image& im = images_[static_cast<std::size_t>(id)];
    if (im.shownPicture) dirty_.push_back(im.shownRect);
}

PixelRect Scene::deviceRect(int id) const {
    if (id == 0) return {0, 0, width_, height_};
    const Image& im = images_[static_cast<std::size_t>(id)];
    return mapped(im.rect, scale_, im.game);
}

const std::vector<Scene::Wanted>& Scene::prepare() {
    for (const int id : touched_) {
        Image& im = images_[static_cast<std::size_t>(id)];
        im.touched = false;
        const PixelRect now = deviceRect(id);
        const bool vis = im.visible && now.w > 0 && now.h > 0 && im.picture != 0;
        if (vis && im.shownPicture && same(im.shownRect, now) && im.shownPicture == im.picture) continue;
        if (im.shownPicture) dirty_.push_back(im.shownRect);
        if (vis) dirty_.push_back(now);
        im.shownRect = now;
        im.shownPicture = vis ? im.picture : 0;
    }
    touched_.clear();
    mergeRects(dirty_, {0, 0, width_, height_}, rects_);
    dirty_.clear();
    wanted_.clear();
    for (int id = 0; id < static_cast<int>(images_.size()); ++id) {
        Image& im = images_[static_cast<std::size_t>(id)];
        im.own = im.drawn = 0;
        if (!im.shownPicture) continue;
        if (std::none_of(rects_.begin(), rects_.end(), [&](const PixelRect& r) { return overlap(im.shownRect, r); }))
            continue;
        const DrawnAs as = id == 0       ? (im.stretch ? DrawnAs::Stretched : DrawnAs::ClientScale)
                           : !im.game    ? DrawnAs::ClientScale
                           : scale_.identity() ? DrawnAs::AsIs
                                               : DrawnAs::GameScale;
        wanted_.push_back({id, as});
    }
    return wanted_;
}

void Scene::setDrawn(int id, int own, int drawn) {
    Image& im = images_[static_cast<std::size_t>(id)];
    im.own = own;
    im.drawn = drawn;
}

const std::vector<PixelRect>& Scene::compose() {
    for (const PixelRect& r : rects_) {
        compositor_.fill(r, background_);
        for (const Wanted& w : wanted_) {
            const Image& im = images_[static_cast<std::size_t>(w.id)];
            if (overlap(im.shownRect, r)) drawImage(w.id, im, r);
        }
        if (keyed_) compositor_.clearKey(r, key_);
    }
    wanted_.clear();
    return rects_;
}

void Scene::drawImage(int id, const Image& im, const PixelRect& clip) {
    const PixelSize drawn = compositor_.sizeOf(im.drawn);
    if (id == 0) {
        if (im.stretch)
            blit(im.drawn, 0, 0, width_, height_, clip);
        else
            blit(im.drawn, 0, 0, drawn.width, drawn.height, clip);
        return;
    }
    const PixelSize own = compositor_.sizeOf(im.own);
    const int sw = std::min(im.rect.w, own.width), sh = std::min(im.rect.h, own.height);
    if (sw <= 0 || sh <= 0) return;
    if (im.game && scale_.identity()) {
        blit(im.own, im.rect.x, im.rect.y, sw, sh, clip);
        return;
    }
    // The same part of the picture on the frame: from the scaled picture, unscaled.
    const PixelRect dest = mapped({im.rect.x, im.rect.y, sw, sh}, scale_, im.game);
    blit(im.drawn, dest.x, dest.y, std::min(dest.w, drawn.width), std::min(dest.h, drawn.height), clip);
}

void Scene::blit(int picture, int x, int y, int w, int h, const PixelRect& clip) {
    if (overlap({x, y, w, h}, clip) && w > 0 && h > 0) compositor_.draw(picture, x, y, w, h, clip);
}

int Scene::imageAt(int x, int y) const {
    for (int id = static_cast<int>(images_.size()) - 1; id >= 0; --id) {
        if (!images_[static_cast<std::size_t>(id)].visible) continue;
        const PixelRect r = deviceRect(id);
        if (x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h) return id;
    }
    return -1;
}

bool Scene::seeThrough(int x, int y) const {
    if (!keyed_ || x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return compositor_.frame()[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] == 0;
}

}  // namespace zn::web
