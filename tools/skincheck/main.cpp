// zorpy-nibbo-skin-check PATH/TO/Config.ini: lists the problems of a skin; exit 0 when there
// are none, 1 when there are, 2 on a wrong command line.
// zorpy-nibbo-skin-check --rect IMAGE PATH/TO/Config.ini: where the image lies in a window.
// zorpy-nibbo-skin-check --picture IMAGE PATH/TO/Config.ini: the file of the image's picture.
// zorpy-nibbo-skin-check --slot IMAGE: the number of the image's section in Config.ini.
// zorpy-nibbo-skin-check --help | --version: the usage or the version on standard output, exit 0.
#include <QCoreApplication>
#include <QTextStream>

#include "skin/skinchecks.h"
#include "tools/skincheck/skincheck.h"

namespace {

const char* const kUsage =
    "usage: zorpy-nibbo-skin-check PATH/TO/Config.ini\n"
    "       zorpy-nibbo-skin-check --rect IMAGE PATH/TO/Config.ini\n"
    "       zorpy-nibbo-skin-check --picture IMAGE PATH/TO/Config.ini\n"
    "       zorpy-nibbo-skin-check --slot IMAGE\n"
    "       zorpy-nibbo-skin-check --help | --version\n"
    "Reads the skin with the simulator's own reader and lists every problem: missing or\n"
    "undecodable pictures, unknown picture extensions, malformed numbers and colours, shown\n"
    "slots of zero size, rectangles outside the game area and overlapping click areas. A\n"
    "picture's double-size partner NAME@2x.EXT, when the skin gives one, must decode and be\n"
    "exactly twice the picture's width and height.\n"
    "SkinDir and BackdropDir are resolved relative to the folder of Config.ini (the simulator\n"
    "itself resolves them against its working directory, which is the game folder).\n"
    "Exit status: 0 for a clean skin, 1 when problems were found, 2 on a wrong command line.\n"
    "--rect prints \"LEFT TOP WIDTH HEIGHT\" of an image of the skin's slots (im_background,\n"
    "btn_power_top, im_nibbo_02_07, ...) as the simulator lays it out in a window, --slot the\n"
    "number N of its section [ImageN], --picture the file of its picture; exit status 1 when\n"
    "there is no such image (or picture) or the file cannot be read.\n"
    "--help prints this text and --version the version, each on standard output, exit status 0.\n";

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    // Asked for, the usage is an answer (standard output, 0); on a wrong command line it is
    // the error (standard error, 2).
    if (args.size() == 2 && (args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h"))) {
        out << kUsage;
        return 0;
    }
    if (args.size() == 2 && (args[1] == QLatin1String("--version") || args[1] == QLatin1String("-v"))) {
        out << "zorpy-nibbo-skin-check " << ZN_VERSION << '\n';
        return 0;
    }
    if (args.size() == 4 && (args[1] == QLatin1String("--rect") || args[1] == QLatin1String("--picture"))) {
        QString error;
        const QString answer = args[1] == QLatin1String("--rect")
                                   ? zn::skincheck::imageRect(args[3], args[2], error)
                                   : zn::skincheck::picturePath(args[3], args[2], error);
        if (answer.isEmpty()) {
            err << error << '\n';
            return 1;
        }
        out << answer << '\n';
        return 0;
    }
    if (args.size() == 3 && args[1] == QLatin1String("--slot")) {
        const int slot = zn::skincheck::slotNamed(args[2]);
        if (slot == 0) {
            err << "no image named '" << args[2] << "' is in a slot of Config.ini\n";
            return 1;
        }
        out << slot << '\n';
        return 0;
    }
    if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
        err << kUsage;
        return 2;
    }
    const QStringList problems = zn::skincheck::checkSkin(args[1]);
    for (const QString& p : problems) out << p << '\n';
    out << QString::fromStdString(zn::skin::checkSummary(args[1].toStdString(), static_cast<std::size_t>(problems.size()))) << '\n';
    return problems.isEmpty() ? 0 : 1;
}
