#pragma once
// Where the page shows one of its dialog windows: centred in the viewport and, where the
// viewport is smaller than the window, scaled down as a whole to fit it with a margin. In CSS
// pixels; the window's corner at whole pixels, as a window at a half pixel would blur its text.

namespace zn::ui {

// The window's frame around its client area, as the page's style sheet (ui.css) draws it.
inline constexpr int kDialogCaptionHeight = 24;  // .zn-titlebar
inline constexpr int kDialogBorder = 1;          // .zn-dialog
inline constexpr int kDialogMargin = 8;          // kept free at the viewport's edges
inline constexpr double kDialogMinScale = 0.1;

struct DialogFit {
    int left = 0;
    int top = 0;
    double scale = 1;  // at most 1: a window is never enlarged
};

// The window of a client area of clientWidth x clientHeight in a viewport of viewportWidth x
// viewportHeight.
DialogFit dialogFit(double viewportWidth, double viewportHeight, int clientWidth, int clientHeight);

}  // namespace zn::ui
