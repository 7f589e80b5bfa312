#pragma once

#include <optional>

#include "platform/geometry.h"

namespace glint {

// Where a window's top-left corner must go to lie inside the work area: the far edges are tried
// before the near ones, so a window larger than the work area sticks to its left or top edge.
// Nothing when the window is inside already (it is neither moved nor raised then).
std::optional<Point> PositionInWorkArea(const Rect& window, const Rect& workArea);

}  // namespace glint
