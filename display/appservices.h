#pragma once
// What the display layer needs of the application around it: where Config.ini lies, the
// screen's size, the error box and the end of the application. The shell implements it
// (QtAppServices), the tests fake it.
#include <QString>

namespace zn {

class AppServices {
public:
    virtual ~AppServices() = default;

    virtual QString configDir() const = 0;  // where the Config.ini to read lies
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    virtual void showError(const QString& text) = 0;  // modal box, error icon, OK
    // A failure that ends the application: the text and the path it concerns on standard
    // error, the text in the error box, then the end of the application with status 1
    // (queued: the current event finishes first).
    virtual void endWithError(const QString& text, const QString& path) = 0;
    // Ends the application with status 0, without the main window's close handling; the
    // current event finishes first.
    virtual void quit() = 0;
};

}  // namespace zn
