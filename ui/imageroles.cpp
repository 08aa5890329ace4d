#include "ui/imageroles.h"

#include <algorithm>

namespace zn {
namespace {

template <std::size_t N>
bool among(const std::array<ImageId, N>& ids, ImageId id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

bool isGameImage(ImageId id) {
    return id != img::im_backdrop && id != img::im_backdrop_logo && id != img::btn_game_menu_background &&
           id != img::btn_game_menu_top;
}

bool isHostShownImage(ImageId id) {
    return !isGameImage(id) || id == img::btn_joystick_top || among(kOverlayArrows, id);
}

int imageRoles(ImageId id) {
    return (isGameImage(id) ? kRoleGameImage : 0) | (among(kShownFromCreation, id) ? kRoleShownFromCreation : 0) |
           (isHostShownImage(id) ? kRoleHostShown : 0) | (among(kOverlayArrows, id) ? kRoleOverlayArrow : 0);
}

}  // namespace zn
