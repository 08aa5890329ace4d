#pragma once
// The dialogs' artwork files: the names the generator paints them under and the splash and
// about dialogs load them by (from zn_ui, which the page reads too), and where the dialogs
// find them. Also the Qt forms of zn_ui's dialog texts and rectangles.
#include <QRect>
#include <QString>
#include <array>
#include <string_view>

#include "ui/dialogdata.h"

namespace zn {

inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline QRect qtRect(const ui::Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace zn

namespace zn::art {

// Where each picture lands, relative to the game folder.
inline const QString kDialogFolder = qtText(ui::art::kDialogFolder);
inline const QString kSplashBackground = qtText(ui::art::kSplashBackground);
inline const QString kSplashBox = qtText(ui::art::kSplashBox);
inline const QString kSplashPlay = qtText(ui::art::kSplashPlay);
inline const QString kSplashPlayDisabled = qtText(ui::art::kSplashPlayDisabled);
inline const QString kSplashDonate = qtText(ui::art::kSplashDonate);
inline const QString kAboutPortrait = qtText(ui::art::kAboutPortrait);
inline const QString kAppIcon = QStringLiteral("icon.png");  // in the game folder itself

// The application icon painted at each size the window offers task bars, laid out as an
// icon theme's folder (the install copies the same pictures into the desktop's theme).
inline const QString kAppIconFolder = QStringLiteral("Graphics/Icons");
inline constexpr std::array<int, 6> kAppIconSizes = {16, 32, 48, 64, 128, 256};
// kAppIconFolder/NxN/apps/zorpy-nibbo.png, relative to the game folder.
inline QString appIconFile(int size) {
    return QStringLiteral("%1/%2x%2/apps/zorpy-nibbo.png").arg(kAppIconFolder).arg(size);
}

}  // namespace zn::art

namespace zn {

// A picture of the dialogs' artwork (kDialogFolder/NAME), looked for in the game folder,
// then in the working directory. The empty path when it is in neither.
QString dialogArtFile(const QString& name);

}  // namespace zn
