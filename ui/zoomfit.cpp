#include "ui/zoomfit.h"

#include <cmath>

namespace zn {

namespace {
constexpr int kOwnSize = 100;

bool fits(PixelSize window, PixelSize area) {
    return window.width <= area.width && window.height <= area.height;
}
}  // namespace

PixelSize zoomedSize(PixelSize client, int percent) {
    const auto side = [percent](int v) { return static_cast<int>(std::lround(v * (percent / 100.0))); };
    return {side(client.width), side(client.height)};
}

int zoomInForce(int chosen, int step, PixelSize area, const std::function<PixelSize(int)>& windowAt) {
    if (chosen <= kOwnSize || step <= 0) return chosen;
    for (int z = chosen; z > kOwnSize; z -= step)
        if (fits(windowAt(z), area)) return z;
    return kOwnSize;
}

}  // namespace zn
