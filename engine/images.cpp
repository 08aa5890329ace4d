#include "engine/images.h"

#include <cstdio>
#include <string>

namespace zn {
namespace {

struct NameTable {
    std::array<std::string, kImageCount> names;
    NameTable() {
        auto set = [this](ImageId id, std::string n) { names[index(id)] = std::move(n); };
        set(img::im_backdrop, "im_backdrop");
        set(img::im_backdrop_logo, "im_backdrop_logo");
        set(img::im_background, "im_background");
        set(img::im_background_screen, "im_background_screen");
        set(img::im_panel_lives_1, "im_panel_lives_1");
        set(img::im_panel_lives_2, "im_panel_lives_2");
        for (int p = 1; p <= 5; ++p)
            set(img::im_panel_digit_pos(p), "im_panel_digit_pos_" + std::to_string(p));
        for (int d = 0; d <= 9; ++d) set(img::im_panel_number(d), "im_panel_number_" + std::to_string(d));
        set(img::im_panel_gameover, "im_panel_gameover");
        set(img::btn_power_on, "btn_power_on");
        set(img::btn_select_down, "btn_select_down");
        set(img::btn_start_down, "btn_start_down");
        set(img::btn_power_top, "btn_power_top");
        set(img::btn_select_top, "btn_select_top");
        set(img::btn_start_top, "btn_start_top");
        set(img::btn_joystick_top, "btn_joystick_top");
        char buf[32];
        for (int c = 2; c <= 9; ++c)
            for (int r = 1; r <= 7; ++r) {
                std::snprintf(buf, sizeof buf, "_%02d_%02d", c, r);
                if (!img::isHouse(c, r)) {
                    set(img::im_nibbo(c, r), std::string("im_nibbo") + buf);
                    set(img::im_pill(c, r), std::string("im_pill") + buf);
                }
                set(img::im_ghost(c, r), std::string("im_ghost") + buf);
            }
        set(img::im_ghost_05_04_b, "im_ghost_05_04_b");
        set(img::im_ghost_06_04_b, "im_ghost_06_04_b");
        set(img::im_background_screen_top, "im_background_screen_top");
        set(img::btn_game_menu_background, "btn_game_menu_background");
        set(img::btn_game_menu_top, "btn_game_menu_top");
        set(img::btn_ctrlr_overlay_up, "btn_ctrlr_overlay_up");
        set(img::btn_ctrlr_overlay_left, "btn_ctrlr_overlay_left");
        set(img::btn_ctrlr_overlay_right, "btn_ctrlr_overlay_right");
        set(img::btn_ctrlr_overlay_down, "btn_ctrlr_overlay_down");
    }
};

struct SlotTable {
    std::array<ImageId, kSlotCount + 1> slots{};  // [1..kSlotCount]
    std::array<int, kImageCount> slotOf{};        // 0: in no slot
    SlotTable() {
        using namespace img;
        const ImageId first[] = {im_background,
                                 im_background_screen_top,
                                 im_background_screen,
                                 btn_power_top,
                                 btn_power_on,
                                 btn_select_top,
                                 btn_select_down,
                                 btn_start_top,
                                 btn_start_down,
                                 btn_joystick_top,
                                 btn_ctrlr_overlay_up,
                                 btn_ctrlr_overlay_left,
                                 btn_ctrlr_overlay_right,
                                 btn_ctrlr_overlay_down,
                                 im_panel_gameover,
                                 im_panel_lives_1,
                                 im_panel_lives_2};
        int n = 1;
        for (ImageId id : first) slots[n++] = id;
        for (int p = 1; p <= 5; ++p) slots[n++] = im_panel_digit_pos(p);
        for (int d = 0; d <= 9; ++d) slots[n++] = im_panel_number(d);
        // Maze figures: rows 07 down to 01, columns 02..09 within a row.
        for (int r = 7; r >= 1; --r)
            for (int c = 2; c <= 9; ++c)
                if (!isHouse(c, r)) slots[n++] = im_nibbo(c, r);
        for (int r = 7; r >= 1; --r)
            for (int c = 2; c <= 9; ++c)
                if (!isHouse(c, r)) slots[n++] = im_pill(c, r);
        for (int r = 7; r >= 1; --r) {
            for (int c = 2; c <= 9; ++c) slots[n++] = im_ghost(c, r);
            if (r == 4) {
                slots[n++] = im_ghost_05_04_b;
                slots[n++] = im_ghost_06_04_b;
            }
        }
        for (int slot = 1; slot <= kSlotCount; ++slot)
            slotOf[index(slots[static_cast<std::size_t>(slot)])] = slot;
    }
};

const SlotTable& slotTable() {
    static const SlotTable table;
    return table;
}

}  // namespace

std::string_view imageName(ImageId id) {
    static const NameTable table;
    return index(id) < kImageCount ? std::string_view(table.names[index(id)]) : std::string_view();
}

ImageId slotImage(int slot) {
    if (slot < 1 || slot > kSlotCount) return img::im_backdrop;  // no slot: callers check the range
    return slotTable().slots[static_cast<std::size_t>(slot)];
}

int slotOf(ImageId id) { return index(id) < kImageCount ? slotTable().slotOf[index(id)] : 0; }

}  // namespace zn
