#pragma once
// Which pictured button or overlay is the click area of which control. The desktop and the
// page find the topmost image under the pointer themselves and ask here what it works.
#include <optional>

#include "controls/controls.h"
#include "engine/images.h"

namespace zn {

// The control whose click area the image is, if it is one of the seven.
std::optional<Control> clickAreaControl(ImageId id);

}  // namespace zn
