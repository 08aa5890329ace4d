// The start of the system: the main window, then the about, key settings and splash
// dialogs, then the message loop.
#include <QApplication>
#include <QByteArray>

#include "input/keys.h"
#include "shell/about.h"
#include "shell/splash.h"
#include "shell/unit1.h"

namespace {

// The window places and shapes itself, which a Wayland session does not allow: run on
// X11 there unless the user chose a platform.
void preferX11() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
                         qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (wayland) qputenv("QT_QPA_PLATFORM", QByteArray("xcb"));
}

}  // namespace

int main(int argc, char* argv[]) {
    preferX11();
    // The device is drawn pixel for pixel, whatever the desktop's dots-per-inch setting.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "1");

    QApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QString());

    zn::TForm1 form;  // Splash_Pending starts true; FormCreate runs here
    zn::TAboutForm about;
    zn::TKeysForm keys(form);
    zn::TSplashForm splash(form);
    form.attachDialogs(&about, &keys, &splash);

    // The message loop shows the main window (still out of sight) and activates it; the
    // first activation brings up the splash dialog.
    form.show();
    form.activateWindow();
    return app.exec();
}
