#pragma once
// Config.ini read from the disk: the file's checks and its text handed to the toolkit-free
// reader (skin/skinreader.h), whose description and problems come back unchanged.
#include <QString>
#include <optional>

#include "skin/skinreader.h"

namespace zn::skin {

// Why a Config.ini file gave no skin at all.
struct FileError {
    enum class Kind { Missing, NotAFile, TooLarge, Unreadable, Unparsable };
    Kind kind;
    long long size = 0;  // TooLarge: the file's size in bytes
    QString detail;      // Unreadable: the system's reason; Unparsable: the INI reader's
};

struct SkinFile {
    std::optional<FileError> error;  // set when there is no skin; skin is then left empty
    SkinDescription skin;
};

// Reads the Config.ini at path, refusing files bigger than kMaxIniBytes unread.
SkinFile readSkinFile(const QString& path);

}  // namespace zn::skin
