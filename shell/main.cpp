// The start of the system: the command line, the game folder, the main window, then the
// about, key settings and splash dialogs, then the message loop.
#include <xcb/xcb.h>

#include <QApplication>
#include <QByteArray>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QPixmap>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>

#include "display/dialogart.h"
#include "display/gamefolder.h"
#include "input/keys.h"
#include "replay/recordingfile.h"
#include "shell/about.h"
#include "shell/appsettings.h"
#include "shell/splash.h"
#include "shell/unit1.h"

namespace {

constexpr const char* kProgram = "zorpy-nibbo";

void print(std::FILE* to, const QString& text) {
    std::fputs(qPrintable(text), to);
    std::fflush(to);
}

struct CommandLine {
    std::optional<int> exitStatus;  // set: end the program with it at once
    std::optional<int> zoom;        // --zoom PERCENT: the windowed size for this run
    std::optional<int> speed;       // --speed PERCENT: the game's pace for this run
    QString replay;                 // --replay FILE
    QString record;                 // --record FILE
};

// --help and --version answer on standard output and end the program with 0; anything
// else on the command line (an unknown option, an argument, a --zoom that is no valid
// zoom) prints the usage on standard error and ends it with 2. Runs before the application
// object exists, so that it works without a display.
CommandLine answerCommandLine(int argc, char* argv[]) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Zorpy Nibbo (Korvent, Plimquad) Simulator: the handheld LCD maze game.\n\n"
                       "The game folder (Config.ini, Graphics/, Sound/, the documents) is the\n"
                       "program's own folder when it holds Config.ini, else %1\n"
                       "from the program's folder. For an installed game, a user's own\n"
                       "$XDG_CONFIG_HOME/zorpy-nibbo/Config.ini (~/.config/zorpy-nibbo/) is read\n"
                       "instead of the installed one when it exists.")
            .arg(QLatin1String(zn::kInstalledDataDir)));
    // "-platform" is one unknown option, not seven unknown letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption zoom(
        QStringLiteral("zoom"),
        QStringLiteral("Show the device at PERCENT of its size in windowed mode for this run, %1 to %2 "
                       "in steps of %3, as far as the screen takes it (the stored zoom is kept).")
            .arg(zn::kZoomMin)
            .arg(zn::kZoomMax)
            .arg(zn::kZoomStep),
        QStringLiteral("PERCENT"));
    const QCommandLineOption speed(
        QStringLiteral("speed"),
        QStringLiteral("Run the game at PERCENT of its pace for this run: 50, 75 or 100; every timer of the "
                       "game slower by the same factor (the stored speed is kept; F6 and F7 change it)."),
        QStringLiteral("PERCENT"));
    const QCommandLineOption replay(
        QStringLiteral("replay"),
        QStringLiteral("Play the recording in FILE at its pace, with its sounds; the device's controls wait "
                       "meanwhile. At its end the game holds still; the first press of a device control "
                       "plays on from there. A FILE that is no valid recording ends the program with "
                       "status 1."),
        QStringLiteral("FILE"));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Record this run from its start into FILE (with --replay: the recording played and "
                       "what follows it), written whole after each game over and when the program ends."),
        QStringLiteral("FILE"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(zoom);
    parser.addOption(speed);
    parser.addOption(replay);
    parser.addOption(record);
    // Without an application object Qt's usage line has no program name to show.
    const auto usage = [&parser] {
        return parser.helpText().replace(QLatin1String("<executable_name>"), QLatin1String(kProgram));
    };
    if (!parser.parse(args)) {
        print(stderr,
              QStringLiteral("%1: %2\n\n%3").arg(QLatin1String(kProgram), parser.errorText(), usage()));
        return {2, {}, {}, {}};
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QStringLiteral("%1: unexpected argument '%2'\n\n%3")
                          .arg(QLatin1String(kProgram), parser.positionalArguments().first(), usage()));
        return {2, {}, {}, {}};
    }
    if (parser.isSet(help)) {
        print(stdout, usage());
        return {0, {}, {}, {}};
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QLatin1String(kProgram), QLatin1String(ZN_VERSION)));
        return {0, {}, {}, {}};
    }
    CommandLine run;
    if (parser.isSet(zoom)) {
        const QString text = parser.value(zoom);
        const std::optional<int> percent = zn::parseStoredInteger(text);
        if (!percent || !zn::isZoomPercent(*percent)) {
            print(stderr, QStringLiteral("%1: --zoom '%2' is not a zoom: %3 to %4 in steps of %5\n\n%6")
                              .arg(QLatin1String(kProgram), text, QString::number(zn::kZoomMin),
                                   QString::number(zn::kZoomMax), QString::number(zn::kZoomStep), usage()));
            return {2, {}, {}, {}};
        }
        run.zoom = percent;
    }
    if (parser.isSet(speed)) {
        const QString text = parser.value(speed);
        const std::optional<int> percent = zn::parseStoredInteger(text);
        if (!percent || !zn::isSpeedPercent(*percent)) {
            print(stderr, QStringLiteral("%1: --speed '%2' is not a speed: 50, 75 or 100\n\n%3")
                              .arg(QLatin1String(kProgram), text, usage()));
            return {2, {}, {}, {}};
        }
        run.speed = percent;
    }
    if (parser.isSet(replay)) run.replay = parser.value(replay);
    if (parser.isSet(record)) run.record = parser.value(record);
    return run;
}

// The window places and shapes itself, which a Wayland session does not allow: run on
// X11 there unless the user chose a platform.
void preferX11() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
                         qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (wayland) qputenv("QT_QPA_PLATFORM", QByteArray("xcb"));
}

// Qt ends a program whose X display cannot be opened with an abort and a core dump. On X11
// (Qt's platform unless another one is chosen) the display is tried first, and a failure is
// one line on standard error; other platforms (offscreen, wayland) are Qt's own matter. The
// trial connection stays open until Qt has made its own: when the last client leaves, a
// bare X server (Xvfb, a lone xinit) resets, and Qt's connection could land in the reset.
class DisplayProbe {
public:
    DisplayProbe() {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        if (!platform.isEmpty() && !platform.startsWith("xcb")) return;
        const QByteArray display = qgetenv("DISPLAY");
        if (display.isEmpty()) {
            std::fprintf(stderr, "%s: cannot open a display: DISPLAY is not set\n", kProgram);
            ok_ = false;
            return;
        }
        connection_ = xcb_connect(nullptr, nullptr);
        ok_ = xcb_connection_has_error(connection_) == 0;
        if (!ok_)
            std::fprintf(stderr, "%s: cannot open the X display DISPLAY=%s\n", kProgram, display.constData());
    }
    ~DisplayProbe() { release(); }
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    bool ok() const { return ok_; }
    void release() {
        if (connection_) xcb_disconnect(connection_);  // also frees a failed connection
        connection_ = nullptr;
    }

private:
    xcb_connection_t* connection_ = nullptr;
    bool ok_ = true;
};

// The game's icon at each size task bars and window switchers ask for, each picture painted
// at its size (kAppIconSizes in the game folder); icon.png alone, or else the desktop
// theme's, when none of them is there. The pictures are read when the window asks for them.
QIcon gameIcon() {
    QIcon icon;
    for (const int size : zn::art::kAppIconSizes) {
        const QString file = zn::art::appIconFile(size);
        if (QFileInfo::exists(file)) icon.addFile(file, QSize(size, size));
    }
    if (!icon.isNull()) return icon;
    const QPixmap picture(zn::art::kAppIcon);
    if (picture.isNull()) return QIcon::fromTheme(QStringLiteral("zorpy-nibbo"));
    return QIcon(picture);
}

// A store that cannot be written is told once, in a modal box that leaves the game running
// behind it: it is shown, not run in a loop of its own.
void showStoreFailure(const zn::StoreWriteFailure& failure) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Settings not saved"),
                                zn::storeFailureMessage(failure), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

// The run's recording set-up: the recording to play, read now, and the file to record into,
// written once now (empty) so that a place that cannot be written is told before any window.
// A problem is one line on standard error and the status to end with.
std::optional<zn::ReplayHost::Setup> replaySetup(const CommandLine& commandLine, int& failure) {
    if (commandLine.replay.isEmpty() && commandLine.record.isEmpty()) return std::nullopt;
    zn::ReplayHost::Setup setup;
    setup.endLog = qEnvironmentVariable("ZN_REPLAY_END_LOG");
    if (!commandLine.replay.isEmpty()) {
        const std::string path = commandLine.replay.toLocal8Bit().toStdString();
        const zn::replay::ReadResult read = zn::replay::readRecordingFile(path);
        if (!read.recording) {
            std::fprintf(stderr, "%s: %s\n", kProgram,
                         zn::replay::describeProblem(path, read.problem).c_str());
            failure = 1;
            return std::nullopt;
        }
        setup.replay = read.recording;
    } else {
        std::random_device device;
        setup.seed = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
                     (static_cast<std::uint64_t>(device()) << 32);
    }
    if (!commandLine.record.isEmpty()) {
        setup.recordPath = commandLine.record;
        zn::replay::Recording empty;
        empty.seed = setup.replay ? setup.replay->seed : setup.seed;
        QString reason;
        if (!zn::ReplayHost::writeFile(setup.recordPath, empty, reason)) {
            std::fprintf(stderr, "%s: the recording cannot be written to %s: %s\n", kProgram,
                         qPrintable(setup.recordPath), qPrintable(reason));
            failure = 1;
            return std::nullopt;
        }
    }
    return setup;
}

}  // namespace

int main(int argc, char* argv[]) {
    const CommandLine commandLine = answerCommandLine(argc, argv);
    if (commandLine.exitStatus) return *commandLine.exitStatus;
    int failure = 0;
    std::optional<zn::ReplayHost::Setup> replay = replaySetup(commandLine, failure);
    if (failure != 0) return failure;
    preferX11();
    DisplayProbe display;
    if (!display.ok()) return 1;
    // The device is drawn pixel for pixel, whatever the desktop's dots-per-inch setting.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "1");

    QApplication app(argc, argv);
    display.release();
    QGuiApplication::setApplicationDisplayName(QString());
    // Every relative name (skin folders, sounds, documents) resolves in the game folder,
    // wherever the program was started from.
    QDir::setCurrent(zn::gameFolder());
    QApplication::setWindowIcon(gameIcon());
    zn::AppSettings::setFailureReporter(&showStoreFailure);

    // Splash_Pending starts true; FormCreate runs here.
    zn::TForm1 form(nullptr, commandLine.zoom, std::move(replay));
    if (commandLine.speed) form.setSpeedForThisRun(*commandLine.speed);
    zn::TAboutForm about;
    zn::TKeysForm keys(form.keysHost());
    zn::TSplashForm splash(form.splashHost());
    form.attachDialogs(&about, &keys, &splash);

    // The message loop's first turn is the main window's first activation, which brings up
    // the splash dialog; the main window stays out of sight (unmapped) until play.
    form.startShowing();
    return app.exec();
}
