#include "ui/picturescaling.h"

#include <algorithm>
#include <cmath>

#include "ui/devicefit.h"

namespace zn {

ScalingPlan planScaling(PixelSize picture, double s, PixelSize partner, const std::function<bool(bool)>& holdsKey,
                        const std::function<bool(bool)>& hardEdges) {
    ScalingPlan plan;
    plan.size = {scaledLength(picture.width, s), scaledLength(picture.height, s)};
    if (static_cast<double>(plan.size.width) * plan.size.height > static_cast<double>(kMaxScaledPixels)) {
        plan.how = Scaling::NotKept;
        return plan;
    }
    // A partner of any other size would draw a different picture: the normal one stands in.
    plan.fromPartner = s > 1.0 && partner.width > 0 && partner.width == picture.width * 2 && partner.height == picture.height * 2;
    const PixelSize source = plan.fromPartner ? partner : picture;
    if (source.width == plan.size.width && source.height == plan.size.height)
        plan.how = Scaling::AsIs;
    else if (holdsKey(plan.fromPartner))
        plan.how = Scaling::Nearest;
    else
        plan.how = hardEdges(plan.fromPartner) ? Scaling::SmoothHardEdges : Scaling::Smooth;
    return plan;
}

bool holdsPixel(std::span<const std::uint32_t> pixels, std::uint32_t value) {
    return std::find(pixels.begin(), pixels.end(), value) != pixels.end();
}

bool hasHardEdges(std::span<const std::uint32_t> pixels) {
    bool transparent = false;
    for (const std::uint32_t p : pixels) {
        const std::uint32_t a = p >> 24;
        if (a != 0 && a != 255) return false;
        transparent = transparent || a == 0;
    }
    return transparent;
}

void hardenEdges(std::span<std::uint32_t> pixels, bool premultiplied) {
    for (std::uint32_t& p : pixels) {
        const std::uint32_t a = p >> 24;
        if (a == 0 || a == 255) continue;
        if (a < 128) {
            p = 0;
            continue;
        }
        if (!premultiplied) {
            p |= 0xff000000u;
            continue;
        }
        const auto straight = [p, a](int shift) {
            const double c = static_cast<double>((p >> shift) & 0xffu);
            return std::min<std::uint32_t>(255, static_cast<std::uint32_t>(std::lround(c * 255 / a))) << shift;
        };
        p = 0xff000000u | straight(16) | straight(8) | straight(0);
    }
}

}  // namespace zn
