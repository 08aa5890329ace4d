#pragma once
// Properties of the settings read rules that must hold for any stored text. Shared by the fuzz
// target and the regression tests that replay its corpus and findings.
#include <string>
#include <string_view>

namespace zn::fuzz {

// Puts the bytes, read as UTF-8 and as UTF-16, through parseStoredInteger, and the raw bytes
// through storedInteger, and compares with an independent reading of the decimal rule.
// Returns the first broken property, empty if none.
std::string checkStoredText(std::string_view bytes);

// The bytes as the value of every stored setting, in each form the settings file hands a
// value over (text, a list at commas, a byte array), no file involved. For each form: a value
// has an integer only if its text is a plain decimal number; every setting read from it
// (flags, sound output, the zoom, the seven key bindings and their hints) comes out usable.
// Returns the first broken property, empty if none.
std::string checkStoredValue(std::string_view bytes);

// Writes the bytes as the raw value of one key of a settings file in $XDG_CONFIG_HOME and reads
// it back through AppSettings with different defaults: a stored value either is a number, the
// same whatever the default, or yields each default; readBool follows readInteger. Returns the
// first broken property, empty if none.
std::string checkStoredFile(std::string_view bytes);

}  // namespace zn::fuzz
