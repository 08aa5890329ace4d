// zn-artgen OUTPUT_FOLDER: writes the dialogs' artwork and the application icon into the
// runnable folder. Exits non-zero, naming the file, when a picture cannot be written.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/artgen/artwork.h"

namespace {

bool save(const QImage& img, const QString& path) {
    const bool jpeg = path.endsWith(QStringLiteral(".jpg"));
    if (img.save(path, jpeg ? "JPG" : "PNG", jpeg ? 92 : -1)) return true;
    std::fprintf(stderr, "zn-artgen: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Painting text needs the font database, hence a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zn-artgen OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(zn::art::kDialogFolder)) {
        std::fprintf(stderr, "zn-artgen: cannot create %s\n",
                     qPrintable(out.filePath(zn::art::kDialogFolder)));
        return 1;
    }
    const QDir dialogs(out.filePath(zn::art::kDialogFolder));
    using namespace zn::art;
    const bool ok = save(splashBackground(), dialogs.filePath(kSplashBackground)) &&
                    save(boxPicture(), dialogs.filePath(kSplashBox)) &&
                    save(playButton(true), dialogs.filePath(kSplashPlay)) &&
                    save(playButton(false), dialogs.filePath(kSplashPlayDisabled)) &&
                    save(donateButton(), dialogs.filePath(kSplashDonate)) &&
                    save(portrait(), dialogs.filePath(kAboutPortrait)) &&
                    save(appIcon(), out.filePath(kAppIcon));
    return ok ? 0 : 1;
}
