#include "ui/dialogfit.h"

#include <algorithm>
#include <cmath>

namespace zn::ui {

DialogFit dialogFit(double viewportWidth, double viewportHeight, int clientWidth, int clientHeight) {
    const double w = clientWidth + 2 * kDialogBorder;
    const double h = clientHeight + kDialogCaptionHeight + 2 * kDialogBorder;
    const double scale = std::max(kDialogMinScale, std::min({1.0, (viewportWidth - 2 * kDialogMargin) / w,
                                                             (viewportHeight - 2 * kDialogMargin) / h}));
    // Halves round upwards, negative ones too, as the page's Math.round does.
    const auto whole = [](double v) { return static_cast<int>(std::floor(v + 0.5)); };
    return {whole((viewportWidth - w * scale) / 2), whole((viewportHeight - h * scale) / 2), scale};
}

}  // namespace zn::ui
