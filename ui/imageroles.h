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

// What a front end shows on an image now, given the overlay setting and what the game shows
// there (gameShows, gamePicture: the image whose own picture it shows, -1 none). `shown` is 1
// or 0, or kAsLaidOut where the skin's lay-out decides (the backdrop, the logo, the game
// menu); `pictureOf` is the image whose own picture it shows (-1: none), or kAsLaidOut (the
// game menu). The joystick, the overlay's arrows, the backdrop and the logo show their own
// pictures; the images shown from creation show whatever the game says.
inline constexpr int kAsLaidOut = -2;
struct FrontEndShowing {
    int shown;
    int pictureOf;
};
FrontEndShowing frontEndShowing(ImageId id, bool overlays, bool gameShows, int gamePicture);

}  // namespace zn
