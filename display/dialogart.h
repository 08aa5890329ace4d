#pragma once
// The dialogs' artwork files: the names the generator paints them under and the splash and
// about dialogs load them by, and where the dialogs find them.
#include <QString>
#include <array>

namespace zn::art {

// Where each picture lands, relative to the game folder.
inline const QString kDialogFolder = QStringLiteral("Graphics/Dialogs");
inline const QString kSplashBackground = QStringLiteral("splash_background.png");
inline const QString kSplashBox = QStringLiteral("splash_box.jpg");
inline const QString kSplashPlay = QStringLiteral("splash_play.png");
inline const QString kSplashPlayDisabled = QStringLiteral("splash_play_disabled.png");
inline const QString kSplashDonate = QStringLiteral("splash_donate.png");
inline const QString kAboutPortrait = QStringLiteral("about_portrait.png");
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
