#pragma once
// The skin set-up: reads Config.ini and lays the main window out for the display mode.
#include <QImage>
#include <QString>

#include "display/appservices.h"
#include "display/gfxtarget.h"

namespace zn {

// Reads Config.ini from app.configDir() and lays the window's images out for the display
// mode. Returns false when Config.ini is missing or unreadable (app.endWithError was called).
//
// Problems that are not fatal (a colour that is no integer, a picture that cannot be decoded,
// an absurd size) are collected and shown together in one error box at the end of the run;
// the set-up carries on with defaults, so the window stays usable. Limits: Config.ini at most
// skin::kMaxIniBytes; game area and image rectangles at most kMaxExtent on a side; image
// positions within +-kMaxPosition; pictures at most kMaxExtent on a side and kMaxPicturePixels
// in all, checked before decoding.
bool Gfx_Init(GfxTarget& target, AppServices& app, bool Vid_Fullscreen);

namespace gfx {

constexpr int kMaxExtent = 16384;
constexpr int kMaxPosition = 65536;
constexpr long long kMaxPicturePixels = 1ll << 25;  // 128 MiB as 32-bit pixels; an 8K backdrop fits

// Given to a slot whose picture file is missing or cannot be decoded: 10 x 10, a one-pixel black
// ring around pure red.
QImage placeholderPicture();

// Decodes a picture chosen by its file name's extension (png; jpg, jpeg; bmp; ico). On failure
// returns a null image and sets error to a text naming the problem.
QImage loadPicture(const QString& path, QString& error);

}  // namespace gfx
}  // namespace zn
