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

FrontEndShowing frontEndShowing(ImageId id, bool overlays, bool gameShows, int gamePicture) {
    const int own = index(id);
    if (id == img::btn_joystick_top) return {overlays ? 0 : 1, own};
    if (among(kOverlayArrows, id)) return {overlays ? 1 : 0, own};
    if (id == img::btn_game_menu_background || id == img::btn_game_menu_top) return {kAsLaidOut, kAsLaidOut};
    if (!isGameImage(id)) return {kAsLaidOut, own};
    return {among(kShownFromCreation, id) || gameShows ? 1 : 0, gamePicture};
}

}  // namespace zn
