#pragma once
// The zoom the windowed device takes on a given screen. Plain C++: the rule is decided here
// and tested on its own; the main window only measures the screen and the skin and applies
// the answer.
#include <functional>

namespace zn {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The window's size at a zoom in percent: each side of the skin's client size scaled and
// rounded to the nearest pixel, as the surface draws it.
PixelSize zoomedSize(PixelSize client, int percent);

// The zoom in force for the zoom the user chose (a valid step), on a screen whose free area
// (without panels) is `area`, when the window at zoom z would be windowAt(z):
// - up to 100 % the choice stands, whether it fits or not: the screen never makes the
//   device smaller than its own size;
// - above it, the largest step of `step` percent from 100 up to the choice whose window fits
//   into the area, both sides; 100 % when none above it does.
// A window that still does not fit is the caller's to place (at the area's top-left corner).
int zoomInForce(int chosen, int step, PixelSize area, const std::function<PixelSize(int)>& windowAt);

}  // namespace zn
