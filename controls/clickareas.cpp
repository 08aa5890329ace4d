#include "controls/clickareas.h"

namespace zn {
namespace {

struct ClickArea {
    ImageId image;
    Control control;
};
constexpr ClickArea kClickAreas[] = {
    {img::btn_power_top, Control::Power},         {img::btn_select_top, Control::Select},
    {img::btn_start_top, Control::Start},         {img::btn_ctrlr_overlay_up, Control::Up},
    {img::btn_ctrlr_overlay_left, Control::Left}, {img::btn_ctrlr_overlay_right, Control::Right},
    {img::btn_ctrlr_overlay_down, Control::Down},
};

}  // namespace

std::optional<Control> clickAreaControl(ImageId id) {
    for (const ClickArea& a : kClickAreas)
        if (a.image == id) return a.control;
    return std::nullopt;
}

}  // namespace zn
