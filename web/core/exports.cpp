// The functions zn.wasm exports to the page (web/site/js/engine.js) for the game, the figures,
// and the stored settings, and the memory they share (web/core/bridge.h); the skin's are in
// skinexports.cpp, the frame's in displayexports.cpp.
// Every argument is checked here: a value out of range does nothing (or gives an empty
// result), never reaches the engine.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/images.h"
#include "engine/snapshot.h"
#include "settings/settingrules.h"
#include "web/core/bridge.h"
#include "web/core/webgame.h"
#include "web/core/webtables.h"

namespace {

std::vector<char> input;
std::string output;
std::vector<std::int32_t> list;

}  // namespace

namespace zn::web::bridge {

WebGame& theGame() {
    static WebGame game;
    return game;
}

int setOutput(std::string text) {
    output = std::move(text);
    return static_cast<int>(output.size());
}

int setList(const std::vector<int>& values) {
    list.assign(values.begin(), values.end());
    return static_cast<int>(list.size());
}

std::string_view inputText(int length) {
    if (length < 0 || static_cast<std::size_t>(length) > input.size()) return {};
    return {input.data(), static_cast<std::size_t>(length)};
}

bool isControl(int c) { return c >= 1 && c <= zn::kBindingCount; }
bool isImage(int id) { return id >= 0 && id < zn::kImageCount; }

}  // namespace zn::web::bridge

using namespace zn::web::bridge;

// Memory shared with the page.
ZN_EXPORT(zn_buffer) char* zn_buffer(int size) {
    input.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    return input.data();
}
ZN_EXPORT(zn_out) const char* zn_out() { return output.data(); }
ZN_EXPORT(zn_list) const std::int32_t* zn_list() { return list.data(); }

// The game.
// The seed and the time are JavaScript numbers (zn::web::wholeNumberFromPage); any other does
// nothing.
ZN_EXPORT(zn_reset) void zn_reset(double seed) {
    if (const auto s = zn::web::wholeNumberFromPage(seed)) theGame().reset(*s);
}
ZN_EXPORT(zn_set_sound_enabled) void zn_set_sound_enabled(int on) { theGame().setSoundEnabled(on != 0); }
ZN_EXPORT(zn_press) void zn_press(int control) {
    if (isControl(control)) theGame().press(static_cast<zn::Control>(control));
}
ZN_EXPORT(zn_release) void zn_release(int control) {
    if (isControl(control)) theGame().release(static_cast<zn::Control>(control));
}
ZN_EXPORT(zn_advance) void zn_advance(double ms) {
    if (const auto m = zn::web::wholeNumberFromPage(ms)) theGame().advance(static_cast<std::int64_t>(*m));
}
ZN_EXPORT(zn_now) double zn_now() { return static_cast<double>(theGame().now()); }
ZN_EXPORT(zn_mode) int zn_mode() { return theGame().game().Gam_Mode; }

// The figures.
ZN_EXPORT(zn_image_count) int zn_image_count() { return zn::kImageCount; }
ZN_EXPORT(zn_image_name) int zn_image_name(int id) {
    return setOutput(isImage(id) ? std::string(zn::imageName(zn::img::at(id))) : std::string());
}
ZN_EXPORT(zn_visible) int zn_visible(int id) {
    return isImage(id) && theGame().figures().visible(zn::img::at(id)) ? 1 : 0;
}
ZN_EXPORT(zn_picture_of) int zn_picture_of(int id) {
    if (!isImage(id)) return -1;
    const auto p = theGame().figures().picture(zn::img::at(id));
    return p ? zn::index(*p) : -1;
}
ZN_EXPORT(zn_take_changed) int zn_take_changed() { return setList(theGame().takeChanged()); }
ZN_EXPORT(zn_take_sounds) int zn_take_sounds() { return setList(theGame().takeSounds()); }
ZN_EXPORT(zn_snapshot) int zn_snapshot() { return setOutput(zn::showFigures(theGame().figures())); }

// The stored settings.
ZN_EXPORT(zn_settings) int zn_settings() { return setOutput(zn::web::settingsJson()); }
// The buffer holds a setting's entry, "name" or "name=stored text" (zn::web::storedSettingEntry):
// the list holds its value, or nothing for an unknown name.
ZN_EXPORT(zn_stored_setting) int zn_stored_setting(int length) {
    const auto v = zn::web::storedSettingEntry(inputText(length));
    return setList(v ? std::vector<int>{*v} : std::vector<int>{});
}

// The key table, and the number of controls (each bound to one key).
ZN_EXPORT(zn_control_count) int zn_control_count() { return zn::kBindingCount; }
ZN_EXPORT(zn_key_table) int zn_key_table() { return setOutput(zn::web::keyTableJson()); }
ZN_EXPORT(zn_default_key_index) int zn_default_key_index(int binding) { return zn::web::defaultKeyIndex(binding); }
