#include "ledwindow/layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace glint {
namespace {

constexpr int kH = 0, kV = 1;

TEST(LedLayoutTest, GridSizeButtonAndFiller) {
  struct Case {
    const char* name;
    LayoutInput in;  // S, N, vertical, dual, button
    int columns, rows, width, height;
    Box button;  // checked when the button is on
    Box filler;  // checked when its width is not 0
  };
  const std::vector<Case> cases = {
      {"3 h", {18, 3, kH, 0, 0}, 3, 1, 53, 18, {}, {}},
      {"3 h button", {18, 3, kH, 0, 8}, 3, 1, 61, 18, {53, 0, 8, 18}, {}},
      {"3 v", {18, 3, kV, 0, 0}, 1, 3, 17, 54, {}, {}},
      {"3 v button", {18, 3, kV, 0, 8}, 1, 3, 17, 62, {0, 54, 18, 8}, {}},
      {"5 dual h", {18, 5, kH, 1, 0}, 3, 2, 53, 36, {}, {36, 18, 18, 18}},
      {"5 dual h button", {18, 5, kH, 1, 8}, 3, 2, 61, 36, {53, 0, 8, 36}, {36, 18, 18, 18}},
      {"5 dual v", {18, 5, kV, 1, 0}, 2, 3, 35, 54, {}, {18, 36, 18, 18}},
      {"2 dual h button", {18, 2, kH, 1, 8}, 1, 2, 25, 36, {17, 0, 8, 36}, {}},
      {"2 dual v button", {18, 2, kV, 1, 8}, 1, 2, 17, 44, {0, 36, 36, 8}, {}},
      {"3 dual h at 24", {24, 3, kH, 1, 0}, 2, 2, 47, 48, {}, {24, 24, 24, 24}},
      {"3 dual v at 24", {24, 3, kV, 1, 0}, 2, 2, 47, 48, {}, {24, 24, 24, 24}},
      {"4 dual v button", {18, 4, kV, 1, 8}, 2, 2, 35, 44, {0, 36, 36, 8}, {}},
      {"1 h", {18, 1, kH, 0, 0}, 1, 1, 17, 18, {}, {}},
      {"1 dual v button", {18, 1, kV, 1, 8}, 1, 1, 17, 26, {0, 18, 18, 8}, {}},
      {"25 dual h", {18, 25, kH, 1, 0}, 13, 2, 233, 36, {}, {216, 18, 18, 18}},
      {"26 h at 1024", {1024, 26, kH, 0, 8}, 26, 1, 26631, 1024, {26623, 0, 8, 1024}, {}},
      // No icon to show: one empty cell under the filler.
      {"none", {18, 0, kH, 0, 0}, 1, 1, 17, 18, {}, {0, 0, 18, 18}},
      {"-1 dual v button", {30, -1, kV, 1, 8}, 1, 1, 29, 38, {0, 30, 30, 8}, {0, 0, 30, 30}},
      // Values the loader never lets through.
      {"button not 8", {18, 1, kH, 0, 3}, 1, 1, 25, 18, {17, 0, 8, 18}, {}},
      {"40 icons", {18, 40, kH, 0, 0}, 26, 1, 467, 18, {}, {}},
      {"no icon size", {0, 2, kH, 0, 0}, 2, 1, 1, 1, {}, {}},
  };
  for (const Case& c : cases) {
    const LedLayout l = ComputeLedLayout(c.in);
    EXPECT_EQ(l.columns, c.columns) << c.name;
    EXPECT_EQ(l.rows, c.rows) << c.name;
    EXPECT_EQ(l.clientWidth, c.width) << c.name;
    EXPECT_EQ(l.clientHeight, c.height) << c.name;
    EXPECT_EQ(l.buttonShown, c.in.minimizeButton != 0) << c.name;
    if (l.buttonShown) EXPECT_EQ(l.button, c.button) << c.name;
    EXPECT_EQ(l.buttonCaption, c.in.verticalMode == kV ? "--" : "|") << c.name;
    EXPECT_EQ(l.fillerShown, c.filler.width != 0) << c.name;
    if (l.fillerShown) EXPECT_EQ(l.filler, c.filler) << c.name;
  }
}

TEST(LedLayoutTest, FillOrderOfLayouts) {
  struct Case {
    LayoutInput in;
    std::vector<Cell> cells;
  } cases[] = {
      {{18, 5, kH, 1, 0}, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}}},
      {{18, 5, kV, 1, 0}, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}}},
      {{18, 2, kH, 1, 0}, {{0, 0}, {0, 1}}},
      {{18, 2, kV, 1, 0}, {{0, 0}, {0, 1}}},
      {{18, 3, kH, 1, 0}, {{0, 0}, {1, 0}, {0, 1}}},
      {{18, 3, kH, 0, 0}, {{0, 0}, {1, 0}, {2, 0}}},
      {{18, 3, kV, 0, 0}, {{0, 0}, {0, 1}, {0, 2}}},
  };
  for (const Case& c : cases)
    for (std::size_t k = 0; k < c.cells.size(); ++k)
      EXPECT_EQ(IconCell(c.in, static_cast<int>(k)), c.cells[k]) << c.in.verticalMode << " " << k;
}

}  // namespace
}  // namespace glint
