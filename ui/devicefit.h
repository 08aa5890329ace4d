#pragma once
// Where the device lies when it is drawn scaled, decided alike by the desktop's surface and the
// page's canvas: how the game area fits a client, how a rectangle of skin pixels lands on the
// screen, and how long a scaled side is. Plain numbers in and out; each front end measures its
// screen and applies the answer.
#include <optional>

#include "ui/zoomfit.h"

namespace zn {

struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
    bool operator==(const PixelRect&) const = default;
};

// A point p of the game area (skin pixels) lies at p * game + shift on the screen; the
// screen's own size is the client size times client. The backdrop, the logo and the game menu
// are drawn at `client` (never with the game's scale or shift).
struct DeviceScale {
    double game = 1.0;
    double shiftX = 0.0;
    double shiftY = 0.0;
    double client = 1.0;
    bool identity() const { return game == 1.0 && shiftX == 0.0 && shiftY == 0.0; }
    bool operator==(const DeviceScale&) const = default;
};

// Half away from zero, the rounding every scaled length and edge takes.
int roundedPixel(double v);

// A side of length pixels drawn at scale s: rounded, and never below one pixel.
int scaledLength(int length, double s);

// The rectangle on the screen, mapped by its edges so that images that meet in skin pixels
// meet on the screen too: with the game's scale and shift when game is true, else with the
// client scale alone.
PixelRect mapRect(const PixelRect& r, const DeviceScale& scale, bool game);

// Full screen fitted: the game area as large as it fits into a client of this size, its
// proportions kept, centred; the client itself is not scaled. When a rectangle to keep clear
// is given (the logo), the area stops short of it on the side that leaves it largest, though
// never below its own size for that: a logo in the middle of the screen is covered as before.
DeviceScale fittedScale(PixelSize client, const PixelRect& gameArea, const PixelRect& keepClear = {});

// Full screen on a screen of any shape, a phone's included: the skin's own layout (the game
// area where the set-up put it, pixel for pixel) where the client has room for the area and
// the logo whole beside it. Otherwise the area keeps its size, or where it does not fit
// becomes as large as the client holds it, at the top and centred; then, when it would cover
// the logo, it moves the shortest way that clears the logo and stays on the screen. A logo
// that is cut by the screen's edges or that no such move clears is left out.
struct ScreenPlacement {
    DeviceScale scale;
    bool logoShown = true;
};
ScreenPlacement placeOnScreen(PixelSize client, const PixelRect& gameArea, const PixelRect& logo);

// The page's scale for the canvas: density device pixels per CSS pixel, a viewport of CSS
// pixels. Windowed, the whole client at zoomPercent (when given) or as large as the viewport
// holds it; in full screen fitted (fittedScale) when the user chose the fit, else placed
// (placeOnScreen). css: CSS pixels per client pixel; logoShown: false when the logo is left out.
struct PageScale {
    DeviceScale device;
    double css = 1.0;
    bool logoShown = true;
};
PageScale pageScale(bool fullscreen, std::optional<int> zoomPercent, PixelSize viewport, PixelSize client,
                      const PixelRect& gameArea, const PixelRect& logo, bool fitChosen, double density);

}  // namespace zn
