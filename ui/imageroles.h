#pragma once
// What each image of the window is to a front end, beyond its place in the stacking order:
// which ones the game's scale moves, which ones are shown from the window's creation on,
// which ones the front end itself shows and hides (never the game), and the controller
// overlay's arrows. The desktop's surface and main window and the page ask the same lists.
#include <array>
#include <cstdint>

#include "engine/images.h"

namespace zn {

// The game area's images, drawn with the game's scale and shift: all but the backdrop, the
// logo and the game menu's two images, which keep the client's scale.
bool isGameImage(ImageId id);

// Shown from the window's creation on, and never hidden by the game: the device's body and
// its three buttons' tops.
inline constexpr std::array kShownFromCreation{img::im_background, img::im_background_screen_top,
                                               img::btn_power_top, img::btn_select_top, img::btn_start_top};

// The controller overlay's four arrows, shown instead of the joystick while the overlay is on.
inline constexpr std::array kOverlayArrows{img::btn_ctrlr_overlay_up, img::btn_ctrlr_overlay_left,
                                           img::btn_ctrlr_overlay_right, img::btn_ctrlr_overlay_down};

// Images whose visibility is the front end's, not the game's: the full-screen backdrop and
// logo, the joystick and the overlay's arrows, the game menu.
bool isHostShownImage(ImageId id);

// Each image's roles as bits (kRoleGameImage | kRoleShownFromCreation | ...), for a
// front end that takes them as one list.
enum ImageRole : int { kRoleGameImage = 1, kRoleShownFromCreation = 2, kRoleHostShown = 4, kRoleOverlayArrow = 8 };
int imageRoles(ImageId id);

}  // namespace zn
