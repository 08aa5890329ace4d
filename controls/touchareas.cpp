#include "controls/touchareas.h"

#include <algorithm>
#include <cmath>

#include "controls/clickareas.h"

namespace zn {
namespace {

constexpr double kFingertipMm = 8.0;
constexpr double kCssPixelsPerInch = 96.0;
constexpr double kMmPerInch = 25.4;

constexpr Control kArrowControls[] = {Control::Up, Control::Left, Control::Right, Control::Down};
constexpr ImageId kArrowImages[] = {img::btn_ctrlr_overlay_up, img::btn_ctrlr_overlay_left,
                                    img::btn_ctrlr_overlay_right, img::btn_ctrlr_overlay_down};
// The areas round which a long press opens no menu besides the joystick's.
constexpr ImageId kButtonImages[] = {img::btn_power_top, img::btn_select_top, img::btn_start_top,
                                     img::btn_joystick_top};

// How far (x, y) lies from the rectangle: 0 inside it.
double distanceTo(const TouchRect& r, double x, double y) {
    const double dx = std::max({r.x - x, 0.0, x - (r.x + r.w)});
    const double dy = std::max({r.y - y, 0.0, y - (r.y + r.h)});
    return std::hypot(dx, dy);
}

}  // namespace

std::optional<JoystickDisc> joystickDisc(const ArrowRects& arrows) {
    double left = arrows[0].x, top = arrows[0].y, right = left, bottom = top;
    for (const TouchRect& a : arrows) {
        if (a.empty()) return std::nullopt;
        left = std::min(left, a.x);
        top = std::min(top, a.y);
        right = std::max(right, a.x + a.w);
        bottom = std::max(bottom, a.y + a.h);
    }
    JoystickDisc d{(left + right) / 2, (top + bottom) / 2, 0, 0};
    d.deadRadius = distanceTo(arrows[0], d.x, d.y);
    for (const TouchRect& a : arrows) {
        // The farthest corner of the arrow, and its nearest point.
        const double fx = std::max(std::abs(a.x - d.x), std::abs(a.x + a.w - d.x));
        const double fy = std::max(std::abs(a.y - d.y), std::abs(a.y + a.h - d.y));
        d.radius = std::max(d.radius, std::hypot(fx, fy));
        d.deadRadius = std::min(d.deadRadius, distanceTo(a, d.x, d.y));
    }
    return d;
}

std::optional<Control> rockedDirection(const JoystickDisc& disc, const ArrowRects& arrows, double x, double y) {
    const double dx = x - disc.x, dy = y - disc.y, length = std::hypot(dx, dy);
    if (length <= disc.deadRadius || length == 0) return std::nullopt;
    std::optional<Control> best;
    double bestCos = -2;
    for (std::size_t i = 0; i < arrows.size(); ++i) {
        const double ax = arrows[i].x + arrows[i].w / 2 - disc.x, ay = arrows[i].y + arrows[i].h / 2 - disc.y;
        const double a = std::hypot(ax, ay);
        const double cos = a == 0 ? -1 : (dx * ax + dy * ay) / (length * a);
        // A hair's tolerance, so that a point on a diagonal goes to the earlier arrow.
        if (cos > bestCos + 1e-12) {
            bestCos = cos;
            best = kArrowControls[i];
        }
    }
    return best;
}

double fingertip(double density) {
    return density > 0 && std::isfinite(density) ? kFingertipMm / kMmPerInch * kCssPixelsPerInch * density : 0.0;
}

TouchAt touchAt(const ShownRect& rectOf, std::optional<Control> topmostClickArea, double x, double y, double margin) {
    TouchAt at;
    ArrowRects arrows;
    bool overlays = true;
    for (std::size_t i = 0; i < arrows.size(); ++i) {
        const auto r = rectOf(kArrowImages[i]);
        overlays = overlays && r.has_value();
        if (r) arrows[i] = *r;
    }
    const auto disc = overlays ? joystickDisc(arrows) : std::nullopt;
    if (disc) {
        const double fromCentre = std::hypot(x - disc->x, y - disc->y);
        at.rocked = rockedDirection(*disc, arrows, x, y);
        at.onJoystick = fromCentre <= disc->radius;
        if (at.onJoystick) at.direction = at.rocked;
        at.nearControl = fromCentre <= disc->radius + margin;
    }
    if (!at.onJoystick) at.control = topmostClickArea;
    for (const ImageId id : kButtonImages) {
        const auto r = rectOf(id);
        if (r && !r->empty() && distanceTo(*r, x, y) <= margin) at.nearControl = true;
    }
    at.nearControl = at.nearControl || at.control.has_value();
    return at;
}

Cursor cursorOver(std::optional<ImageId> image) {
    if (!image) return Cursor::Arrow;
    if (*image == img::btn_joystick_top) return Cursor::Help;
    return clickAreaControl(*image) ? Cursor::Hand : Cursor::Arrow;
}

}  // namespace zn
