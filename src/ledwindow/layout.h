#pragma once

#include <string_view>

#include "ledwindow/icon_metrics.h"

namespace glint {

// The minimize button's strip: its width in horizontal mode, its height in vertical mode.
inline constexpr int kMinimizeButtonWidth = 8;

// What the LED window's layout depends on.
struct LayoutInput {
  int iconPixels = 18;  // S
  int shownCount = 0;   // N, icons shown
  int verticalMode = 0;
  int dualMode = 0;
  int minimizeButton = 0;  // the setting: the button's width when it is on, else 0
};

struct Cell {
  int column = 0;
  int row = 0;
  friend bool operator==(const Cell&, const Cell&) = default;
};

struct LedLayout {
  int columns = 1;
  int rows = 1;
  int longerLine = 0;  // M = (N + 1) / 2, the longer line of a dual layout
  // The client area, which is also the window's outer size: the window has no frame.
  int clientWidth = 0;
  int clientHeight = 0;
  bool buttonShown = false;
  Box button;
  std::string_view buttonCaption;
  bool fillerShown = false;
  Box filler;
};

// Grid, window size, button and filler for the input. With no icon to show (auto-hide with no
// drive present) the window keeps one empty cell, covered by the filler, so that it stays small
// but can still be found and right-clicked.
LedLayout ComputeLedLayout(const LayoutInput& input);

// The cell of the k-th shown icon (counting from 0), in fill order.
Cell IconCell(const LayoutInput& input, int k);

}  // namespace glint
