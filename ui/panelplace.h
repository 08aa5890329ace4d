#pragma once
// Where the page puts a panel of its own (the skin loader's list of problems) so that it never
// covers the device's controls: in the largest free band of the viewport beside, below, left of
// or above the controls, as large as it wants to be or as the band allows. In CSS pixels.
#include <span>

#include "ui/dialogdata.h"

namespace zn::ui {

inline constexpr int kPanelEdge = 8;          // between the panel and the viewport's edge
inline constexpr int kPanelFingertip = 48;    // kept free around each control (about 8 mm)

// The panel's rectangle in the viewport (0, 0, viewportWidth, viewportHeight). Without controls
// it lies in the bottom-right corner. With no room anywhere it is empty (width or height 0).
Rect panelPlace(int viewportWidth, int viewportHeight, std::span<const Rect> controls, int wantWidth,
                int wantHeight);

}  // namespace zn::ui
