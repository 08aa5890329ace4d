#pragma once
// The application services of the running simulator: Config.ini's folder from the game
// folder, the primary screen, Qt's message box and the end of the Qt application.
#include "display/appservices.h"

namespace zn {

class QtAppServices : public AppServices {
public:
    QString configDir() const override;
    int screenWidth() const override;
    int screenHeight() const override;
    void showError(const QString& text) override;
    void endWithError(const QString& text, const QString& path) override;
    void quit() override;
};

}  // namespace zn
