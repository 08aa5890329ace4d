#include "web/core/pixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui/picturescaling.h"

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

PixelSize Compositor::sizeOf(int id) const {
    const Picture* p = picture(id);
    return p ? PixelSize{p->width, p->height} : PixelSize{};
}

bool Compositor::premultiply(int id) {
    Picture* p = picture(id);
    if (!p) return false;
    std::uint32_t* px = p->pixels.get();
    const std::size_t n = p->count();
    // Pixels up to the first partly transparent one are fully opaque or transparent: the same
    // straight as premultiplied, as far as any drawing of them goes.
    const std::size_t first = static_cast<std::size_t>(
        std::find_if(px, px + n, [](std::uint32_t v) { return (v >> 24) != 0 && (v >> 24) != 255; }) - px);
    p->straight.reset();
    p->partlyTransparent = first != n;
    if (p->partlyTransparent) {
        p->straight = std::make_unique_for_overwrite<std::uint32_t[]>(n);
        std::memcpy(p->straight.get(), px, n * sizeof(std::uint32_t));
    }
    return zn::web::premultiply(px, n);
}

const std::uint32_t* Compositor::straight(int id) {
    Picture* p = picture(id);
    if (!p) return nullptr;
    if (!p->partlyTransparent) return p->pixels.get();
    if (!p->straight) {
        p->straight = std::make_unique_for_overwrite<std::uint32_t[]>(p->count());
        const std::uint32_t* px = p->pixels.get();
        for (std::size_t i = 0; i < p->count(); ++i) {
            const std::uint32_t v = px[i], a = v >> 24;
            const auto channel = [v, a](int shift) {
                const double c = static_cast<double>((v >> shift) & 0xffu);
                return std::min<std::uint32_t>(255, static_cast<std::uint32_t>(std::lround(c * 255 / a))) << shift;
            };
            p->straight[i] = a == 0 ? 0 : a << 24 | channel(16) | channel(8) | channel(0);
        }
    }
    return p->straight.get();
}

int Compositor::scaleNearest(int id, int width, int height) {
    if (!picture(id) || width <= 0 || height <= 0) return 0;
    const int out = addPicture(width, height);
    const Picture* p = picture(id);  // after addPicture, which may move the pictures
    if (!out) return 0;
    picture(out)->partlyTransparent = p->partlyTransparent;
    std::uint32_t* to = pixels(out);
    for (int y = 0; y < height; ++y) {
        const int sy = std::min(p->height - 1, static_cast<int>(std::floor((y + 0.5) * p->height / height)));
        for (int x = 0; x < width; ++x) {
            const int sx = std::min(p->width - 1, static_cast<int>(std::floor((x + 0.5) * p->width / width)));
            to[static_cast<std::size_t>(y) * width + x] = p->pixels[static_cast<std::size_t>(sy) * p->width + sx];
        }
    }
    return out;
}

int Compositor::halved(int id) {
    const PixelSize size = sizeOf(id);
    if (size.width < 2 || size.height < 2) return 0;
    const int w = size.width / 2;
    const int h = size.height / 2;
    const int out = addPicture(w, h);
    if (!out) return 0;
    // The straight pixels, premultiplied again: partly transparent pixels keep their colours.
    const std::uint32_t* from = straight(id);
    std::uint32_t* to = pixels(out);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            to[static_cast<std::size_t>(y) * w + x] = from[static_cast<std::size_t>(2 * y) * size.width + 2 * x];
        }
    }
    premultiply(out);
    return out;
}

bool Compositor::holdsPixel(int id, std::uint32_t pixel) const {
    const Picture* p = picture(id);
    return p && zn::holdsPixel({p->pixels.get(), p->count()}, pixel);
}

bool Compositor::hasHardEdges(int id) const {
    const Picture* p = picture(id);
    return p && zn::hasHardEdges({p->pixels.get(), p->count()});
}

void Compositor::hardenEdges(int id) {
    Picture* p = picture(id);
    if (!p) return;
    zn::hardenEdges({p->pixels.get(), p->count()}, true);
    p->straight.reset();
    p->partlyTransparent = false;
}

void Compositor::removePicture(int id) {
    if (!picture(id)) return;
    pictures_[static_cast<std::size_t>(id - 1)] = Picture{};
}

Compositor::Picture* Compositor::picture(int id) {
    return const_cast<Picture*>(static_cast<const Compositor*>(this)->picture(id));
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
