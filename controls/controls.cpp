#include "controls/controls.h"

#include <cstddef>

#include "engine/game.h"

namespace zn {
namespace {

// The game's operations of each control's press and release, in the order of Control;
// the power switch has no release operation.
struct ControlOperations {
    void (Game::*down)();
    void (Game::*up)();
};
constexpr ControlOperations kControlOperations[kBindingCount] = {
    {&Game::Inp_power_down, nullptr},
    {&Game::Inp_select_down, &Game::Inp_select_up},
    {&Game::Inp_start_down, &Game::Inp_start_up},
    {&Game::Inp_arrow_up_down, &Game::Inp_arrow_up_up},
    {&Game::Inp_arrow_left_down, &Game::Inp_arrow_left_up},
    {&Game::Inp_arrow_right_down, &Game::Inp_arrow_right_up},
    {&Game::Inp_arrow_down_down, &Game::Inp_arrow_down_up},
};

const ControlOperations& operationsOf(Control c) {
    return kControlOperations[static_cast<std::size_t>(c) - static_cast<std::size_t>(Control::Power)];
}

}  // namespace

void pressOnGame(Game& game, Control c) { (game.*operationsOf(c).down)(); }

void releaseOnGame(Game& game, Control c) {
    if (const auto up = operationsOf(c).up) (game.*up)();
}

}  // namespace zn
