#include "ledwindow/layout.h"

#include <algorithm>

#include "core/drives.h"

namespace glint {

namespace {

int ShownCount(const LayoutInput& input) {
  return std::clamp(input.shownCount, 0, kDriveCount);
}

int LongerLine(int shown) {
  return (shown + 1) / 2;
}

// The fill order of the table: one line; one cell; one column of two (either dual orientation);
// rows of M (dual horizontal) or columns of M (dual vertical).
Cell GridOf(const LayoutInput& input) {
  const int shown = std::max(ShownCount(input), 1);
  const bool vertical = input.verticalMode == 1;
  if (input.dualMode != 1) return vertical ? Cell{1, shown} : Cell{shown, 1};
  if (shown == 1) return {1, 1};
  if (shown == 2) return {1, 2};
  const int m = LongerLine(shown);
  return vertical ? Cell{2, m} : Cell{m, 2};
}

}  // namespace

Cell IconCell(const LayoutInput& input, int k) {
  const int shown = ShownCount(input);
  const bool vertical = input.verticalMode == 1;
  if (input.dualMode != 1) return vertical ? Cell{0, k} : Cell{k, 0};
  if (shown <= 2) return {0, k};
  const int m = LongerLine(shown);
  return vertical ? Cell{k / m, k % m} : Cell{k % m, k / m};
}

LedLayout ComputeLedLayout(const LayoutInput& input) {
  const int edge = std::clamp(input.iconPixels, kMinIconPixels, kMaxIconPixels);
  const int shown = ShownCount(input);
  const bool vertical = input.verticalMode == 1;
  const bool dual = input.dualMode == 1;
  const bool button = input.minimizeButton != 0;
  const int strip = button ? kMinimizeButtonWidth : 0;

  LedLayout layout;
  const Cell grid = GridOf(input);
  layout.columns = grid.column;
  layout.rows = grid.row;
  layout.longerLine = LongerLine(shown);
  // One pixel narrower than the grid: that hides the last column's right separator line.
  layout.clientWidth = layout.columns * edge - 1 + (vertical ? 0 : strip);
  layout.clientHeight = layout.rows * edge + (vertical ? strip : 0);

  layout.buttonShown = button;
  if (vertical) {
    // Under the grid; in a dual layout as wide as two columns, clipped by the window.
    const int width = dual && shown >= 2 ? 2 * edge : edge;
    layout.button = {0, layout.clientHeight - kMinimizeButtonWidth, width, kMinimizeButtonWidth};
    layout.buttonCaption = "--";
  } else {
    // Over the grid's last pixel column and the strip after it.
    layout.button = {layout.clientWidth - kMinimizeButtonWidth, 0, kMinimizeButtonWidth,
                     layout.rows * edge};
    layout.buttonCaption = "|";
  }

  if (shown == 0) {
    layout.fillerShown = true;
    layout.filler = {0, 0, edge, edge};
  } else if (dual && shown >= 3 && shown % 2 == 1) {
    // The one empty cell: the end of the shorter line.
    const int offset = (shown - layout.longerLine) * edge;
    layout.fillerShown = true;
    layout.filler = vertical ? Box{edge, offset, edge, edge} : Box{offset, edge, edge, edge};
  }
  return layout;
}

}  // namespace glint
