#include "display/dialogart.h"

#include <QDir>
#include <QFileInfo>

#include "display/gamefolder.h"

namespace zn {

QString dialogArtFile(const QString& name) {
    const QString relative = art::kDialogFolder + QLatin1Char('/') + name;
    const QString inGameFolder = QDir(gameFolder()).filePath(relative);
    if (QFileInfo::exists(inGameFolder)) return inGameFolder;
    if (QFileInfo::exists(relative)) return QFileInfo(relative).absoluteFilePath();
    return {};
}

}  // namespace zn
