// Tab and Shift+Tab in the game menu: the button and the rows that can be chosen, round.
#include "ui/gamemenufocus.h"

#include <gtest/gtest.h>

namespace zn::ui {
namespace {

TEST(GameMenuFocus, TabGoesThroughTheButtonAndTheChoosableRowsRound) {
    // Rows 1..6: a command, a separator, a disabled row, two commands, a separator.
    const bool rows[] = {true, false, false, true, true, false};
    const struct {
        int from;
        bool forward;
        bool open;
        int to;
    } cases[] = {
        {-1, true, false, 0},  {0, true, false, 0},   {-1, false, false, 0},  // closed: the button only
        {-1, true, true, 0},   {0, true, true, 1},    {1, true, true, 4},     // over the separator and the disabled row
        {4, true, true, 5},    {5, true, true, 0},    {0, false, true, 5},    // round through the button
        {4, false, true, 1},   {-1, false, true, 5},  {3, true, true, 4},     // from a row no longer choosable
        {9, true, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nextGameMenuFocus(c.from, c.forward, c.open, rows), c.to)
            << c.from << (c.forward ? " Tab" : " Shift+Tab") << (c.open ? " open" : " closed");
    const bool none[] = {false, false};
    EXPECT_EQ(nextGameMenuFocus(0, true, true, none), 0);
}

}  // namespace
}  // namespace zn::ui
