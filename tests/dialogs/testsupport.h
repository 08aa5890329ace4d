#pragma once
// Shared by the dialog tests: the temporary settings store and a recorder of the
// addresses the dialogs ask the desktop to open.
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <algorithm>

namespace zn::test {

// The store file of the current XDG_CONFIG_HOME (a temporary folder, see main.cpp).
inline QString storePath() {
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("Quillon/Zornibak50.conf"));
}

inline void clearStore() { QFile::remove(storePath()); }

// The store as another run would have left it: [General] and raw Name=value lines.
inline void writeStore(const QStringList& lines) {
    QDir().mkpath(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("Quillon")));
    QFile f(storePath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    f.write("[General]\n");
    for (const QString& l : lines) f.write((l + QLatin1Char('\n')).toUtf8());
    f.flush();
    // The store notices an outside edit by the file's size or time. Two rewrites of one
    // size within a millisecond would look unchanged, so each gets a later time, as a
    // real edit made later would have.
    static QDateTime stamp = QDateTime::currentDateTime();
    stamp = std::max(stamp.addSecs(1), QDateTime::currentDateTime());
    f.setFileTime(stamp, QFileDevice::FileModificationTime);
}

inline QString storeText() {
    QFile f(storePath());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Takes the place of the desktop's handler for https and mailto addresses while alive.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "open");
    }
    ~UrlRecorder() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }
    Q_INVOKABLE void open(const QUrl& url) { opened << url.toString(); }
    QStringList opened;
};

}  // namespace zn::test
