#include "gamepad/gamepads.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

namespace zn {
namespace {

// What a controller can hold, each one holder of its control: the d-pad's and the stick's
// four directions and the buttons of the device's three other controls. A source is a bit
// number of Pad::held.
enum Source : int {
    PadUp,
    PadLeft,
    PadRight,
    PadDown,
    StickUp,
    StickLeft,
    StickRight,
    StickDown,
    ButtonStart,
    ButtonA,
    ButtonBack,
    ButtonX,
    ButtonGuide,
    ButtonY,
    SourceCount
};

constexpr Control kSourceControl[SourceCount] = {
    Control::Up,    Control::Left,  Control::Right,  Control::Down,    //
    Control::Up,    Control::Left,  Control::Right,  Control::Down,    //
    Control::Start, Control::Start, Control::Select, Control::Select,  //
    Control::Power, Control::Power,
};

struct ButtonSource {
    int button;  // SDL_GameControllerButton
    Source source;
};
constexpr ButtonSource kButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadUp},       {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadRight}, {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadDown},
    {SDL_CONTROLLER_BUTTON_START, ButtonStart},   {SDL_CONTROLLER_BUTTON_A, ButtonA},
    {SDL_CONTROLLER_BUTTON_BACK, ButtonBack},     {SDL_CONTROLLER_BUTTON_X, ButtonX},
    {SDL_CONTROLLER_BUTTON_GUIDE, ButtonGuide},   {SDL_CONTROLLER_BUTTON_Y, ButtonY},
};

const ButtonSource* buttonSource(int button) {
    for (const ButtonSource& b : kButtons)
        if (b.button == button) return &b;
    return nullptr;
}

// A mapping file larger than this is not a mapping file (SDL's own database is some 600 kB).
constexpr std::size_t kMaxMappingFile = 4 << 20;

bool forThisPlatform(const std::string& line) {
    const auto at = line.find("platform:");
    if (at == std::string::npos) return true;
    const auto from = at + 9;
    return line.compare(from, line.find(',', from) - from, "Linux") == 0;
}

// Adds the mappings of a gamecontrollerdb.txt (see mappingLines). A line SDL cannot read is
// skipped; anything but a regular file is not read at all.
void addMappingFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return;
    std::ifstream in(path, std::ios::binary);
    std::string text;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxMappingFile) return;
    }
    for (const std::string& line : mappingLines(text)) SDL_GameControllerAddMapping(line.c_str());
}

}  // namespace

std::vector<std::string> mappingLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') continue;
        std::string mapping(line.substr(first));
        if (forThisPlatform(mapping)) lines.push_back(std::move(mapping));
    }
    return lines;
}

struct Gamepads::Pads {
    struct Pad {
        SDL_GameController* controller;
        SDL_JoystickID id;
        std::uint32_t held;  // bit s: source s holds its control
        std::string path;
        bool isVirtual;
    };
    std::vector<Pad> list;

    Pad* find(int id) {
        auto it = std::find_if(list.begin(), list.end(), [id](const Pad& p) { return p.id == id; });
        return it == list.end() ? nullptr : &*it;
    }
};

Gamepads::Gamepads(InputOperations& ops) : ops_(ops), pads_(std::make_unique<Pads>()) {}

Gamepads::~Gamepads() { stop(); }

bool Gamepads::start(const std::string& mappingFile) {
    if (started_) return true;
    // SDL would otherwise take over SIGINT and SIGTERM (the sound output says the same).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Whether the window has the focus is for the owner to judge; SDL has no window here.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        error_ = SDL_GetError();
        return false;
    }
    started_ = true;
    error_.clear();
    // SDL read SDL_GAMECONTROLLERCONFIG itself just now.
    if (!mappingFile.empty()) addMappingFile(mappingFile);
    // The controllers plugged in already. SDL announces them as well; poll() skips one
    // that is open.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) open(i, false);
    return true;
}

void Gamepads::stop() {
    if (!started_) return;
    while (!pads_->list.empty()) close(pads_->list.back().id);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started_ = false;
}

int Gamepads::connected() const { return static_cast<int>(pads_->list.size()); }

std::vector<Gamepads::Controller> Gamepads::controllers() const {
    std::vector<Controller> out;
    out.reserve(pads_->list.size());
    for (const Pads::Pad& p : pads_->list) out.push_back({p.id, p.path, p.isVirtual});
    return out;
}

bool Gamepads::poll(bool pressesAllowed) {
    if (!started_) return std::exchange(changed_, false);
    // Updates the controllers' state and looks for devices that came or went.
    SDL_PumpEvents();
    bool added = false;
    SDL_Event events[32];
    int n = 0;
    // Every event is taken: nothing else in the program reads SDL's queue, which would
    // otherwise fill up.
    while ((n = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
        for (int i = 0; i < n; ++i) {
            const SDL_Event& e = events[i];
            switch (e.type) {
                case SDL_CONTROLLERDEVICEADDED:
                    added = true;  // its device index may be stale by now: all are looked at below
                    break;
                case SDL_CONTROLLERDEVICEREMOVED:
                    close(e.cdevice.which);
                    break;
                case SDL_CONTROLLERDEVICEREMAPPED:
                    sync(e.cdevice.which, pressesAllowed);
                    break;
                case SDL_CONTROLLERBUTTONDOWN:
                case SDL_CONTROLLERBUTTONUP:
                    if (const ButtonSource* b = buttonSource(e.cbutton.button))
                        setSource(e.cbutton.which, b->source, e.cbutton.state == SDL_PRESSED, pressesAllowed);
                    break;
                case SDL_CONTROLLERAXISMOTION:
                    stick(e.caxis.which, e.caxis.axis, e.caxis.value, pressesAllowed);
                    break;
                default:
                    break;
            }
        }
    }
    // A controller SDL let go of without an event.
    for (std::size_t i = pads_->list.size(); i-- > 0;)
        if (!SDL_GameControllerGetAttached(pads_->list[i].controller)) close(pads_->list[i].id);
    if (added)
        for (int i = 0; i < SDL_NumJoysticks(); ++i) open(i, pressesAllowed);
    return std::exchange(changed_, false);
}

int Gamepads::attachVirtual() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    // Buttons and axes in SDL's game-controller order, so that SDL maps button b to
    // SDL_GameControllerButton b and axis a to SDL_GameControllerAxis a.
    desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.button_mask = (1u << desc.nbuttons) - 1;
    desc.axis_mask = (1u << desc.naxes) - 1;
    desc.name = "Zorpy Nibbo virtual controller";
    return SDL_JoystickAttachVirtualEx(&desc);
}

void Gamepads::open(int deviceIndex, bool pressesAllowed) {
    if (!SDL_IsGameController(deviceIndex)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || pads_->find(id) != nullptr) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) return;  // gone again, or not ours to open
    const char* path = SDL_GameControllerPath(controller);
    pads_->list.push_back(
        {controller, id, 0, path != nullptr ? path : "", SDL_JoystickIsVirtual(deviceIndex) == SDL_TRUE});
    changed_ = true;
    // What it holds already counts as pressed now.
    sync(id, pressesAllowed);
}

void Gamepads::close(int instanceId) {
    Pads::Pad* pad = pads_->find(instanceId);
    if (pad == nullptr) return;
    for (int s = 0; s < SourceCount; ++s) setSource(instanceId, s, false, false);
    SDL_GameControllerClose(pad->controller);
    pads_->list.erase(pads_->list.begin() + (pad - pads_->list.data()));
    changed_ = true;
}

void Gamepads::sync(int instanceId, bool pressesAllowed) {
    const Pads::Pad* pad = pads_->find(instanceId);
    if (pad == nullptr) return;
    SDL_GameController* c = pad->controller;
    for (const ButtonSource& b : kButtons)
        setSource(instanceId, b.source,
                  SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(b.button)) != 0,
                  pressesAllowed);
    for (int axis : {SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY})
        stick(instanceId, axis, SDL_GameControllerGetAxis(c, static_cast<SDL_GameControllerAxis>(axis)),
              pressesAllowed);
}

void Gamepads::stick(int instanceId, int axis, int value, bool pressesAllowed) {
    const Pads::Pad* pad = pads_->find(instanceId);
    if (pad == nullptr) return;
    // Each half of the axis is a direction with its own hysteresis: held from kStickPress
    // on, let go below kStickRelease. Both axes past the mark hold a diagonal. A swing from
    // one side to the other lets go of the one before it presses the other.
    int plus = 0, minus = 0;
    if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
        plus = StickRight;
        minus = StickLeft;
    } else if (axis == SDL_CONTROLLER_AXIS_LEFTY) {  // SDL's y grows downwards
        plus = StickDown;
        minus = StickUp;
    } else {
        return;
    }
    const auto holds = [&](int source, int deflection) {
        const bool held = (pad->held >> source) & 1u;
        return deflection >= (held ? kStickRelease : kStickPress);
    };
    const bool plusOn = holds(plus, value), minusOn = holds(minus, -value);
    if (!plusOn) setSource(instanceId, plus, false, pressesAllowed);
    if (!minusOn) setSource(instanceId, minus, false, pressesAllowed);
    if (plusOn) setSource(instanceId, plus, true, pressesAllowed);
    if (minusOn) setSource(instanceId, minus, true, pressesAllowed);
}

void Gamepads::setSource(int instanceId, int source, bool on, bool pressesAllowed) {
    Pads::Pad* pad = pads_->find(instanceId);
    if (pad == nullptr) return;
    const std::uint32_t bit = 1u << source;
    if (((pad->held & bit) != 0) == on) return;
    pad->held ^= bit;
    const Control c = kSourceControl[source];
    int& count = holders_[static_cast<std::size_t>(c)];
    if (on) {
        if (count++ == 0 && pressesAllowed) ops_.press(c);
    } else if (--count == 0 && c != Control::Power) {
        ops_.release(c);
    }
}

}  // namespace zn
