#pragma once
// Identities of every image of the main window, in the window's stacking order
// (bottom first). The engine lights figures by these values; the window keeps
// one image element per value; the skin's slot table maps slots onto them.
#include <array>
#include <cstdint>
#include <string_view>

namespace zn {

enum class ImageId : std::uint16_t {};

constexpr std::uint16_t index(ImageId id) { return static_cast<std::uint16_t>(id); }

namespace img {
constexpr ImageId at(int i) { return static_cast<ImageId>(i); }

constexpr ImageId im_backdrop = at(0);
constexpr ImageId im_backdrop_logo = at(1);
constexpr ImageId im_background = at(2);
constexpr ImageId im_background_screen = at(3);
constexpr ImageId im_panel_lives_2 = at(4);
constexpr ImageId im_panel_lives_1 = at(5);
// im_panel_digit_pos_1..4 are 6..9, the ten digit pictures 10..19, position 5 is 20.
constexpr ImageId im_panel_digit_pos(int p) { return at(p <= 4 ? 5 + p : 20); }
constexpr ImageId im_panel_number(int d) { return at(10 + d); }
constexpr ImageId im_ghost_02_01 = at(21);
constexpr ImageId im_panel_gameover = at(22);
constexpr ImageId btn_power_on = at(23);
constexpr ImageId btn_select_down = at(24);
constexpr ImageId btn_start_down = at(25);
constexpr ImageId btn_power_top = at(26);
constexpr ImageId btn_select_top = at(27);
constexpr ImageId btn_start_top = at(28);
constexpr ImageId btn_joystick_top = at(29);

constexpr int kFirstNibbo = 30;   // 54 Nibbo figures
constexpr int kFirstPill = 84;    // 54 pill figures
constexpr int kFirstGhost = 138;  // 55 ghost figures (all but im_ghost_02_01)

constexpr bool isHouse(int col, int row) { return row == 4 && (col == 5 || col == 6); }

// Position of (col, row) in the figure stack of one kind: columns 02..09, within a
// column rows 07 down to 01, with the ghost-house cells skipped when withHouse is false.
constexpr int stackPos(int col, int row, bool withHouse) {
    int n = 0;
    for (int c = 2; c <= 9; ++c)
        for (int r = 7; r >= 1; --r) {
            if (!withHouse && isHouse(c, r)) continue;
            if (c == col && r == row) return n;
            ++n;
        }
    return -1;
}

// Grid figures; callers pass visible cells (col 2..9, row 1..7), and for Nibbo and
// pill figures never a ghost-house cell.
constexpr ImageId im_nibbo(int col, int row) { return at(kFirstNibbo + stackPos(col, row, false)); }
constexpr ImageId im_pill(int col, int row) { return at(kFirstPill + stackPos(col, row, false)); }
constexpr ImageId im_ghost(int col, int row) {
    if (col == 2 && row == 1) return im_ghost_02_01;
    const int pos = stackPos(col, row, true);  // (02,01) is position 6 and lies in the panel layer
    return at(kFirstGhost + (pos < 6 ? pos : pos - 1));
}

constexpr ImageId im_ghost_05_04_b = at(193);
constexpr ImageId im_ghost_06_04_b = at(194);
constexpr ImageId im_background_screen_top = at(195);
constexpr ImageId btn_game_menu_background = at(196);
constexpr ImageId btn_game_menu_top = at(197);
constexpr ImageId btn_ctrlr_overlay_up = at(198);
constexpr ImageId btn_ctrlr_overlay_left = at(199);
constexpr ImageId btn_ctrlr_overlay_right = at(200);
constexpr ImageId btn_ctrlr_overlay_down = at(201);
}  // namespace img

constexpr int kImageCount = 202;

// The component name of an image, for example "im_pill_03_05".
std::string_view imageName(ImageId id);

constexpr int kSlotCount = 198;

// Skin slots 1..kSlotCount in the order of the image sections of Config.ini; a number
// outside that range gives im_backdrop, which is in no slot.
ImageId slotImage(int slot);

// The slot of an image, 1..kSlotCount; 0 for the images in no slot (the backdrop, the logo
// and the game menu's button).
int slotOf(ImageId id);

}  // namespace zn
