// The functions zn.wasm exports for the page's own rules: what its keys and pointers hold
// (controls/pointerholds.h; the page reports each key and pointer, and presses and releases what
// the answer names through its own operations), where its dialog windows lie (ui/dialogfit.h)
// and how its animation frames move the game's clock (web/core/frameclock.h).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "controls/controls.h"
#include "controls/longpress.h"
#include "controls/pointerholds.h"
#include "controls/touchareas.h"
#include "ui/dialogfit.h"
#include "web/core/bridge.h"
#include "web/core/frameclock.h"
#include "web/core/jsontext.h"

// The keys' rules, with the page's bindings (controlexports.cpp).
extern "C" int zn_key_code(int length);
extern "C" int zn_key_pressed_control(int code);
extern "C" int zn_key_released_control(int code);

namespace {

using namespace zn::web::bridge;

zn::PointerHolds holds;
zn::LongPress longPress;
zn::web::FrameClock frameClock;

std::optional<zn::Control> control(int c) {
    return isControl(c) ? std::optional(static_cast<zn::Control>(c)) : std::nullopt;
}
int number(std::optional<zn::Control> c) { return c ? static_cast<int>(*c) : 0; }

}  // namespace

// The KeyboardEvent.code in the buffer went down: the control to press (0: none); a control
// with a release stays held until the key goes up.
ZN_EXPORT(zn_key_down) int zn_key_down(int length) {
    const int code = zn_key_code(length);
    const int c = code ? zn_key_pressed_control(code) : 0;
    if (c) holds.keyDown(code, static_cast<zn::Control>(c));
    return c;
}
// The key went up: the control to release (0: none).
ZN_EXPORT(zn_key_up) int zn_key_up(int length) {
    const int code = zn_key_code(length);
    holds.keyUp(code);
    return code ? zn_key_released_control(code) : 0;
}

// The touch's timings the page keeps itself (controls/touchareas.h): {longPressMs, vibrateMs}.
ZN_EXPORT(zn_touch_timings) int zn_touch_timings() {
    zn::web::JsonText j;
    j.beginObject()
        .key("longPressMs")
        .value(zn::kLongPressMs)
        .key("vibrateMs")
        .value(zn::kVibrateMs)
        .endObject();
    return setOutput(j.text());
}

// The long press (controls/longpress.h); x, y in CSS pixels, now in ms. zn_long_press_move and
// zn_long_press_end answer 1 when they called the press off (the page stops its timer).
ZN_EXPORT(zn_long_press_start) void zn_long_press_start(int pointer, double x, double y) {
    longPress.start(pointer, x, y);
}
ZN_EXPORT(zn_long_press_move) int zn_long_press_move(int pointer, double x, double y, double now) {
    return longPress.move(pointer, x, y, now) ? 1 : 0;
}
ZN_EXPORT(zn_long_press_end) int zn_long_press_end(int pointer, double now) {
    return longPress.end(pointer, now) ? 1 : 0;
}
ZN_EXPORT(zn_long_press_fire) void zn_long_press_fire() { longPress.fire(); }
ZN_EXPORT(zn_long_press_menu_allowed) int zn_long_press_menu_allowed(double now) {
    return longPress.menuAllowed(now) ? 1 : 0;
}

// A pointer pressed control c (0: none); rocks: 1 on the joystick's disc. 1: press c now, 0:
// nothing to press, -1: the pointer holds already and takes nothing.
ZN_EXPORT(zn_pointer_take) int zn_pointer_take(int pointer, int c, int rocks) {
    switch (holds.take(pointer, control(c), rocks != 0)) {
        case zn::PointerHolds::Take::AlreadyHolding:
            return -1;
        case zn::PointerHolds::Take::Press:
            return 1;
        case zn::PointerHolds::Take::Nothing:
            break;
    }
    return 0;
}
// The pointer let go: the control to release (0: none).
ZN_EXPORT(zn_pointer_let_go) int zn_pointer_let_go(int pointer) { return number(holds.letGo(pointer)); }

// A pointer moved over control c (0: none) as zn_touch_at's `rocked` says: the list release,
// press (0: none), and 1 when it holds a control it did not hold before.
ZN_EXPORT(zn_pointer_rock) int zn_pointer_rock(int pointer, int c) {
    const auto r = holds.rock(pointer, control(c));
    return setList({number(r.release), number(r.press), r.changed && control(c) ? 1 : 0});
}

// Forgets every key and pointer held (the page lost the focus): the controls, for the page to
// release.
ZN_EXPORT(zn_holds_forget) int zn_holds_forget() {
    std::vector<int> held;
    for (const zn::Control c : holds.forget()) held.push_back(static_cast<int>(c));
    return setList(held);
}

// A dialog window of a client area of w x h in a viewport of vw x vh (CSS pixels): the text
// "left top scale", the scale as the page reads it back exactly.
ZN_EXPORT(zn_dialog_fit) int zn_dialog_fit(double vw, double vh, int w, int h) {
    if (!std::isfinite(vw) || !std::isfinite(vh) || w < 0 || h < 0) return setOutput("0 0 1");
    const zn::ui::DialogFit f = zn::ui::dialogFit(vw, vh, w, h);
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %.17g", f.left, f.top, f.scale);
    return setOutput(text);
}

// An animation frame at real time t (ms): the game moves on unless the clock stands (running
// 0), at its speed; returns the game's milliseconds it moved.
ZN_EXPORT(zn_clock_frame) int zn_clock_frame(double t, int running) {
    const std::int64_t ms = frameClock.frame(t, running != 0);
    const std::int64_t before = theGame().now();
    if (ms > 0) theGame().advanceReal(ms);
    return static_cast<int>(theGame().now() - before);
}

// The game's pace: a speed in percent, one of 50, 75 and 100 (any other is 100); returns the
// speed in force.
ZN_EXPORT(zn_set_speed) int zn_set_speed(int percent) {
    theGame().setSpeed(percent);
    return theGame().speed();
}
ZN_EXPORT(zn_speed) int zn_speed() { return theGame().speed(); }
// The time since the last frame is not played (the tab shown again, the game resumed).
ZN_EXPORT(zn_clock_restart) void zn_clock_restart() { frameClock.restart(); }
