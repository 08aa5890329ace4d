#pragma once
// App_Settings: the per-user settings store. Values live in
// $XDG_CONFIG_HOME/Quillon/Zornibak50.conf (~/.config when unset), section [General], one
// Name=value line each, always as plain text: an integer as its signed decimal text, a
// boolean as "1" or "0". Every write reaches the disk at once and every read re-reads the
// disk, so a change made outside the simulator is seen at the next read (the file is
// re-parsed when its size or modification time has changed).
#include <QSettings>
#include <QString>
#include <optional>

namespace zn {

// A stored text read as a decimal integer: an optional sign and decimal digits, with
// surrounding blanks ignored, in the range of int. Anything else (empty text, hex, trailing
// letters, an overflowing number) has no value.
std::optional<int> parseStoredInteger(const QString& text);

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

    // False when the last read or write could not reach the disk.
    bool ok() const;

private:
    mutable QSettings store_;
};

}  // namespace zn
