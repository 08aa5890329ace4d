#pragma once
// The device's controls under a finger. A fingertip covers what a mouse pointer would pick
// among, so on a touch screen the joystick's four overlay arrows make one disc that the finger
// rocks, a long press opens the menu only a fingertip away from every control, and a
// finger's control is found by these rules rather than by the topmost image alone. Also the
// pointer's shape over each image. Any one unit of length will do; the page gives frame pixels.
#include <array>
#include <functional>
#include <optional>

#include "controls/controls.h"
#include "engine/images.h"

namespace zn {

struct TouchRect {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
};

// The four overlay arrows' click areas in the order up, left, right, down.
using ArrowRects = std::array<TouchRect, 4>;

// The joystick as one control: the smallest disc round the arrows' centre that holds all four
// arrows, and its dead centre, the disc inside every arrow's nearest edge, where the stick
// stands upright and no direction is held.
struct JoystickDisc {
    double x = 0;
    double y = 0;
    double radius = 0;
    double deadRadius = 0;
};
// Nothing when an arrow has no area.
std::optional<JoystickDisc> joystickDisc(const ArrowRects& arrows);

// The direction a finger at (x, y) rocks the stick to, on the disc or beyond it (a sliding
// thumb overshoots): the arrow whose centre lies nearest in angle, the earlier of up, left,
// right, down on a tie. Nothing in the dead centre.
std::optional<Control> rockedDirection(const JoystickDisc& disc, const ArrowRects& arrows, double x, double y);

// A fingertip, 8 mm, in frame pixels: density frame pixels per CSS pixel, 96 CSS pixels an inch.
double fingertip(double density);

// A finger held still (within kLongPressSlop CSS pixels) for kLongPressMs away from the controls
// opens the popup menu; the context menu event that a long press also brings opens nothing
// within kLongPressQuietMs after. A press that takes a control vibrates for kVibrateMs.
inline constexpr int kLongPressMs = 500;
inline constexpr int kLongPressSlop = 10;
inline constexpr int kLongPressQuietMs = 400;
inline constexpr int kVibrateMs = 10;

// What a finger at (x, y) meets. rectOf gives where a shown image lies and nothing for a hidden
// one. onJoystick: the finger is on the disc (the overlays are on), holding direction (nothing
// in the dead centre). control: the control whose click area is under the finger otherwise,
// topmostClickArea's. nearControl: within margin of the disc, of a button's click area or of
// the pictured joystick, where a long press opens no menu.
struct TouchAt {
    bool onJoystick = false;
    std::optional<Control> direction;
    std::optional<Control> control;
    bool nearControl = false;
    // Where the finger rocks the stick if it holds the disc (as rockedDirection).
    std::optional<Control> rocked;
};
using ShownRect = std::function<std::optional<TouchRect>(ImageId)>;
TouchAt touchAt(const ShownRect& rectOf, std::optional<Control> topmostClickArea, double x, double y, double margin);

// The pointer over an image: a hand over the click areas of the controls, a question mark
// over the pictured joystick (which takes no input), else the arrow.
enum class Cursor { Arrow = 0, Hand = 1, Help = 2 };
Cursor cursorOver(std::optional<ImageId> image);

}  // namespace zn
