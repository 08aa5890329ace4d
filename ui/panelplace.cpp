#include "ui/panelplace.h"

#include <algorithm>
#include <array>

namespace zn::ui {

Rect panelPlace(int viewportWidth, int viewportHeight, std::span<const Rect> controls, int wantWidth,
                int wantHeight) {
    const int vw = std::max(0, viewportWidth), vh = std::max(0, viewportHeight);
    // The controls' box, each grown by a fingertip, within the viewport; none: an empty box in
    // the top-left corner, which leaves the whole viewport to the right and below.
    int left = vw, top = vh, right = 0, bottom = 0;
    for (const Rect& c : controls) {
        if (c.width <= 0 || c.height <= 0) continue;
        left = std::min(left, c.left - kPanelFingertip);
        top = std::min(top, c.top - kPanelFingertip);
        right = std::max(right, c.left + c.width + kPanelFingertip);
        bottom = std::max(bottom, c.top + c.height + kPanelFingertip);
    }
    if (right <= left) left = top = right = bottom = 0;
    left = std::clamp(left, 0, vw), right = std::clamp(right, 0, vw);
    top = std::clamp(top, 0, vh), bottom = std::clamp(bottom, 0, vh);
    // The free bands, in the order taken when two give the same room; each panel keeps to its
    // band's outer corner (right and below: bottom-right, left: bottom-left, above: top-right).
    struct Band {
        int x0, y0, x1, y1;
        bool alignLeft, alignTop;
    };
    const std::array<Band, 4> bands = {{{right, 0, vw, vh, false, false},
                                        {0, bottom, vw, vh, false, false},
                                        {0, 0, left, vh, true, false},
                                        {0, 0, vw, top, false, true}}};
    Rect best{};
    long bestArea = -1;
    for (const Band& b : bands) {
        const int w = std::clamp(std::min(wantWidth, b.x1 - b.x0 - 2 * kPanelEdge), 0, vw);
        const int h = std::clamp(std::min(wantHeight, b.y1 - b.y0 - 2 * kPanelEdge), 0, vh);
        const long area = static_cast<long>(w) * h;
        if (area <= bestArea) continue;
        bestArea = area;
        best = {b.alignLeft ? b.x0 + kPanelEdge : b.x1 - kPanelEdge - w,
                b.alignTop ? b.y0 + kPanelEdge : b.y1 - kPanelEdge - h, w, h};
    }
    return bestArea > 0 ? best : Rect{};
}

}  // namespace zn::ui
