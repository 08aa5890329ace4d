#include "ui/devicefit.h"

#include <algorithm>
#include <cmath>

namespace zn {

int roundedPixel(double v) { return static_cast<int>(std::lround(v)); }

int scaledLength(int length, double s) { return std::max(1, roundedPixel(length * s)); }

PixelRect mapRect(const PixelRect& r, const DeviceScale& scale, bool game) {
    const double s = game ? scale.game : scale.client;
    const double dx = game ? scale.shiftX : 0.0, dy = game ? scale.shiftY : 0.0;
    const int left = roundedPixel(r.x * s + dx), top = roundedPixel(r.y * s + dy);
    return {left, top, roundedPixel((r.x + r.w) * s + dx) - left, roundedPixel((r.y + r.h) * s + dy) - top};
}

DeviceScale fittedScale(PixelSize client, const PixelRect& gameArea, const PixelRect& keepClear) {
    if (client.width <= 0 || client.height <= 0 || gameArea.empty()) return {};
    const double w = gameArea.w, h = gameArea.h, cw = client.width, ch = client.height;
    double s = std::min(cw / w, ch / h);
    if (!keepClear.empty()) {
        // The centred area is clear of the rectangle when it ends before one of its four
        // sides: the largest scale that still does so on any side.
        const PixelRect& k = keepClear;
        const double clear = std::max({(2.0 * k.x - cw) / w, (cw - 2.0 * (k.x + k.w)) / w, (2.0 * k.y - ch) / h,
                                       (ch - 2.0 * (k.y + k.h)) / h});
        s = std::max(std::min(s, clear), std::min(s, 1.0));
    }
    return {s, (cw - w * s) / 2 - gameArea.x * s, (ch - h * s) / 2 - gameArea.y * s, 1.0};
}

PageScale pageScale(bool fullscreen, std::optional<int> zoomPercent, PixelSize viewport, PixelSize client,
                      const PixelRect& gameArea, const PixelRect& logo, bool fitChosen, double density) {
    if (!fullscreen) {
        const double z = zoomPercent ? *zoomPercent / 100.0
                                     : std::min(static_cast<double>(viewport.width) / client.width,
                                                static_cast<double>(viewport.height) / client.height);
        return {{z * density, 0.0, 0.0, z * density}, z};
    }
    const bool fits = gameArea.w <= client.width && gameArea.h <= client.height;
    if (!fitChosen && fits) return {{density, 0.0, 0.0, density}, 1.0};
    const DeviceScale f = fittedScale(client, gameArea, logo);
    return {{f.game * density, f.shiftX * density, f.shiftY * density, density}, 1.0};
}

}  // namespace zn
