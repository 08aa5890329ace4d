#pragma once
// The dialogs' artwork, painted in code. Every picture is a pure function of nothing: the
// same build always paints the same pixels (fonts aside), so the files can be regenerated
// at will and never need to live in the source tree.
#include <QImage>
#include <QString>

#include "display/dialogart.h"  // the files each picture is saved as

namespace zn::art {

// The dialogs' pictures, in dialog pixels; scale 2 paints the same picture at twice the
// pixels in each direction (the @2x partner a high-density screen shows), not an enlargement.
QImage splashBackground(int scale = 1);          // 460 x 420: dark band, light middle, dark band for the box
QImage boxPicture(int scale = 1);                // 460 x 160, opaque: the device's retail box
QImage playButton(bool enabled, int scale = 1);  // 107 x 30; the disabled twin is the same button greyed
QImage donateButton(int scale = 1);              // 107 x 30
QImage portrait(int scale = 1);                  // 116 x 160
QImage appIcon(int size = 256);  // size x size with alpha, painted at that size (not scaled down)

// The greyed twin of a picture: luminance only, flattened contrast, alpha kept.
QImage greyed(const QImage& src);

}  // namespace zn::art
