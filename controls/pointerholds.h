#pragma once
// What the page's pointers and keys hold of the seven controls. Every pointer is a holder of the
// control it pressed: the control is pressed when its first pointer takes it and released when
// its last lets go, so one thumb can hold a direction while another presses START; power, which
// has no release, is pressed again by each. A finger on the joystick's disc rocks it from arrow
// to arrow, letting go of one and taking the next. A held key is remembered until its key-up,
// so that everything held can be let go at once when the page loses the focus.
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "controls/controls.h"

namespace zn {

class PointerHolds {
public:
    enum class Take { AlreadyHolding, Nothing, Press };
    // A pointer pressed on control c (none: the joystick's dead centre); rocks: it lies on the
    // joystick's disc. A pointer that holds already takes nothing more.
    Take take(int pointer, std::optional<Control> c, bool rocks);
    // The pointer lets go: the control to release, when it was its last holder.
    std::optional<Control> letGo(int pointer);
    // A pointer on the joystick's disc is over `to` now (none: no arrow): what to release and
    // what to press; changed when it holds another control than before.
    struct Rock {
        bool changed = false;
        std::optional<Control> release, press;
    };
    Rock rock(int pointer, std::optional<Control> to);

    void keyDown(int code, Control c);  // a control without release is not held
    void keyUp(int code);

    // Forgets everything held and returns the controls, each once (the keys' first).
    std::vector<Control> forget();
    int holders(Control c) const { return holders_[static_cast<std::size_t>(c)]; }

private:
    struct Pointer {
        int id;
        std::optional<Control> control;
        bool rocks;
    };
    Pointer* find(int pointer);
    bool hold(Pointer& p, std::optional<Control> c);  // true: c to be pressed

    std::vector<Pointer> pointers_;
    std::vector<std::pair<int, Control>> keys_;
    std::array<int, kBindingCount + 1> holders_{};  // [Control], [0] unused
};

}  // namespace zn
