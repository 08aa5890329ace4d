#include "engine/figure_table.h"

namespace zn {

FigureTable::FigureTable() {
    for (int i = 0; i < kImageCount; ++i) picture_[i] = static_cast<std::uint16_t>(i);
}

std::optional<ImageId> FigureTable::picture(ImageId id) const {
    const std::uint16_t p = picture_[index(id)];
    if (p == kEmpty) return std::nullopt;
    return static_cast<ImageId>(p);
}

int FigureTable::panelDigit(int p) const {
    const auto pic = picture(img::im_panel_digit_pos(p));
    if (!pic) return -1;
    for (int d = 0; d <= 9; ++d)
        if (*pic == img::im_panel_number(d)) return d;
    return -1;
}

}  // namespace zn
