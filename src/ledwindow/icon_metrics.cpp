#include "ledwindow/icon_metrics.h"

#include <algorithm>
#include <cmath>

#include "core/app_settings.h"

namespace glint {

int IconEdge(const AppSettings& settings) {
  return std::clamp(static_cast<int>(settings.iconPixels), kMinIconPixels, kMaxIconPixels);
}

int LetterTop(int iconPixels, int fontSize) {
  const double top = iconPixels / 2 - fontSize / 1.2 + 0.0;
  // Halves go to the even neighbour whatever the floating-point rounding mode is.
  const double below = std::floor(top);
  const double fraction = top - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1;
  // Absurd font sizes must not overflow the conversion.
  return static_cast<int>(std::clamp(rounded, -1.0e9, 1.0e9));
}

int LetterLeft(int iconPixels, int textWidth) {
  int x0 = iconPixels / 2 - textWidth / 2;
  // The order matters: 5 becomes 6 and 4 becomes 5, never 4 -> 5 -> 6.
  if (x0 == 5) x0 = 6;
  if (x0 == 4) x0 = 5;
  return x0 - 1;
}

IconLines IconLinesFor(int showIconLines, int verticalMode, int dualIconWindowMode) {
  if (showIconLines == 0) return {};
  if (dualIconWindowMode == 1) return {true, true};
  if (verticalMode == 1) return {false, true};
  return {true, false};
}

Box PresenceSquare(int iconPixels, int markerSize) {
  const int edge = markerSize / 2;
  return {iconPixels - iconPixels / 4, 0, edge, edge};
}

}  // namespace glint
