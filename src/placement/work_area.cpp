#include "placement/work_area.h"

#include <cstdint>

namespace glint {

namespace {

// One axis: far edge first, near edge last. 64 bits: screen coordinates of a hand-edited file
// may be anything an int holds.
std::int64_t Limited(std::int64_t start, std::int64_t size, std::int64_t nearEdge,
                     std::int64_t farEdge) {
  if (farEdge - size < start) start = farEdge - size;
  if (nearEdge > start) start = nearEdge;
  return start;
}

}  // namespace

std::optional<Point> PositionInWorkArea(const Rect& window, const Rect& workArea) {
  const std::int64_t width = static_cast<std::int64_t>(window.right) - window.left;
  const std::int64_t height = static_cast<std::int64_t>(window.bottom) - window.top;
  const std::int64_t x = Limited(window.left, width, workArea.left, workArea.right);
  const std::int64_t y = Limited(window.top, height, workArea.top, workArea.bottom);
  if (x == window.left && y == window.top) return std::nullopt;
  // Inside the work area, so back within an int.
  return Point{static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace glint
