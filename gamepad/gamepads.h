#pragma once
// Game controllers, through SDL's game-controller API: every controller SDL has a mapping
// for (its own database, SDL_GAMECONTROLLERCONFIG, the user's gamecontrollerdb.txt), any
// number at once, plugged in before or after the start, fed to the controllers' rules
// (controls/padcontrols.h), which work the same press and release operations as the keys.
//
// Nothing runs by itself: the owner calls poll() when something may have happened (a
// device node came or went, a controller's node has input) and, for a controller whose
// input it cannot watch, often enough for play.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/controls.h"
#include "controls/padcontrols.h"

namespace zn {

// The mappings of a gamecontrollerdb.txt text, in file order, as start() hands them to SDL:
// one controller a line, blanks around it and a CR before the line's end dropped; blank
// lines, "#" comments and lines for another platform are left out (a line that names no
// platform counts: one written by hand rarely does). No SDL: any text may come in.
std::vector<std::string> mappingLines(std::string_view text);

class Gamepads {
public:
    explicit Gamepads(InputOperations& ops);
    // Releases what the controllers hold and stops.
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Starts SDL's game-controller subsystem and opens the controllers already plugged in.
    // The mappings in mappingFile are added first when the file exists (an empty name
    // adds none); a broken line in it is skipped. False, with the reason in error(), when
    // SDL cannot start the subsystem: then poll() does nothing.
    bool start(const std::string& mappingFile);
    // Releases everything held, closes the controllers and stops the subsystem.
    void stop();
    bool started() const { return started_; }
    const std::string& error() const { return error_; }

    // Takes what SDL has seen since the last poll: controllers plugged in or out, buttons
    // and sticks. Presses reach the operations only if pressesAllowed; releases always. A
    // controller that goes releases everything it held. True when a controller was opened
    // or closed since the last poll (start() included): then controllers() has changed.
    bool poll(bool pressesAllowed);

    // An open controller as the owner may watch it.
    struct Controller {
        int instanceId;    // SDL's instance id, never reused while the subsystem runs
        std::string path;  // its device node (/dev/input/eventN, /dev/hidrawN), "" if none
        bool isVirtual;    // one of SDL's virtual controllers: no device, no input of its own
    };
    std::vector<Controller> controllers() const;
    // The number of controllers open.
    int connected() const;
    // How many controllers and sources hold the control now.
    int holders(Control c) const { return controls_.holders(c); }

    // Attaches one of SDL's virtual controllers, with every button and axis of a game
    // controller and nothing pressed; poll() finds it like one plugged in. Needs start()
    // first. Its device index, or -1. For measurements and tests: a controller without the
    // hardware.
    static int attachVirtual();

private:
    struct Pads;

    void open(int deviceIndex, bool pressesAllowed);
    void close(int instanceId);
    void sync(int instanceId, bool pressesAllowed);
    void button(int instanceId, int sdlButton, bool down, bool pressesAllowed);
    void axis(int instanceId, int sdlAxis, int value, bool pressesAllowed);

    PadControls controls_;
    std::unique_ptr<Pads> pads_;
    bool started_ = false;
    bool changed_ = false;  // a controller opened or closed since the last poll
    std::string error_;
};

}  // namespace zn
