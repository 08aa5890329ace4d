#include "web/core/frameclock.h"

#include <algorithm>
#include <cmath>

namespace zn::web {

std::int64_t FrameClock::frame(double t, bool running) {
    if (!running || !std::isfinite(t)) {
        last_.reset();
        return 0;
    }
    std::int64_t whole = 0;
    if (last_) {
        const double elapsed = std::min(std::max(0.0, t - *last_), kMaxCatchUpMs) + carry_;
        whole = static_cast<std::int64_t>(std::floor(elapsed));
        carry_ = elapsed - static_cast<double>(whole);
    }
    last_ = t;
    return whole;
}

}  // namespace zn::web
