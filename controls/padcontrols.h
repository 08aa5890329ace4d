#pragma once
// What the game controllers do, free of any toolkit: their d-pads and left sticks work the
// joystick, Start and A the start button, Back and X game select, Guide and Y the power switch.
// Every button and stick direction of every controller is a holder of its control: the control
// is pressed when its first holder takes it and released when its last lets go (power has no
// release). A stick direction is held from half way on and let go below 30 %, so a stick near
// one mark does not chatter.
//
// The hosts feed it what they read: the desktop SDL's events one by one, the page a whole
// controller each frame (the Gamepad API's standard mapping). Controllers are told apart by a
// number of the host's; buttons and axes are numbered as the standard mapping numbers them.
#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "controls/controls.h"

namespace zn {

// The buttons and the left stick's axes that work a control, by their standard-mapping numbers.
enum class PadButton : int {
    A = 0,
    X = 2,
    Y = 3,
    Back = 8,
    Start = 9,
    DpadUp = 12,
    DpadDown = 13,
    DpadLeft = 14,
    DpadRight = 15,
    Guide = 16
};
enum class PadAxis : int { LeftX = 0, LeftY = 1 };  // y grows downwards

class PadControls {
public:
    // Stick deflection, of kFullScale, at which a direction is pressed, and below which it is
    // released again; between the two nothing changes.
    static constexpr int kFullScale = 32767;
    static constexpr int kStickPress = 16384;   // half way
    static constexpr int kStickRelease = 9830;  // 30 %
    // An analogue button's value (0..1) from which it is held.
    static constexpr double kButtonPress = 0.5;

    explicit PadControls(InputOperations& ops) : ops_(ops) {}

    // One button of a controller went down or up. A control is pressed only if pressesAllowed
    // (the host has the focus and no dialog open); releases always reach the operations.
    void button(int pad, int button, bool down, bool pressesAllowed);
    // One axis of a controller moved; deflection is a fraction of full scale (-1..1). Of the
    // two directions of the axis, the one let go is released before the other is pressed.
    void axis(int pad, int axis, double deflection, bool pressesAllowed);
    // The whole state of a controller: buttons[b] the value of button b (0..1), axes[a] the
    // deflection of axis a. A source taking over a control that another still holds counts
    // first, so the control is never let go in between; then releases, then presses.
    void read(int pad, std::span<const double> buttons, std::span<const double> axes, bool pressesAllowed);
    // The controller went: whatever it held is let go of.
    void unplug(int pad);
    // Unplugs every controller but those named, in the order they came.
    void unplugAllBut(std::span<const int> present);

    // Forgets what every controller holds, without releasing, and returns the controls that
    // were held (power aside) for the caller to release; what is still held is pressed again
    // when it is next read.
    std::vector<Control> forget();
    // How many controllers' buttons and sticks hold the control now.
    int holders(Control c) const { return holders_[static_cast<std::size_t>(c)]; }

private:
    using Held = std::uint32_t;  // bit s: source s holds its control
    Held& heldBy(int pad);
    // Sets the sources of mask to the states of now, in the order the class comment gives.
    void apply(int pad, Held mask, Held now, bool pressesAllowed);
    void set(Held& held, int source, bool on, bool pressesAllowed);

    InputOperations& ops_;
    std::vector<std::pair<int, Held>> pads_;
    std::array<int, kBindingCount + 1> holders_{};  // [Control], [0] unused
};

}  // namespace zn
