#pragma once
// App_Settings: the per-user settings store. Values live in
// $XDG_CONFIG_HOME/Quillon/Zornibak50.conf (~/.config when unset), section [General], one
// Name=value line each, always as plain text: an integer as its signed decimal text, a
// boolean as "1" or "0". Every write reaches the disk at once and every read re-reads the
// disk, so a change made outside the simulator is seen at the next read (the file is
// re-parsed when its size or modification time has changed). A write that cannot reach the
// disk is told once and kept for the run (see AppSettings).
#include <QSettings>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>
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

// Why the store FILE cannot be written, as the user should read it: the folder that cannot
// be made (a file stands in its place, a missing parent under a system folder), the folder
// that takes no new file (permissions, a read-only file system), the disk that is full, or
// the file itself that is not writable. Found by trying each step the store's write takes
// (make the folder, create a file beside FILE, fill it with as many bytes as FILE holds plus
// `extraBytes`, sync it) and removing what the trial made; FILE itself is never touched.
// The empty text when every step succeeds.
QString storeWriteProblem(const QString& file, qint64 extraBytes = 4096);

// A write of the store that did not reach the disk.
struct StoreWriteFailure {
    QString file;    // the store's path
    QString reason;  // storeWriteProblem's text, or a general one when no step failed
};

// What the user is told: the file, the reason, and that the game goes on.
QString storeFailureMessage(const StoreWriteFailure& failure);

// The settings store. A write that fails loses nothing: the file on disk stays as it was
// (every write goes to a new file that replaces the old one only when complete), the values
// of this run are kept and read back, and the next write that succeeds stores all of them.
class AppSettings {
public:
    // Told of the first failed write of each AppSettings, after it has been reported on
    // standard error: the simulator shows it to the user. Set before the store is made.
    using FailureReporter = std::function<void(const StoreWriteFailure&)>;
    static void setFailureReporter(FailureReporter reporter);

    AppSettings();
    ~AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    // The default when the value is missing or its text is not a decimal integer.
    int readInteger(const QString& name, int def) const;
    // readInteger with 1/0 as default; true for any integer but 0 ("2" is true).
    bool readBool(const QString& name, bool def) const;

    // A store that cannot be written loses nothing that is on disk: the new value is kept
    // for this run and every kept value is written at the next write.
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

    // False while values of this run wait to be written (the last write failed).
    bool ok() const { return unsaved_.empty(); }
    // The store's path.
    QString fileName() const { return store_->fileName(); }

private:
    // Writes the disk's values with this run's unsaved ones; false when that failed.
    bool flush() const;
    void reportFailure();

    // QSettings keeps its first error for its whole life: after a failure the store is
    // opened afresh, so that the next write's own outcome is seen.
    mutable std::unique_ptr<QSettings> store_;
    mutable std::map<QString, QString> unsaved_;  // this run's values not yet on disk
    bool reported_ = false;                       // the first failure has been told
};

}  // namespace zn
