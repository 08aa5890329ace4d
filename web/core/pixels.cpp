#include "web/core/pixels.h"

#include <algorithm>

namespace zn::web {
namespace {

// Larger pictures are refused (a skin's pictures are a few million pixels at most).
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 25;

// The two channels at bits 0..7 and 16..23 of pair, each times a / 255.
std::uint32_t mulPair(std::uint32_t pair, std::uint32_t a) {
    const std::uint32_t t = pair * a;
    return ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
}

std::uint32_t over(std::uint32_t s, std::uint32_t d) {
    const std::uint32_t ia = 255 - (s >> 24);
    return s + (mulPair(d & 0xff00ffu, ia) | (mulPair((d >> 8) & 0xff00ffu, ia) << 8));
}

PixelRect intersect(PixelRect a, PixelRect b) {
    const int x = std::max(a.x, b.x);
    const int y = std::max(a.y, b.y);
    const int r = std::min(a.x + a.w, b.x + b.w);
    const int btm = std::min(a.y + a.h, b.y + b.h);
    return r > x && btm > y ? PixelRect{x, y, r - x, btm - y} : PixelRect{};
}

}  // namespace

bool premultiply(std::uint32_t* pixels, std::size_t count) {
    bool blended = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t s = pixels[i];
        const std::uint32_t a = s >> 24;
        if (a == 255) continue;
        if (a == 0) {
            pixels[i] = 0;
            continue;
        }
        blended = true;
        const std::uint32_t g = (s & 0xff00u) * a;
        pixels[i] = mulPair(s & 0xff00ffu, a) | (((g >> 8) + ((g >> 16) & 0xffu) + 0x80u) & 0xff00u) | (a << 24);
    }
    return blended;
}

void Compositor::resizeFrame(int width, int height) {
    if (width < 0 || height < 0 || std::int64_t{width} * height > kMaxPixels) width = height = 0;
    width_ = width;
    height_ = height;
    frame_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

int Compositor::addPicture(int width, int height) {
    if (width < 0 || height < 0 || std::int64_t{width} * height > kMaxPixels) return 0;
    auto slot = std::find_if(pictures_.begin(), pictures_.end(), [](const Picture& p) { return p.width < 0; });
    if (slot == pictures_.end()) slot = pictures_.insert(pictures_.end(), Picture{});
    slot->width = width;
    slot->height = height;
    slot->pixels = std::make_unique_for_overwrite<std::uint32_t[]>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return static_cast<int>(slot - pictures_.begin()) + 1;
}

std::uint32_t* Compositor::pixels(int id) {
    const Picture* p = picture(id);
    return p ? p->pixels.get() : nullptr;
}

bool Compositor::premultiply(int id) {
    const Picture* p = picture(id);
    return p && zn::web::premultiply(p->pixels.get(), static_cast<std::size_t>(p->width) * static_cast<std::size_t>(p->height));
}

void Compositor::removePicture(int id) {
    if (!picture(id)) return;
    pictures_[static_cast<std::size_t>(id - 1)] = Picture{};
}

const Compositor::Picture* Compositor::picture(int id) const {
    if (id < 1 || static_cast<std::size_t>(id) > pictures_.size()) return nullptr;
    const Picture& p = pictures_[static_cast<std::size_t>(id - 1)];
    return p.width < 0 ? nullptr : &p;
}

PixelRect Compositor::onFrame(PixelRect r) const { return intersect(r, PixelRect{0, 0, width_, height_}); }

void Compositor::fill(PixelRect r, std::uint32_t colour) {
    const PixelRect a = onFrame(r);
    for (int y = a.y; y < a.y + a.h; ++y) {
        std::uint32_t* row = frame_.data() + static_cast<std::size_t>(y) * width_;
        std::fill(row + a.x, row + a.x + a.w, colour);
    }
}

void Compositor::draw(int id, int x, int y, int w, int h, PixelRect clip) {
    const Picture* p = picture(id);
    if (!p) return;
    w = std::min(w, p->width);
    h = std::min(h, p->height);
    const PixelRect a = onFrame(intersect(PixelRect{x, y, w, h}, clip));
    for (int row = a.y; row < a.y + a.h; ++row) {
        const std::uint32_t* src = p->pixels.get() + static_cast<std::size_t>(row - y) * p->width + (a.x - x);
        std::uint32_t* dst = frame_.data() + static_cast<std::size_t>(row) * width_ + a.x;
        for (int i = 0; i < a.w; ++i) {
            const std::uint32_t s = src[i];
            const std::uint32_t alpha = s >> 24;
            if (alpha == 255)
                dst[i] = s;
            else if (alpha != 0)
                dst[i] = over(s, dst[i]);
        }
    }
}

void Compositor::clearKey(PixelRect r, std::uint32_t key) {
    const PixelRect a = onFrame(r);
    for (int y = a.y; y < a.y + a.h; ++y) {
        std::uint32_t* row = frame_.data() + static_cast<std::size_t>(y) * width_;
        std::replace(row + a.x, row + a.x + a.w, key, std::uint32_t{0});
    }
}

}  // namespace zn::web
