#include "controls/padcontrols.h"

#include <algorithm>
#include <cstddef>

namespace zn {
namespace {

// What a controller can hold, each one holder of its control, in the order presses and
// releases of one reading are made: the d-pad, the buttons, then the stick's directions.
struct Source {
    int button;  // a PadButton, or -1 for a stick direction
    int axis;    // a PadAxis, for a stick direction
    int sign;    // the half of the axis: +1 right or down, -1 left or up
    Control control;
};
constexpr int kNoButton = -1;
constexpr Source kSources[] = {
    {static_cast<int>(PadButton::DpadUp), 0, 0, Control::Up},
    {static_cast<int>(PadButton::DpadLeft), 0, 0, Control::Left},
    {static_cast<int>(PadButton::DpadRight), 0, 0, Control::Right},
    {static_cast<int>(PadButton::DpadDown), 0, 0, Control::Down},
    {static_cast<int>(PadButton::Start), 0, 0, Control::Start},
    {static_cast<int>(PadButton::A), 0, 0, Control::Start},
    {static_cast<int>(PadButton::Back), 0, 0, Control::Select},
    {static_cast<int>(PadButton::X), 0, 0, Control::Select},
    {static_cast<int>(PadButton::Guide), 0, 0, Control::Power},
    {static_cast<int>(PadButton::Y), 0, 0, Control::Power},
    {kNoButton, static_cast<int>(PadAxis::LeftY), -1, Control::Up},
    {kNoButton, static_cast<int>(PadAxis::LeftX), -1, Control::Left},
    {kNoButton, static_cast<int>(PadAxis::LeftX), 1, Control::Right},
    {kNoButton, static_cast<int>(PadAxis::LeftY), 1, Control::Down},
};
constexpr int kSourceCount = static_cast<int>(std::size(kSources));
static_assert(kSourceCount <= 32, "one bit a source");

constexpr std::uint32_t bit(int source) { return 1u << source; }

// Whether a stick direction deflected this far (a fraction of full scale) holds its control.
bool stickHolds(double deflection, bool held) {
    return deflection >= (held ? PadControls::kStickRelease : PadControls::kStickPress) /
                             static_cast<double>(PadControls::kFullScale);
}

}  // namespace

PadControls::Held& PadControls::heldBy(int pad) {
    auto it = std::find_if(pads_.begin(), pads_.end(), [pad](const auto& p) { return p.first == pad; });
    if (it != pads_.end()) return it->second;
    return pads_.emplace_back(pad, 0).second;
}

void PadControls::button(int pad, int button, bool down, bool pressesAllowed) {
    for (int s = 0; s < kSourceCount; ++s)
        if (kSources[s].button == button) apply(pad, bit(s), down ? bit(s) : 0, pressesAllowed);
}

void PadControls::axis(int pad, int axis, double deflection, bool pressesAllowed) {
    const Held held = heldBy(pad);
    Held mask = 0, now = 0;
    for (int s = 0; s < kSourceCount; ++s) {
        if (kSources[s].button != kNoButton || kSources[s].axis != axis) continue;
        mask |= bit(s);
        if (stickHolds(deflection * kSources[s].sign, (held & bit(s)) != 0)) now |= bit(s);
    }
    apply(pad, mask, now, pressesAllowed);
}

void PadControls::read(int pad, std::span<const double> buttons, std::span<const double> axes,
                       bool pressesAllowed) {
    const Held held = heldBy(pad);
    const auto value = [](std::span<const double> values, int i) {
        return static_cast<std::size_t>(i) < values.size() ? values[static_cast<std::size_t>(i)] : 0.0;
    };
    Held now = 0;
    for (int s = 0; s < kSourceCount; ++s) {
        const Source& src = kSources[s];
        const bool on = src.button != kNoButton
                            ? value(buttons, src.button) >= kButtonPress
                            : stickHolds(value(axes, src.axis) * src.sign, (held & bit(s)) != 0);
        if (on) now |= bit(s);
    }
    apply(pad, bit(kSourceCount) - 1, now, pressesAllowed);
}

void PadControls::unplug(int pad) {
    const auto it = std::find_if(pads_.begin(), pads_.end(), [pad](const auto& p) { return p.first == pad; });
    if (it == pads_.end()) return;
    apply(pad, bit(kSourceCount) - 1, 0, false);
    pads_.erase(it);
}

void PadControls::unplugAllBut(std::span<const int> present) {
    std::vector<int> gone;
    for (const auto& p : pads_)
        if (std::find(present.begin(), present.end(), p.first) == present.end()) gone.push_back(p.first);
    for (const int pad : gone) unplug(pad);
}

std::vector<Control> PadControls::forget() {
    std::vector<Control> held;
    for (int c = static_cast<int>(Control::Power); c <= kBindingCount; ++c)
        if (holders_[static_cast<std::size_t>(c)] > 0 && hasRelease(static_cast<Control>(c)))
            held.push_back(static_cast<Control>(c));
    holders_.fill(0);
    for (auto& p : pads_) p.second = 0;
    return held;
}

void PadControls::apply(int pad, Held mask, Held now, bool pressesAllowed) {
    Held& held = heldBy(pad);
    const auto changing = [&](int s, bool on) {
        return (mask & bit(s)) != 0 && ((held & bit(s)) != 0) != on && ((now & bit(s)) != 0) == on;
    };
    for (int s = 0; s < kSourceCount; ++s)
        if (changing(s, true) && holders(kSources[s].control) > 0) set(held, s, true, pressesAllowed);
    for (int s = 0; s < kSourceCount; ++s)
        if (changing(s, false)) set(held, s, false, pressesAllowed);
    for (int s = 0; s < kSourceCount; ++s)
        if (changing(s, true)) set(held, s, true, pressesAllowed);
}

void PadControls::set(Held& held, int source, bool on, bool pressesAllowed) {
    held ^= bit(source);
    const Control c = kSources[source].control;
    int& count = holders_[static_cast<std::size_t>(c)];
    if (on) {
        if (count++ == 0 && pressesAllowed) ops_.press(c);
    } else if (--count == 0 && hasRelease(c)) {
        ops_.release(c);
    }
}

}  // namespace zn
