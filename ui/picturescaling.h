#pragma once
// Which picture an image is drawn with at a scale other than 100 %, and how it is made: once
// per picture and scale, then drawn unscaled. Decided alike by the desktop's surface and the
// page, each of which scales with its own means (nearest-neighbour, smooth) as told.
//
// Pixels here are 32-bit words with the alpha in the top byte; the order of the three colour
// bytes below it does not matter to these rules.
#include <cstdint>
#include <functional>
#include <span>

#include "ui/zoomfit.h"

namespace zn {

// Larger scaled pictures are not kept (128 MiB as 32-bit pixels): the front end draws the
// picture scaled as it shows it instead.
inline constexpr long long kMaxScaledPixels = 1ll << 25;

enum class Scaling {
    AsIs,             // the source already has the scaled size
    Nearest,          // the picture holds the key colour: key-coloured pixels stay exactly that
    Smooth,           // smoothed
    SmoothHardEdges,  // smoothed, then hardenEdges: the outline the window's shape follows stays hard
    NotKept,          // too large to keep scaled
};

struct ScalingPlan {
    bool fromPartner = false;  // made from the double-size partner rather than the picture
    PixelSize size;            // the scaled picture's size
    Scaling how = Scaling::AsIs;
};

// The picture (its size) at scale s. Above 100 % a double-size partner is used when there is
// one of exactly twice the size (partner: its size, or 0 x 0). holdsKey and hardEdges are
// asked of the source only when the answer matters (each is a pass over its pixels).
ScalingPlan planScaling(PixelSize picture, double s, PixelSize partner, const std::function<bool(bool fromPartner)>& holdsKey,
                        const std::function<bool(bool fromPartner)>& hardEdges);

// True when some pixel is exactly the value.
bool holdsPixel(std::span<const std::uint32_t> pixels, std::uint32_t value);
// True when every pixel is either fully opaque or fully transparent, and some are transparent:
// an outline that the window's shape follows.
bool hasHardEdges(std::span<const std::uint32_t> pixels);
// Smoothing leaves half-transparent pixels along an outline; each becomes fully opaque (its
// own colour, unpremultiplied first when the pixels are premultiplied) or fully transparent
// again, so that no half-blended rim of the key colour is left around it.
void hardenEdges(std::span<std::uint32_t> pixels, bool premultiplied);

}  // namespace zn
