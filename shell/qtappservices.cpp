#include "shell/qtappservices.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

#include "display/gamefolder.h"
#include "input/dialoglook.h"

namespace zn {

QString QtAppServices::configDir() const { return configFolder(); }
int QtAppServices::screenWidth() const { return screenGeometry().width(); }
int QtAppServices::screenHeight() const { return screenGeometry().height(); }

void QtAppServices::showError(const QString& text) {
    // No parent: the window may still be out of sight, and the box must be seen.
    QMessageBox::critical(nullptr, QGuiApplication::applicationDisplayName(), text);
}

void QtAppServices::endWithError(const QString& text, const QString& path) {
    // Standard error first: someone who started the program from a terminal learns the
    // reason at once, before the box is answered.
    std::fprintf(stderr, "zorpy-nibbo: %s (%s)\n", qPrintable(text),
                 qPrintable(QDir::toNativeSeparators(path)));
    std::fflush(stderr);
    showError(text);
    // Queued, so that it also ends the application when asked before the event loop runs.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
}

void QtAppServices::quit() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

}  // namespace zn
