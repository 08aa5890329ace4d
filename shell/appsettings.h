#pragma once
// App_Settings: the per-user settings store. Values live in
// $XDG_CONFIG_HOME/Quillon/Zornibak50.conf (~/.config when unset), section [General], one
// Name=value line each, always as plain text: an integer as its signed decimal text, a
// boolean as "1" or "0". Every write reaches the disk at once and every read re-reads the
// disk, so a change made outside the simulator is seen at the next read (the file is
// re-parsed when its size or modification time has changed).
#include <QSettings>
#include <QString>
#include <array>
#include <optional>

#include "input/keytable.h"

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
    FullscreenFit
};

enum class SettingKind { Bool, Int };

struct SettingInfo {
    Setting setting;
    const char* name;  // the stored name
    SettingKind kind;  // a Bool is stored as "1" or "0" and read as true for any integer but 0
    int defaultValue;  // when the value is missing or is no decimal integer
};

// The window's size in windowed mode, in percent of the skin's size (kZoomMin..kZoomMax in
// steps of kZoomStep; see zoomPercentFrom).
inline constexpr int kZoomMin = 50;
inline constexpr int kZoomMax = 400;
inline constexpr int kZoomStep = 25;
inline constexpr int kZoomDefault = 100;

inline constexpr std::array<SettingInfo, 13> kSettings = {{
    {Setting::FullscreenMode, "FullscreenMode", SettingKind::Bool, 1},
    {Setting::CtrlrOverlay, "CtrlrOverlay", SettingKind::Bool, 1},
    {Setting::SplashScreen, "SplashScreen", SettingKind::Bool, 1},
    {Setting::SoundMode, "SoundMode", SettingKind::Int, -1},  // no sound output chosen yet
    {Setting::Key1, "Key1", SettingKind::Int, kDefaultKeyIndex[1]},
    {Setting::Key2, "Key2", SettingKind::Int, kDefaultKeyIndex[2]},
    {Setting::Key3, "Key3", SettingKind::Int, kDefaultKeyIndex[3]},
    {Setting::Key4, "Key4", SettingKind::Int, kDefaultKeyIndex[4]},
    {Setting::Key5, "Key5", SettingKind::Int, kDefaultKeyIndex[5]},
    {Setting::Key6, "Key6", SettingKind::Int, kDefaultKeyIndex[6]},
    {Setting::Key7, "Key7", SettingKind::Int, kDefaultKeyIndex[7]},
    {Setting::Zoom, "Zoom", SettingKind::Int, kZoomDefault},          // read through zoomPercentFrom
    {Setting::FullscreenFit, "FullscreenFit", SettingKind::Bool, 0},  // game area scaled to the screen
}};

constexpr bool settingsInEnumOrder() {
    for (std::size_t i = 0; i < kSettings.size(); ++i)
        if (static_cast<std::size_t>(kSettings[i].setting) != i) return false;
    return true;
}
static_assert(settingsInEnumOrder());
static_assert(kSettings.size() == 6 + kBindingCount, "one key setting per binding");

constexpr const SettingInfo& settingInfo(Setting s) { return kSettings[static_cast<std::size_t>(s)]; }

// The setting KeyN of binding n, 1..kBindingCount.
constexpr Setting keySetting(int binding) {
    return static_cast<Setting>(static_cast<int>(Setting::Key1) + binding - 1);
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

inline QString settingName(Setting s) { return QString::fromLatin1(settingInfo(s).name); }

// A stored text read as a decimal integer: an optional sign and decimal digits, with
// surrounding blanks ignored, in the range of int. Anything else (empty text, hex, trailing
// letters, an overflowing number) has no value.
std::optional<int> parseStoredInteger(const QString& text);

// A value as the store hands it over, read as an integer: through its text, so that anything
// the file format decodes otherwise (a list, a variant) has no value unless it is a plain number.
std::optional<int> storedInteger(const QVariant& stored);

class AppSettings {
public:
    AppSettings();

    // The default when the value is missing or its text is not a decimal integer.
    int readInteger(const QString& name, int def) const;
    // readInteger with 1/0 as default; true for any integer but 0 ("2" is true).
    bool readBool(const QString& name, bool def) const;

    // A store that cannot be written loses nothing that is on disk: the new value is kept
    // for this run and the write is tried again at the next access.
    void writeInteger(const QString& name, int value);
    void writeBool(const QString& name, bool value);

    // A setting of the table, its default taken from the table.
    int read(Setting s) const { return readInteger(settingName(s), settingInfo(s).defaultValue); }
    bool readFlag(Setting s) const {
        Q_ASSERT(settingInfo(s).kind == SettingKind::Bool);
        return read(s) != 0;
    }
    // A boolean setting whose default, where it is missing, is whenMissing instead of the
    // table's (the popup menu takes the splash dialog's check box).
    bool readFlag(Setting s, bool whenMissing) const {
        Q_ASSERT(settingInfo(s).kind == SettingKind::Bool);
        return readBool(settingName(s), whenMissing);
    }
    void write(Setting s, int value) { writeInteger(settingName(s), value); }
    void writeFlag(Setting s, bool value) {
        Q_ASSERT(settingInfo(s).kind == SettingKind::Bool);
        writeBool(settingName(s), value);
    }

    // The stored Zoom made valid (zoomPercentFrom); kZoomDefault when missing or malformed.
    int readZoom() const { return zoomPercentFrom(read(Setting::Zoom)); }

    // False when the last read or write could not reach the disk.
    bool ok() const;

private:
    mutable QSettings store_;
};

}  // namespace zn
