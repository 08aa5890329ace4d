// zn-artgen OUTPUT_FOLDER [ICON_THEME_FOLDER SIZE...]: writes the dialogs' artwork (each picture
// with its NAME@2x partner) and the application icon into the runnable folder and, when asked,
// the icon at each SIZE into ICON_THEME_FOLDER/SIZExSIZE/apps/zorpy-nibbo.png (the layout of an
// icon theme such as hicolor). Exits non-zero, naming the file, when a picture cannot be written.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/artgen/artwork.h"

namespace {

// The file of a picture's @2x partner: NAME@2x.EXT beside NAME.EXT.
QString partner(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

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
    if (argc < 2 || argc == 3) {
        std::fprintf(stderr, "usage: zn-artgen OUTPUT_FOLDER [ICON_THEME_FOLDER SIZE...]\n");
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
    // Each dialog picture with its @2x partner, for the web edition's high-density screens.
    bool ok = true;
    for (const int scale : {1, 2}) {
        const auto file = [&](const QString& name) {
            return scale == 1 ? dialogs.filePath(name) : partner(dialogs.filePath(name));
        };
        ok = ok && save(splashBackground(scale), file(kSplashBackground)) &&
             save(boxPicture(scale), file(kSplashBox)) && save(playButton(true, scale), file(kSplashPlay)) &&
             save(playButton(false, scale), file(kSplashPlayDisabled)) &&
             save(donateButton(scale), file(kSplashDonate)) && save(portrait(scale), file(kAboutPortrait));
    }
    if (!ok || !save(appIcon(), out.filePath(kAppIcon))) return 1;
    if (argc > 3) {
        const QDir theme(QString::fromLocal8Bit(argv[2]));
        for (int i = 3; i < argc; ++i) {
            bool number = false;
            const int size = QString::fromLocal8Bit(argv[i]).toInt(&number);
            if (!number || size < 1 || size > 1024) {
                std::fprintf(stderr, "zn-artgen: icon size %s is not a number from 1 to 1024\n", argv[i]);
                return 2;
            }
            const QString folder = QStringLiteral("%1x%1/apps").arg(size);
            if (!theme.mkpath(folder)) {
                std::fprintf(stderr, "zn-artgen: cannot create %s\n", qPrintable(theme.filePath(folder)));
                return 1;
            }
            if (!save(appIcon(size), theme.filePath(folder + QStringLiteral("/zorpy-nibbo.png")))) return 1;
        }
    }
    return 0;
}
