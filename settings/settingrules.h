#pragma once
// The rules of the stored settings, free of any toolkit: the table of settings with their
// stored names, kinds, defaults and ranges, the reading of a stored text as a whole number
// (a missing value or one that is no whole number takes its default) and the rounding of a
// stored zoom. The store itself (where the values live, how a write that fails is handled)
// belongs to the program around these rules.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zn {

// The stored settings. Each is listed once in kSettings with its stored name, kind and
// default; every read and write of the simulator names one of these.
enum class Setting {
    FullscreenMode,
    CtrlrOverlay,
    SplashScreen,
    SoundMode,
    Key1,
    Key2,
    Key3,
    Key4,
    Key5,
    Key6,
    Key7,
    Zoom,
    FullscreenFit,
    Volume,
    Vibrate,
    LongPressHint,
    Speed
};

enum class SettingKind { Bool, Int };

struct SettingInfo {
    Setting setting;
    const char* name;  // the stored name
    SettingKind kind;  // a Bool is stored as "1" or "0" and read as true for any integer but 0
    int defaultValue;  // when the value is missing or is no decimal integer
    // The values that mean a choice. A stored value outside them is read as it is: SoundMode
    // then means no sound output chosen, KeyN no key, and Zoom is brought in by zoomPercentFrom.
    int low;
    int high;
};

// The window's size in windowed mode, in percent of the skin's size (kZoomMin..kZoomMax in
// steps of kZoomStep; see zoomPercentFrom).
inline constexpr int kZoomMin = 50;
inline constexpr int kZoomMax = 400;
inline constexpr int kZoomStep = 25;
inline constexpr int kZoomDefault = 100;

// The game's pace, in percent of the device's own: every timer of the game runs slower by
// the same factor. A stored value that is none of them is read as kSpeedDefault.
inline constexpr int kSpeeds[] = {50, 75, 100};
inline constexpr int kSpeedDefault = 100;

constexpr bool isSpeedPercent(int percent) {
    for (int s : kSpeeds)
        if (s == percent) return true;
    return false;
}
constexpr int speedPercentFrom(int stored) { return isSpeedPercent(stored) ? stored : kSpeedDefault; }
// The next speed down or up from a valid one, staying at the ends (F6, F7).
constexpr int slowerSpeed(int percent) {
    int slower = kSpeeds[0];
    for (int s : kSpeeds)
        if (s < percent) slower = s;
    return slower;
}
constexpr int fasterSpeed(int percent) {
    for (int s : kSpeeds)
        if (s > percent) return s;
    return kSpeeds[std::size(kSpeeds) - 1];
}

// A binding's key is an index into the key table of kKeyIndexCount keys.
inline constexpr int kKeyIndexCount = 44;
// The sound outputs SoundMode chooses among, 0..kSoundModeCount - 1; -1 is none chosen yet.
inline constexpr int kSoundModeCount = 3;
inline constexpr int kKeySettingCount = 7;  // Key1..Key7, one per binding

inline constexpr std::array<SettingInfo, 17> kSettings = {{
    {Setting::FullscreenMode, "FullscreenMode", SettingKind::Bool, 1, 0, 1},
    {Setting::CtrlrOverlay, "CtrlrOverlay", SettingKind::Bool, 1, 0, 1},
    {Setting::SplashScreen, "SplashScreen", SettingKind::Bool, 1, 0, 1},
    {Setting::SoundMode, "SoundMode", SettingKind::Int, -1, -1, kSoundModeCount - 1},  // -1: none chosen yet
    {Setting::Key1, "Key1", SettingKind::Int, 2, 1, kKeyIndexCount},
    {Setting::Key2, "Key2", SettingKind::Int, 3, 1, kKeyIndexCount},
    {Setting::Key3, "Key3", SettingKind::Int, 4, 1, kKeyIndexCount},
    {Setting::Key4, "Key4", SettingKind::Int, 37, 1, kKeyIndexCount},
    {Setting::Key5, "Key5", SettingKind::Int, 39, 1, kKeyIndexCount},
    {Setting::Key6, "Key6", SettingKind::Int, 40, 1, kKeyIndexCount},
    {Setting::Key7, "Key7", SettingKind::Int, 38, 1, kKeyIndexCount},
    // Zoom is read through zoomPercentFrom.
    {Setting::Zoom, "Zoom", SettingKind::Int, kZoomDefault, kZoomMin, kZoomMax},
    {Setting::FullscreenFit, "FullscreenFit", SettingKind::Bool, 0, 0, 1},  // game area scaled to the screen
    // The page's own: its volume in percent, a short vibration when a finger presses a control,
    // and whether the hint that a long press opens the menu is still to be shown.
    {Setting::Volume, "Volume", SettingKind::Int, 100, 0, 100},
    {Setting::Vibrate, "Vibrate", SettingKind::Bool, 1, 0, 1},
    {Setting::LongPressHint, "LongPressHint", SettingKind::Bool, 1, 0, 1},
    // The game's pace in percent, one of kSpeeds (speedPercentFrom).
    {Setting::Speed, "Speed", SettingKind::Int, 100, 50, 100},
}};

constexpr bool settingsInEnumOrder() {
    for (std::size_t i = 0; i < kSettings.size(); ++i)
        if (static_cast<std::size_t>(kSettings[i].setting) != i) return false;
    return true;
}
static_assert(settingsInEnumOrder());
static_assert(kSettings.size() == 10 + kKeySettingCount, "one key setting per binding");

constexpr const SettingInfo& settingInfo(Setting s) { return kSettings[static_cast<std::size_t>(s)]; }

// The setting KeyN of binding n, 1..kKeySettingCount.
constexpr Setting keySetting(int binding) {
    return static_cast<Setting>(static_cast<int>(Setting::Key1) + binding - 1);
}

// True when value is within the setting's low..high.
constexpr bool inRange(Setting s, int value) {
    return value >= settingInfo(s).low && value <= settingInfo(s).high;
}

// True for a zoom the window can take: kZoomMin..kZoomMax in steps of kZoomStep.
constexpr bool isZoomPercent(int percent) {
    return percent >= kZoomMin && percent <= kZoomMax && percent % kZoomStep == 0;
}

// A stored zoom made valid: clamped to kZoomMin..kZoomMax, then rounded to the nearest step.
constexpr int zoomPercentFrom(int stored) {
    const int clamped = stored < kZoomMin ? kZoomMin : stored > kZoomMax ? kZoomMax : stored;
    return (clamped + kZoomStep / 2) / kZoomStep * kZoomStep;
}
static_assert(zoomPercentFrom(62) == 50 && zoomPercentFrom(63) == 75 && zoomPercentFrom(-7) == 50);

// A stored text, in UTF-8, read as a decimal integer: an optional sign and decimal digits, in
// the range of int, with blanks around ignored (Unicode's spaces, line and paragraph
// separators, tab to carriage return and next line). Anything else (empty text, hex, trailing
// letters, an overflowing number, bytes that are no UTF-8) has no value.
std::optional<int> storedInteger(std::string_view utf8);

// A stored value as the simulator reads it: the default when the value is missing (nullopt)
// or is no decimal integer.
int storedValueOr(std::optional<std::string_view> utf8, int fallback);

// A setting read from its stored text: the table's default when missing or malformed, and
// Zoom made valid by zoomPercentFrom, Speed by speedPercentFrom, a Volume outside 0..100 the
// default.
int storedSetting(Setting s, std::optional<std::string_view> utf8);

}  // namespace zn
