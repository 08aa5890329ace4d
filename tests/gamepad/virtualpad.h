#pragma once
// One of SDL's virtual controllers, worked by the test: buttons and axes numbered as SDL's
// game-controller buttons and axes. SDL takes a change in at the next poll.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "gamepad/gamepads.h"

namespace zn::test {

// Keeps SDL's joysticks up for as long as it lives: virtual controllers outlive a stop of
// the Gamepads that found them.
struct SdlJoysticks {
    SdlJoysticks() { EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError(); }
    ~SdlJoysticks() { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }
    SdlJoysticks(const SdlJoysticks&) = delete;
    SdlJoysticks& operator=(const SdlJoysticks&) = delete;
};

class VirtualPad {
public:
    // A game controller (Gamepads::attachVirtual), or a plain joystick of this many buttons
    // and hats that SDL has no mapping for.
    VirtualPad() { attach(Gamepads::attachVirtual()); }
    VirtualPad(int buttons, int hats) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.nbuttons = static_cast<Uint16>(buttons);
        desc.nhats = static_cast<Uint16>(hats);
        desc.vendor_id = 0x1209;  // SDL finds a mapping by vendor and product
        desc.product_id = 0x7a4e;
        desc.name = "Zorpy Nibbo test stick";
        attach(SDL_JoystickAttachVirtualEx(&desc));
    }
    ~VirtualPad() {
        unplug();
        if (joystick_ != nullptr) SDL_JoystickClose(joystick_);
    }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void button(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(joystick_, b, down); }
    void plainButton(int b, bool down) { SDL_JoystickSetVirtualButton(joystick_, b, down); }
    void hat(Uint8 value) { SDL_JoystickSetVirtualHat(joystick_, 0, value); }
    void axis(SDL_GameControllerAxis a, int value) {
        SDL_JoystickSetVirtualAxis(joystick_, a, static_cast<Sint16>(value));
    }
    void unplug() {
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id_) SDL_JoystickDetachVirtual(i);
    }
    int id() const { return id_; }  // SDL's instance id
    std::string guid() const {
        char text[64];
        SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(joystick_), text, sizeof text);
        return text;
    }

private:
    void attach(int index) {
        ASSERT_GE(index, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(index);
        ASSERT_NE(joystick_, nullptr) << SDL_GetError();
        id_ = SDL_JoystickInstanceID(joystick_);
    }
    SDL_Joystick* joystick_ = nullptr;
    SDL_JoystickID id_ = -1;
};

// Records the operations as text: "+1" a press of control 1 (power), "-4" a release of 4 (up).
struct Recorder : InputOperations {
    std::string log;
    void press(Control c) override { log += "+" + std::to_string(static_cast<int>(c)); }
    void release(Control c) override { log += "-" + std::to_string(static_cast<int>(c)); }
    std::string take() { return std::exchange(log, {}); }
};

}  // namespace zn::test
