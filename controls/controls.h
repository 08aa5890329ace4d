#pragma once
// The seven controls of the device and the operations that press and release them. No
// toolkit here: the keyboard, the mouse and the game controllers all drive the same
// operations.
#include <cstdint>

namespace zn {

class Game;

// The seven controls, in the fixed order of Inp_Keys and of the stored Key1..Key7.
enum class Control { Power = 1, Select, Start, Up, Left, Right, Down };
constexpr int kBindingCount = 7;

// Whether letting go of the control works it too: every control but the power switch.
constexpr bool hasRelease(Control c) { return c != Control::Power; }

// The press and release operations of the controls; power has no release.
class InputOperations {
public:
    virtual ~InputOperations() = default;
    virtual void press(Control c) = 0;
    virtual void release(Control c) = 0;
};

// The game's own operation of a control's press (Inp_power_down, Inp_select_down, ...)
// and release (Inp_select_up, ...; nothing for power). The main window calls these, and
// so does anything else that plays the game through the controls.
void pressOnGame(Game& game, Control c);
void releaseOnGame(Game& game, Control c);

}  // namespace zn
