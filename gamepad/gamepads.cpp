#include "gamepad/gamepads.h"

#include <SDL.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

namespace zn {
namespace {

// SDL's game-controller buttons in the standard mapping's numbers (controls/padcontrols.h);
// SDL numbers the left stick's axes as the standard mapping does.
constexpr std::pair<int, PadButton> kButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::DpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::DpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::DpadRight},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::DpadDown},
    {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
    {SDL_CONTROLLER_BUTTON_A, PadButton::A},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::Back},
    {SDL_CONTROLLER_BUTTON_X, PadButton::X},
    {SDL_CONTROLLER_BUTTON_GUIDE, PadButton::Guide},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::Y},
};
static_assert(SDL_CONTROLLER_AXIS_LEFTX == static_cast<int>(PadAxis::LeftX) &&
              SDL_CONTROLLER_AXIS_LEFTY == static_cast<int>(PadAxis::LeftY));

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
        std::string path;
        bool isVirtual;
    };
    std::vector<Pad> list;

    Pad* find(int id) {
        auto it = std::find_if(list.begin(), list.end(), [id](const Pad& p) { return p.id == id; });
        return it == list.end() ? nullptr : &*it;
    }
};

Gamepads::Gamepads(InputOperations& ops) : controls_(ops), pads_(std::make_unique<Pads>()) {}

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
                    button(e.cbutton.which, e.cbutton.button, e.cbutton.state == SDL_PRESSED, pressesAllowed);
                    break;
                case SDL_CONTROLLERAXISMOTION:
                    axis(e.caxis.which, e.caxis.axis, e.caxis.value, pressesAllowed);
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
        {controller, id, path != nullptr ? path : "", SDL_JoystickIsVirtual(deviceIndex) == SDL_TRUE});
    changed_ = true;
    // What it holds already counts as pressed now.
    sync(id, pressesAllowed);
}

void Gamepads::close(int instanceId) {
    Pads::Pad* pad = pads_->find(instanceId);
    if (pad == nullptr) return;
    controls_.unplug(instanceId);
    SDL_GameControllerClose(pad->controller);
    pads_->list.erase(pads_->list.begin() + (pad - pads_->list.data()));
    changed_ = true;
}

void Gamepads::sync(int instanceId, bool pressesAllowed) {
    const Pads::Pad* pad = pads_->find(instanceId);
    if (pad == nullptr) return;
    SDL_GameController* c = pad->controller;
    for (const auto& [sdlButton, padButton] : kButtons)
        controls_.button(
            instanceId, static_cast<int>(padButton),
            SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(sdlButton)) != 0,
            pressesAllowed);
    for (int a : {SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY})
        axis(instanceId, a, SDL_GameControllerGetAxis(c, static_cast<SDL_GameControllerAxis>(a)),
             pressesAllowed);
}

void Gamepads::button(int instanceId, int sdlButton, bool down, bool pressesAllowed) {
    if (pads_->find(instanceId) == nullptr) return;  // closed already, or never ours
    for (const auto& [b, padButton] : kButtons)
        if (b == sdlButton) controls_.button(instanceId, static_cast<int>(padButton), down, pressesAllowed);
}

void Gamepads::axis(int instanceId, int sdlAxis, int value, bool pressesAllowed) {
    if (pads_->find(instanceId) == nullptr) return;
    controls_.axis(instanceId, sdlAxis, value / static_cast<double>(PadControls::kFullScale), pressesAllowed);
}

}  // namespace zn
