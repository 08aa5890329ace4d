#include "controls/padcontrols.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zn {
namespace {

// Records the operations as text: "+1" a press of control 1 (power), "-4" a release of 4 (up).
struct Recorder : InputOperations {
    std::string log;
    void press(Control c) override { log += "+" + std::to_string(static_cast<int>(c)); }
    void release(Control c) override { log += "-" + std::to_string(static_cast<int>(c)); }
};

// One controller as the page reads it each frame: the buttons held and the left stick.
struct Pad {
    int index;
    std::vector<int> buttons;
    double x = 0, y = 0;
};
struct Step {
    std::vector<Pad> pads;
    const char* log;  // the presses and releases the reading brings
    bool allowed = true;
    bool forgetFirst = false;
};

// Every frame: each controller present read whole, the others unplugged.
std::string readFrame(PadControls& controls, Recorder& rec, const Step& step) {
    rec.log.clear();
    if (step.forgetFirst) {
        for (Control c : controls.forget()) rec.log += "=" + std::to_string(static_cast<int>(c));
    }
    std::vector<int> present;
    for (const Pad& p : step.pads) {
        std::vector<double> buttons(17, 0.0);
        for (int b : p.buttons) buttons[static_cast<std::size_t>(b)] = 1.0;
        const double axes[] = {p.x, p.y, 0, 0};
        controls.read(p.index, buttons, axes, step.allowed);
        present.push_back(p.index);
    }
    controls.unplugAllBut(present);
    return rec.log;
}

TEST(PadControls, AssignmentsHysteresisAndSeveralHoldersOfOneControl) {
    // Standard-mapping buttons: 0 A, 2 X, 3 Y, 8 Back, 9 Start, 12..15 d-pad, 16 Guide.
    const Step steps[] = {
        {{{0, {9}}}, "+3"},   // Start: start
        {{{0, {9, 0}}}, ""},  // A as well: start already held
        {{{0, {0}}}, ""},     // Start let go, A still holds it
        {{{0, {}}}, "-3"},
        {{{0, {8}}}, "+2"},    // Back: game select
        {{{0, {2}}}, ""},      // X takes over from Back in the same reading
        {{{0, {3}}}, "-2+1"},  // Y: power
        {{{0, {16}}}, ""},     // Guide takes over; power has no release
        {{{0, {}}}, ""},
        {{{0, {12, 14}}}, "+4+5"},  // d-pad up and left
        {{{0, {}}}, "-4-5"},
        {{{0, {}, 0.49}}, ""},               // the stick below half way: nothing
        {{{0, {}, 0.51}}, "+6"},             // past half way: right
        {{{0, {}, 0.31}}, ""},               // still above 30 %: held
        {{{0, {}, 0.29}}, "-6"},             // below: let go
        {{{0, {}, 16384 / 32767.0}}, "+6"},  // exactly half way counts
        {{{0, {}, 9830 / 32767.0}}, ""},     // exactly 30 % still holds
        {{{0, {}, 0, -0.9}}, "-6+4"},        // up is negative y
        {{{0, {}, 0, 0.9}}, "-4+7"},         // a swing lets go before it presses
        {{{0, {}, 0, 0.9}, {1, {13}}}, ""},  // a second controller holds down too
        {{{1, {13}}}, ""},                   // the first goes: the second still holds it
        {{}, "-7"},                          // the second goes
        {{{0, {9, 12}}}, "", false},         // no presses while not allowed, but counted
        {{{0, {9}}}, "-4", false},           // releases always
        {{{0, {9}}}, "=3+3", true, true},    // forgotten: released by the caller, pressed again
        {{{0, {}}}, "-3"},
    };
    Recorder rec;
    PadControls controls(rec);
    for (std::size_t i = 0; i < std::size(steps); ++i)
        EXPECT_EQ(readFrame(controls, rec, steps[i]), steps[i].log) << "step " << i;
    for (int c = 1; c <= kBindingCount; ++c) EXPECT_EQ(controls.holders(static_cast<Control>(c)), 0) << c;
}

}  // namespace
}  // namespace zn
