#pragma once
// The skin set-up: reads Config.ini and lays the main window out for the display mode.
#include "display/appservices.h"
#include "display/gfxtarget.h"
#include "skin/skinplan.h"

namespace zn {

// Reads Config.ini from app.configDir() and lays the window's images out for the display
// mode. Returns false when Config.ini is missing or unreadable (app.endWithError was called).
// What goes where is decided by the toolkit-free set-up (skin::planSetup); here the pictures
// are looked at and decoded, and the result applied to the window. plan, when given, receives
// that result.
//
// Problems that are not fatal (a colour that is no integer, a picture that cannot be decoded,
// an absurd size) are collected and shown together in one error box at the end of the run;
// the set-up carries on with defaults, so the window stays usable. Limits: Config.ini at most
// skin::kMaxIniBytes; game area and image rectangles at most skin::kMaxExtent on a side; image
// positions within +-skin::kMaxPosition; pictures at most skin::kMaxExtent on a side and
// gfx::kMaxPicturePixels in all, checked before decoding.
bool Gfx_Init(GfxTarget& target, AppServices& app, bool Vid_Fullscreen, skin::SetupPlan* plan = nullptr);

}  // namespace zn
