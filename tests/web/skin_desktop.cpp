// The desktop's side of web_skin_table: Gfx_Init run on the in-memory window (faketarget.h) for
// the game folder GAME_DIR, as JSON on standard output: the set-up's result it applied (each
// slot's picture, path and partner, the backdrop and the logo), the window it left (every
// image's rectangle and visibility, the client size) and the error box's lines.
//   zn_skin_desktop GAME_DIR FULLSCREEN(0|1) SCREEN_WIDTH SCREEN_HEIGHT
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "tests/display/faketarget.h"

namespace {

const char* const kChoices[] = {"keep", "file", "placeholder", "pending"};
const char* const kShown[] = {"unchanged", "shown", "hidden"};

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5) return 2;
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir::setCurrent(dir);  // the simulator works inside its game folder
    zn::test::FakeTarget window;
    window.dir = dir;
    window.screenW = std::atoi(argv[3]);
    window.screenH = std::atoi(argv[4]);
    zn::skin::SetupPlan plan;
    zn::Gfx_Init(window, window, std::atoi(argv[2]) != 0, &plan);

    QJsonArray images, shown;
    for (const zn::skin::PlannedImage& im : plan.images)
        images.append(QJsonObject{{"id", zn::index(im.id)},
                                  {"picture", kChoices[static_cast<int>(im.picture)]},
                                  {"path", qs(im.path)},
                                  {"partner", qs(im.partner)}});
    for (const zn::test::FakeImage& im : window.images)
        shown.append(QJsonObject{{"left", im.left},
                                 {"top", im.top},
                                 {"width", im.width},
                                 {"height", im.height},
                                 {"visible", im.visible}});
    const auto part = [](zn::skin::Shown s, const std::string& path) {
        return QJsonObject{{"shown", kShown[static_cast<int>(s)]}, {"path", qs(path)}};
    };
    const QJsonObject out{
        {"images", images},
        {"backdrop", part(plan.backdrop.shown, plan.backdrop.path)},
        {"logo", part(plan.logo.shown, plan.logo.path)},
        {"window",
         QJsonObject{{"clientWidth", window.clientW}, {"clientHeight", window.clientH}, {"images", shown}}},
        {"problems", QJsonArray::fromStringList(
                         window.errors.isEmpty() ? QStringList() : window.errors.join('\n').split('\n'))},
    };
    std::fputs(QJsonDocument(out).toJson(QJsonDocument::Compact).constData(), stdout);
    return 0;
}
