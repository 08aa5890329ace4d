// The functions zn.wasm exports to the page for the keys, the click areas, the key settings
// dialog and the game controllers (controls/): the page hands over what the browser reports
// and does what the answer says. Every argument is checked here.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/clickareas.h"
#include "controls/keyrules.h"
#include "controls/padcontrols.h"
#include "controls/touchareas.h"
#include "web/core/bridge.h"
#include "web/core/scene.h"

zn::web::Scene& pageScene();

namespace {

using namespace zn::web::bridge;

int number(std::optional<zn::Control> c) { return c ? static_cast<int>(*c) : 0; }

// A virtual-key code from the page; 0, which matches no key, for anything else.
std::uint16_t virtualKey(int code) {
    return code > 0 && code <= 0xffff ? static_cast<std::uint16_t>(code) : 0;
}

// The page's bindings (Key1..Key7 of its store), as the desktop's Inp_Keys.
zn::InpKeys keys;

// The controllers work the game directly: the page draws what changed after reading them.
struct GameOperations : zn::InputOperations {
    void press(zn::Control c) override { theGame().press(c); }
    void release(zn::Control c) override { theGame().release(c); }
};
GameOperations gameOperations;
zn::PadControls pads(gameOperations);

// The numbers of a text separated by blanks; anything that is not a number counts as 0.
std::vector<double> numbers(std::string_view text) {
    std::vector<double> values;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        text.remove_prefix(start);
        const std::size_t end = std::min(text.find(' '), text.size());
        // The page writes its numbers as JavaScript does, which reads back to the same double.
        const std::string word(text.substr(0, end));
        char* stop = nullptr;
        const double v = std::strtod(word.c_str(), &stop);
        values.push_back(stop == word.c_str() + word.size() ? v : 0.0);
        text.remove_prefix(end);
    }
    return values;
}

}  // namespace

// The virtual-key code of the KeyboardEvent.code in the buffer; 0 for a key outside the table.
ZN_EXPORT(zn_key_code) int zn_key_code(int length) { return zn::webKeyCode(inputText(length)); }

// The seven bindings as key-table indices; an index outside the table gives its control no key.
ZN_EXPORT(zn_set_key_bindings)
void zn_set_key_bindings(int power, int select, int start, int up, int left, int right, int down) {
    keys = {};
    const int indices[] = {power, select, start, up, left, right, down};
    for (int i = 1; i <= zn::kBindingCount; ++i) {
        keys[static_cast<std::size_t>(i)].Key_Index = indices[i - 1];
        zn::AssignWord(keys, i);
    }
}

// The control a key's press and release work (0: none).
ZN_EXPORT(zn_key_pressed_control) int zn_key_pressed_control(int code) {
    return number(zn::controlPressedByKey(keys, virtualKey(code)));
}
ZN_EXPORT(zn_key_released_control) int zn_key_released_control(int code) {
    return number(zn::controlReleasedByKey(keys, virtualKey(code)));
}

// The control whose click area the image is (0: none), and whether letting go works a control.
ZN_EXPORT(zn_click_area_control) int zn_click_area_control(int id) {
    return isImage(id) ? number(zn::clickAreaControl(zn::img::at(id))) : 0;
}
ZN_EXPORT(zn_control_has_release) int zn_control_has_release(int c) {
    return isControl(c) && zn::hasRelease(static_cast<zn::Control>(c)) ? 1 : 0;
}

// What a finger at the frame's point (x, y) meets, with the scene's images where they lie now
// and a fingertip's margin at density frame pixels per CSS pixel (controls/touchareas.h's
// touchAt): the list onJoystick, direction, control, nearControl, rocked (controls; 0: none).
ZN_EXPORT(zn_touch_at) int zn_touch_at(double x, double y, double density) {
    if (!std::isfinite(x) || !std::isfinite(y)) return setList({0, 0, 0, 0, 0});
    const zn::web::Scene& scene = pageScene();
    const auto rectOf = [&scene](zn::ImageId id) -> std::optional<zn::TouchRect> {
        const int i = zn::index(id);
        if (!scene.visible(i)) return std::nullopt;
        const auto r = scene.deviceRect(i);
        const auto d = [](int v) { return static_cast<double>(v); };
        return zn::TouchRect{d(r.x), d(r.y), d(r.w), d(r.h)};
    };
    const int top = scene.imageAt(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    const auto control = top < 0 ? std::nullopt : zn::clickAreaControl(zn::img::at(top));
    const zn::TouchAt at = zn::touchAt(rectOf, control, x, y, zn::fingertip(density));
    return setList({at.onJoystick ? 1 : 0, number(at.direction), number(at.control), at.nearControl ? 1 : 0,
                    number(at.rocked)});
}
// The pointer's shape over the frame's point (x, y): 0 the arrow, 1 a hand, 2 a question mark.
ZN_EXPORT(zn_cursor_at) int zn_cursor_at(int x, int y) {
    const int top = pageScene().imageAt(x, y);
    return static_cast<int>(zn::cursorOver(top < 0 ? std::nullopt : std::optional(zn::img::at(top))));
}

// The key settings dialog's lists, as the key-table index each shows (0: none): a list of seven,
// 1 where the list shares its key with another.
ZN_EXPORT(zn_key_conflicts)
int zn_key_conflicts(int power, int select, int start, int up, int left, int right, int down) {
    const auto conflict = zn::keyConflicts({0, power, select, start, up, left, right, down});
    return setList(std::vector<int>(conflict.begin() + 1, conflict.end()));
}

// The controllers of one frame, a line each: "index;button values;axes", the values separated
// by blanks. Controllers not named are gone. Presses reach the game only if allowed.
ZN_EXPORT(zn_pads_read) void zn_pads_read(int length, int allowed) {
    std::string_view text = inputText(length);
    std::vector<int> present;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t a = line.find(';'), b = line.find(';', a == line.npos ? a : a + 1);
        if (b == std::string_view::npos) continue;
        const std::vector<double> index = numbers(line.substr(0, a));
        if (index.size() != 1) continue;
        const int pad = static_cast<int>(index[0]);
        pads.read(pad, numbers(line.substr(a + 1, b - a - 1)), numbers(line.substr(b + 1)), allowed != 0);
        present.push_back(pad);
    }
    pads.unplugAllBut(present);
}

// Forgets what the controllers hold (the page lost the focus): the controls they held, for the
// page to release.
ZN_EXPORT(zn_pads_forget) int zn_pads_forget() {
    std::vector<int> held;
    for (const zn::Control c : pads.forget()) held.push_back(static_cast<int>(c));
    return setList(held);
}
