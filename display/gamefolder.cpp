#include "display/gamefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zn {
namespace {

const QString kConfigName = QStringLiteral("Config.ini");

bool holdsConfig(const QString& dir) { return QFileInfo(QDir(dir).filePath(kConfigName)).isFile(); }

bool writable(const QString& dir) { return QFileInfo(dir).isWritable(); }

}  // namespace

QString gameFolderFor(const QString& exeDir) {
    if (holdsConfig(exeDir)) return exeDir;
    const QString installed = QDir::cleanPath(exeDir + u'/' + QLatin1String(kInstalledDataDir));
    if (holdsConfig(installed) || QFileInfo(installed).isDir()) return installed;
    return exeDir;
}

QString gameFolder() { return gameFolderFor(QCoreApplication::applicationDirPath()); }

QString userConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zorpy-nibbo");
}

QString configFolderFor(const QString& gameDir, bool gameDirWritable, const QString& userDir) {
    return !gameDirWritable && holdsConfig(userDir) ? userDir : gameDir;
}

QString configFolder() {
    const QString game = gameFolder();
    return configFolderFor(game, writable(game), userConfigFolder());
}

QString editableConfigFor(const QString& gameDir, bool gameDirWritable, const QString& userDir) {
    if (gameDirWritable) return kConfigName;
    const QString installed = QDir(gameDir).filePath(kConfigName);
    const QString own = QDir(userDir).filePath(kConfigName);
    if (QFileInfo(own).isFile()) return own;
    if (!QDir().mkpath(userDir) || !QFile::copy(installed, own)) return installed;
    // The installed file may be read-only; the user's copy is the user's to change.
    QFile::setPermissions(own, QFile::permissions(own) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return own;
}

QString editableConfig() {
    const QString game = gameFolder();
    return editableConfigFor(game, writable(game), userConfigFolder());
}

}  // namespace zn
