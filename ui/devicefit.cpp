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
    const ScreenPlacement p = fitChosen ? ScreenPlacement{fittedScale(client, gameArea, logo), true}
                                        : placeOnScreen(client, gameArea, logo);
    const DeviceScale& f = p.scale;
    return {{f.game * density, f.shiftX * density, f.shiftY * density, density}, 1.0, p.logoShown};
}

ScreenPlacement placeOnScreen(PixelSize client, const PixelRect& gameArea, const PixelRect& logo) {
    if (client.width <= 0 || client.height <= 0 || gameArea.empty()) return {};
    const double cw = client.width, ch = client.height;
    const bool fits = gameArea.w <= cw && gameArea.h <= ch;
    const double s = fits ? 1.0 : std::min(cw / gameArea.w, ch / gameArea.h);
    const double w = gameArea.w * s, h = gameArea.h * s;
    double x = fits ? gameArea.x : (cw - w) / 2, y = fits ? gameArea.y : 0.0;
    const auto placed = [&] { return ScreenPlacement{{s, x - gameArea.x * s, y - gameArea.y * s, 1.0}, true}; };
    if (logo.empty()) return placed();
    const PixelRect& l = logo;
    const auto clear = [&](double ax, double ay) {
        return ax + w <= l.x || ax >= l.x + l.w || ay + h <= l.y || ay >= l.y + l.h;
    };
    const bool logoWhole = l.x >= 0 && l.y >= 0 && l.x + l.w <= cw && l.y + l.h <= ch;
    if (logoWhole && !clear(x, y)) {
        // Beside the logo on each of its four sides, where that is on the screen.
        const double left = l.x, top = l.y, right = l.x + l.w, bottom = l.y + l.h;
        const double moves[][2] = {{left - w, y}, {right, y}, {x, top - h}, {x, bottom}};
        const double x0 = x, y0 = y;
        double best = -1;
        for (const auto& m : moves) {
            const bool onScreen = m[0] >= 0 && m[1] >= 0 && m[0] + w <= cw && m[1] + h <= ch;
            const double distance = std::abs(m[0] - x0) + std::abs(m[1] - y0);
            if (!onScreen || (best >= 0 && distance >= best)) continue;
            best = distance;
            x = m[0];
            y = m[1];
        }
        if (best < 0) return {placed().scale, false};
    }
    return {placed().scale, logoWhole};
}

}  // namespace zn
