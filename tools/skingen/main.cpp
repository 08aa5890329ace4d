// zn-skingen GAME_DIR [--preview FILE.png]
// Paints the default skin into GAME_DIR: Config.ini, Graphics/Skin/*.png and
// Graphics/Backdrop/*.png. Every skin picture also gets its name@2x.png partner,
// the same drawing at twice the width and height for a window zoomed above 100 %. With --preview it also
// writes a picture of the device composed as the simulator would show it: everything lit on the left, a game
// in progress with the overlay arrows on the right.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <map>
#include <vector>

#include "display/picturecache.h"
#include "tools/skingen/art.h"
#include "tools/skingen/config.h"
#include "tools/skingen/layout.h"

namespace zn::skingen {
namespace {

bool save(const QImage& image, const QString& path) {
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "zn-skingen: cannot write %s\n", qPrintable(path));
    return false;
}

// The device as the window composes it: the given slots drawn in order over the key colour.
QImage compose(const std::map<QString, QImage>& files, const std::vector<int>& slots,
               const std::map<int, QImage>& digitCopies) {
    QImage out(kGameWidth, kGameHeight, QImage::Format_RGB32);
    out.fill(QColor(255, 0, 255));
    QPainter p(&out);
    for (int n : slots) {
        const SlotSkin s = slotSkin(n);
        const auto copy = digitCopies.find(n);
        const QImage* picture = copy != digitCopies.end() ? &copy->second : nullptr;
        if (!picture) {
            const auto f = files.find(s.file);
            if (f == files.end()) continue;
            picture = &f->second;
        }
        p.save();
        p.setClipRect(s.rect);
        p.drawImage(s.rect.topLeft(), *picture);
        p.restore();
    }
    return out;
}

QImage preview(const std::map<QString, QImage>& files, const ScreenArt& scr) {
    // Stacking order of the window, bottom first, by slot number.
    std::vector<int> everything = {1, 3, 17, 16, 18, 19, 20, 21, 22, 191, 15, 10};
    for (int n = 33; n <= 198; ++n)
        if (n != 173 && n != 174 && n != 191) everything.push_back(n);  // the _b ghosts stay hidden
    everything.push_back(2);
    std::map<int, QImage> lit;
    for (int p = 0; p < 5; ++p) lit[18 + p] = scr.digits[8];
    const QImage all = compose(files, everything, lit);

    // A game in progress: score 01230, one spare life, Nibbo, two ghosts, pills here and there.
    std::vector<int> game = {1, 3, 16, 18, 19, 20, 21, 22};
    for (int n = 87; n <= 140; n += 3) game.push_back(n);
    game.insert(game.end(), {5, 7, 50, 146, 171, 2, 11, 12, 13, 14});
    std::map<int, QImage> score = {{18, scr.digits[0]},
                                   {19, scr.digits[1]},
                                   {20, scr.digits[2]},
                                   {21, scr.digits[3]},
                                   {22, scr.digits[0]}};
    const QImage playing = compose(files, game, score);

    QImage out(kGameWidth * 2 + 20, kGameHeight, QImage::Format_RGB32);
    out.fill(QColor(255, 0, 255));
    QPainter p(&out);
    p.drawImage(0, 0, all);
    p.drawImage(kGameWidth + 20, 0, playing);
    return out;
}

int run(const QString& gameDir, const QString& previewPath) {
    const QString skinDir = gameDir + "/Graphics/Skin";
    const QString backdropDir = gameDir + "/Graphics/Backdrop";
    if (!QDir().mkpath(skinDir) || !QDir().mkpath(backdropDir)) {
        std::fprintf(stderr, "zn-skingen: cannot create the folders in %s\n", qPrintable(gameDir));
        return 1;
    }
    const DeviceArt device = paintDevice();
    const ScreenArt screen = paintScreen();
    const auto files = skinPictures(device, screen);
    bool ok = true;
    for (const auto& [name, image] : files) ok = save(image, skinDir + "/" + name) && ok;
    ok = save(paintBackdrop(), backdropDir + "/backdrop.png") && ok;
    ok = save(paintLogo(), backdropDir + "/logo.png") && ok;
    // The backdrop and the logo are never drawn scaled: they have no partner.
    for (const auto& [name, image] : skinPictures(paintDevice(2), paintScreen(2)))
        ok = save(image, gfx::hiResPartnerPath(skinDir + "/" + name)) && ok;

    QFile ini(gameDir + "/Config.ini");
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate) || ini.write(configText().toUtf8()) < 0) {
        std::fprintf(stderr, "zn-skingen: cannot write %s\n", qPrintable(ini.fileName()));
        ok = false;
    }
    if (!previewPath.isEmpty()) ok = save(preview(files, screen), previewPath) && ok;
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace zn::skingen

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts for the printed labels
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == QLatin1String("--preview"))) {
        std::fprintf(stderr, "usage: zn-skingen GAME_DIR [--preview FILE.png]\n");
        return 2;
    }
    return zn::skingen::run(args[1], args.size() == 4 ? args[3] : QString());
}
