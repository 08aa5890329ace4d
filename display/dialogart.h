#pragma once
// The dialogs' artwork files: the names the generator paints them under and the splash and
// about dialogs load them by, and where the dialogs find them.
#include <QString>

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

}  // namespace zn::art

namespace zn {

// A picture of the dialogs' artwork (kDialogFolder/NAME), looked for in the game folder,
// then in the working directory. The empty path when it is in neither.
QString dialogArtFile(const QString& name);

}  // namespace zn
