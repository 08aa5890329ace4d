#include "controls/longpress.h"

#include <cmath>

#include "controls/touchareas.h"

namespace zn {

void LongPress::start(int pointer, double x, double y) {
    press_ = Press{pointer, x, y, false};
    quietUntil_ = 0;
}

bool LongPress::move(int pointer, double x, double y, double now) {
    if (!press_ || press_->pointer != pointer) return false;
    if (std::hypot(x - press_->x, y - press_->y) <= kLongPressSlop) return false;
    return end(pointer, now);
}

bool LongPress::end(int pointer, double now) {
    if (!press_ || (pointer != -1 && press_->pointer != pointer)) return false;
    if (press_->opened) quietUntil_ = now + kLongPressQuietMs;
    press_.reset();
    return true;
}

void LongPress::fire() {
    if (press_) press_->opened = true;
}

bool LongPress::menuAllowed(double now) const { return !(press_ && press_->opened) && !(now < quietUntil_); }

}  // namespace zn
