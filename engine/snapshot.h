#pragma once
// Text pictures of the simulated device, in the format of the script driver's `show`
// and `state` commands: what is lit, and what the game holds.
#include <string>

#include "engine/figure_table.h"
#include "engine/game.h"

namespace zn {

// Eight lines: the panel, then rows 7 down to 1 of columns 2..9, each cell the digit
// N + 2P + 4G for its lit Nibbo, pill and ghost figures.
std::string showFigures(const FigureTable& figures);

// Eight lines: the game variables, the joystick and the enabled timers, then rows 7
// down to 1 of Gam_Pills, columns 1..10.
std::string showState(const Game& game, const TimerService& timers);

}  // namespace zn
