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
#include "settings/settingrules.h"
#include "sound/sound_outputs.h"

namespace zn {

// The table of settings and their read rules are toolkit-free (settings/settingrules.h); the
// key settings follow the key table and the bindings, SoundMode the sound outputs.
static_assert(kKeySettingCount == kBindingCount, "one key setting per binding");
static_assert(kSoundModeCount == static_cast<int>(kSoundOutputs.size()));
static_assert(kKeyIndexCount == kKeyTableSize);
constexpr bool keyDefaultsFollowTheKeyTable() {
    for (int i = 1; i <= kBindingCount; ++i) {
        const SettingInfo& info = settingInfo(keySetting(i));
        if (info.defaultValue != kDefaultKeyIndex[static_cast<std::size_t>(i)] || !isKeyIndex(info.low) ||
            !isKeyIndex(info.high) || isKeyIndex(info.low - 1) || isKeyIndex(info.high + 1))
            return false;
    }
    return true;
}
static_assert(keyDefaultsFollowTheKeyTable());

inline QString settingName(Setting s) { return QString::fromLatin1(settingInfo(s).name); }

// storedInteger of the text: an optional sign and decimal digits, with surrounding blanks
// ignored, in the range of int. Anything else (empty text, hex, trailing letters, an
// overflowing number) has no value.
std::optional<int> parseStoredInteger(const QString& text);

// A value as the store hands it over, read as an integer: through its text, so that anything
// the file format decodes otherwise (a list, a variant) has no value unless it is a plain number.
std::optional<int> storedInteger(const QVariant& stored);

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
    int readZoom() const;

    // False while values of this run wait to be written (the last write failed).
    bool ok() const { return unsaved_.empty(); }
    // The store's path.
    QString fileName() const { return store_->fileName(); }

private:
    // The stored text of name in UTF-8, nullopt when missing, read after this run's unsaved
    // values have been written (or tried).
    std::optional<QByteArray> storedText(const QString& name) const;
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
