#pragma once
// The figures in memory: which images are shown and whose picture each one holds,
// so that a test or the script driver can read exactly what the screen shows.
#include <array>
#include <cstdint>
#include <optional>

#include "engine/services.h"

namespace zn {

class FigureTable : public FigureService {
public:
    // Every image hidden and holding its own picture, as the skin left it.
    FigureTable();

    void setVisible(ImageId id, bool visible) override { visible_[index(id)] = visible; }
    void copyPicture(ImageId dst, ImageId src) override { picture_[index(dst)] = picture_[index(src)]; }
    void clearPicture(ImageId id) override { picture_[index(id)] = kEmpty; }

    bool visible(ImageId id) const { return visible_[index(id)]; }
    // The image whose original picture `id` now shows; nothing for an empty picture.
    std::optional<ImageId> picture(ImageId id) const;
    // The digit whose picture score position p (1..5) holds, -1 for any other picture.
    int panelDigit(int p) const;

private:
    static constexpr std::uint16_t kEmpty = 0xFFFF;
    std::array<bool, kImageCount> visible_{};
    std::array<std::uint16_t, kImageCount> picture_{};
};

}  // namespace zn
