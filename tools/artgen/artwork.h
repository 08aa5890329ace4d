#pragma once
// The dialogs' artwork, painted in code. Every picture is a pure function of nothing: the
// same build always paints the same pixels (fonts aside), so the files can be regenerated
// at will and never need to live in the source tree.
#include <QImage>
#include <QString>

namespace zn::art {

// Where each picture lands, relative to the runnable folder.
inline const QString kDialogFolder = QStringLiteral("Graphics/Dialogs");
inline const QString kSplashBackground = QStringLiteral("splash_background.png");
inline const QString kSplashBox = QStringLiteral("splash_box.jpg");
inline const QString kSplashPlay = QStringLiteral("splash_play.png");
inline const QString kSplashPlayDisabled = QStringLiteral("splash_play_disabled.png");
inline const QString kSplashDonate = QStringLiteral("splash_donate.png");
inline const QString kAboutPortrait = QStringLiteral("about_portrait.png");
inline const QString kAppIcon = QStringLiteral("icon.png");  // in the runnable folder itself

QImage splashBackground();        // 460 x 420: dark band, light middle, dark band for the check box
QImage boxPicture();              // 460 x 160, opaque: the device's retail box
QImage playButton(bool enabled);  // 107 x 30; the disabled twin is the same button greyed
QImage donateButton();            // 107 x 30
QImage portrait();                // 116 x 160
QImage appIcon(int size = 256);   // size x size with alpha, painted at that size (not scaled down)

// The greyed twin of a picture: luminance only, flattened contrast, alpha kept.
QImage greyed(const QImage& src);

}  // namespace zn::art
