// A whole game played through a controller: power with Guide, select with Back, start with
// Start, and the d-pad, diagonals and all, until the game is over; the game's own
// operations of each control, as the main window calls them, do the rest.
#include <gtest/gtest.h>

#include "engine/headless_game.h"
#include "gamepad/gamepads.h"
#include "controls/controls.h"
#include "tests/gamepad/virtualpad.h"

namespace zn {
namespace {

struct GameControls : InputOperations {
    Game& game;
    explicit GameControls(Game& g) : game(g) {}
    void press(Control c) override { pressOnGame(game, c); }
    void release(Control c) override { releaseOnGame(game, c); }
};

TEST(GamepadGame, AWholeGamePlayedThroughAController) {
    test::SdlJoysticks joysticks;
    HeadlessGame h(12345);
    GameControls controls(h.game);
    Gamepads pads(controls);
    ASSERT_TRUE(pads.start("")) << pads.error();
    test::VirtualPad pad;
    pads.poll(true);
    ASSERT_EQ(pads.connected(), 1);
    const auto click = [&](SDL_GameControllerButton b) {
        pad.button(b, true);
        pads.poll(true);
        pad.button(b, false);
        pads.poll(true);
    };

    click(SDL_CONTROLLER_BUTTON_GUIDE);
    EXPECT_EQ(h.game.Gam_Mode, Mode_Power_On);
    h.run(2980);
    EXPECT_EQ(h.game.Gam_Mode, Mode_Idle);
    click(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(h.game.Gam_Mode, Mode_Select_1);
    click(SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(h.game.Gam_Mode, Mode_Play_1);

    // Around the maze: each hold lasts a few steps, diagonals among them; the flags the tick
    // reads follow the d-pad exactly.
    struct Hold {
        bool up, left, right, down;
    };
    const Hold holds[] = {{false, false, true, false}, {true, false, false, false},
                          {false, true, false, false}, {false, false, false, true},
                          {true, false, true, false},  {false, true, false, true},
                          {true, true, false, false},  {false, false, true, true}};
    const int startStage = h.game.Gam_Stage;
    int step = 0;
    for (; step < 20000; ++step) {
        if (h.game.Gam_Mode != Mode_Play_1 || h.game.Gam_Stage != startStage) break;
        const Hold& hold = holds[(step / 7 + step / 50) % std::size(holds)];
        pad.button(SDL_CONTROLLER_BUTTON_DPAD_UP, hold.up);
        pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, hold.left);
        pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, hold.right);
        pad.button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, hold.down);
        pads.poll(true);
        ASSERT_EQ(h.game.Inp_Joystick_Up, hold.up) << step;
        ASSERT_EQ(h.game.Inp_Joystick_Left, hold.left) << step;
        ASSERT_EQ(h.game.Inp_Joystick_Right, hold.right) << step;
        ASSERT_EQ(h.game.Inp_Joystick_Down, hold.down) << step;
        h.run(120);
    }
    EXPECT_TRUE(h.game.Gam_Mode == Mode_Game_Over_1 || h.game.Gam_Stage != startStage)
        << "mode " << h.game.Gam_Mode << " after " << step << " steps";
    EXPECT_GT(h.game.Gam_Score, 0);

    // Unplugged with the d-pad held: Nibbo is let go of.
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pads.poll(true);
    EXPECT_TRUE(h.game.Inp_Joystick_Left);
    pad.unplug();
    pads.poll(true);
    EXPECT_FALSE(h.game.Inp_Joystick_Left);
    EXPECT_EQ(pads.connected(), 0);
}

}  // namespace
}  // namespace zn
