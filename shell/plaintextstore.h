#pragma once
// The settings file's format as the store reads and writes it: the INI layout of Qt's native
// format on Linux ([General] for the top-level names, [Group] for the others, Name=value a
// line), with every value kept as the text written after '='. Qt's own reader decodes
// "@Variant(...)" values through a binary stream that reserves whatever counts the bytes
// claim, so one hostile line could take all of the machine's memory; here no value is ever
// decoded, and one that is not a plain number reads as its default.
#include <QIODevice>
#include <QSettings>

namespace zn {

bool readPlainTextStore(QIODevice& device, QSettings::SettingsMap& map);
bool writePlainTextStore(QIODevice& device, const QSettings::SettingsMap& map);

// A value as the user may have quoted it by hand ("5"): the text between the quotes when they
// enclose the whole of it, else the text as it is.
QString unquotedStoreValue(const QString& text);

// The format registered once, with the native format's ".conf" file name.
QSettings::Format plainTextStoreFormat();

}  // namespace zn
