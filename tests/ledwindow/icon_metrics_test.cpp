#include "ledwindow/icon_metrics.h"

#include <gtest/gtest.h>

#include <climits>

namespace glint {
namespace {

TEST(IconMetricsTest, LetterTopRoundsHalvesToEven) {
  struct Case {
    int s, fontSize, top;
  } cases[] = {
      {18, 8, 2},
      {24, 13, 1},
      {30, 15, 2} /* 2.5 */,
      {10, 5, 1},
      {16, 8, 1},
      {40, 20, 3},
      {42, 21, 4} /* 3.5 */,
      {54, 27, 4} /* 4.5 */,
      {1024, 512, 85},
      {18, INT_MIN, 1000000000},  // absurd font size: clamped, no overflow
  };
  for (const Case& c : cases) EXPECT_EQ(LetterTop(c.s, c.fontSize), c.top) << c.s;
}

TEST(IconMetricsTest, LetterLeftKeepsCentredFourAndFive) {
  // Centred left edge x0 = S / 2 - width / 2; drawn at x0 - 1 except that 4 and 5 stay.
  struct Case {
    int s, width, left;
  } cases[] = {
      {18, 6, 5} /* x0 6 */, {18, 8, 5} /* 5 */, {18, 10, 4} /* 4 */,
      {18, 12, 2} /* 3 */,   {24, 7, 8},         {18, 40, -12},
      {1024, 450, 286},
  };
  for (const Case& c : cases) EXPECT_EQ(LetterLeft(c.s, c.width), c.left) << c.s << " " << c.width;
}

}  // namespace
}  // namespace glint
