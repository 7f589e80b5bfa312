#include "ledwindow/render.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ledwindow/icon_metrics.h"
#include "ledwindow/icon_paint.h"
#include "ledwindow/led_env.h"

namespace glint {
namespace {

std::set<std::pair<int, int>> PixelsOf(const ImageView& v, Color c) {
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < v.height; ++y)
    for (int x = 0; x < v.width; ++x)
      if (v.Pixel(x, y) == c) out.insert({x, y});
  return out;
}

TEST(IconPaintTest, BoxesClipAndBackgroundsPaintOnlyTheirOwnSize) {
  // White images of exactly their own bytes: a row or a column painted outside is caught.
  std::vector<std::uint8_t> bits;
  const auto white = [&bits](int width, int height) {
    bits.assign(static_cast<std::size_t>(ImageView::StrideFor(width) * height), 0xFF);
    return ImageView{bits.data(), width, height, ImageView::StrideFor(width)};
  };
  for (const auto& [box, painted] : {std::pair{Box{-1, -1, 2, 2}, 1u}, {Box{2, 1, 5, 5}, 2u}}) {
    const ImageView v = white(3, 3);
    FillBox(v, box, kRead);
    EXPECT_EQ(PixelsOf(v, kRead).size(), painted) << box.x;
  }
  // A background's upper half (height / 2 rows) reads; an image of another size stays as it is.
  const struct {
    int width, height, imageWidth, imageHeight;
    std::size_t read, white;
  } cases[] = {{1, 3, 1, 3, 1, 0},
               {0, 3, 1, 3, 0, 3},
               {-1, 3, 1, 3, 0, 3},
               {3, 0, 3, 1, 0, 3},
               {3, 3, 2, 3, 0, 6}};
  for (const auto& c : cases) {
    const ImageView v = white(c.imageWidth, c.imageHeight);
    IconBackground(c.width, c.height, kReadState, IconColors{kRead, kWrite, kBlack, kWhite}, {})
        .Paint(v);
    EXPECT_EQ(std::pair(PixelsOf(v, kRead).size(), PixelsOf(v, kWhite).size()),
              std::pair(c.read, c.white))
        << c.width << 'x' << c.height;
  }
}

TEST(RenderIconsTest, FourStatesSplitBetweenReadAndWriteRows) {
  // Lines and square off: every pixel is the letter (the same in all four images) or the fill.
  struct Case {
    int iconSize, custom, firstWriteRow;
  } cases[] = {{1, 10, 9}, {4, 25, 12}};
  const Color upper[4] = {kBlack, kRead, kBlack, kRead};
  const Color lower[4] = {kBlack, kBlack, kWrite, kWrite};
  for (const Case& c : cases) {
    LedEnv env(c.iconSize, c.custom);
    env.app.settings.showIconLines = 0;
    env.Build();
    for (int p = 1; p <= 26; ++p) {
      const auto letter = PixelsOf(env.View(p), kWhite);
      ASSERT_FALSE(letter.empty());
      for (int state = 0; state < 4; ++state) {
        const ImageView v = env.View(26 * state + p);
        ASSERT_EQ(v.width, env.app.settings.iconPixels);
        int wrong = 0;
        for (int y = 0; y < v.height; ++y)
          for (int x = 0; x < v.width; ++x) {
            const Color want = letter.count({x, y})  ? kWhite
                               : y < c.firstWriteRow ? upper[state]
                                                     : lower[state];
            wrong += v.Pixel(x, y) != want;
          }
        EXPECT_EQ(wrong, 0) << "size " << v.width << " letter " << p << " state " << state;
      }
    }
  }
}

TEST(RenderIconsTest, LinesFollowOrientationAndDualMode) {
  struct Case {
    int show, vertical, dual;
    bool right, bottom;
  } cases[] = {{1, 0, 0, true, false},
               {1, 1, 0, false, true},
               {1, 0, 1, true, true},
               {1, 1, 1, true, true},
               {0, 0, 1, false, false}};
  const Color text = MakeColor(10, 20, 250);
  for (const Case& c : cases) {
    LedEnv env;
    env.SetBackAndText(kBlack, text);
    env.app.settings.showIconLines = c.show;
    env.app.settings.verticalMode = c.vertical;
    env.app.settings.dualIconWindowMode = c.dual;
    env.Build();
    for (int state = 0; state < 4; ++state) {
      // Over the read and write fills too; W is the widest letter.
      const ImageView v = env.View(26 * state + 23);
      for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(v.Pixel(17, i) == text, c.right) << c.vertical << c.dual << " row " << i;
        EXPECT_EQ(v.Pixel(i, 17) == text, c.bottom) << c.vertical << c.dual << " column " << i;
      }
      EXPECT_EQ(v.Pixel(17, 17) == text, c.right || c.bottom);
    }
  }
}

TEST(RenderIconsTest, LetterFontRemadeOtherFontsKept) {
  LedEnv env;
  env.toolkit.dpi = 144;
  env.Build();
  const auto& fonts = env.toolkit.fonts;
  ASSERT_EQ(fonts.size(), 5u);
  EXPECT_EQ(fonts.at(1).face + std::to_string(fonts.at(1).points), "Tahoma8");
  EXPECT_EQ(fonts.at(2).face + std::to_string(fonts.at(2).points), "Arial6");
  EXPECT_EQ(fonts.at(3).weight + fonts.at(3).points, 400 + 8);
  EXPECT_EQ(fonts.at(4).weight + fonts.at(4).points, 700 + 8);
  EXPECT_EQ(fonts.at(5).face + std::to_string(fonts.at(5).weight + fonts.at(5).points),
            "Tahoma408");
  // The LED window's text keeps its pixels; the configuration windows' follows the display.
  for (int font = 1; font <= 5; ++font)
    EXPECT_EQ(fonts.at(font).pixelsPerInch, font == 3 || font == 4 ? 144 : 96) << font;

  env.app.settings.iconSize = 3;
  RenderDriveIcons(env.app);
  EXPECT_EQ(fonts.at(1).points, 15);
  EXPECT_EQ(env.View(104).width, 30);
  EXPECT_EQ(env.View(104).Pixel(29, 5), kWhite);  // made anew at the new size, and drawn
  EXPECT_EQ(env.journal.Matching("CreateNumberedFont 1").size(), 2u);
  for (const char* font : {"CreateNumberedFont 2", "CreateNumberedFont 3", "CreateNumberedFont 4",
                           "CreateNumberedFont 5"})
    EXPECT_EQ(env.journal.Matching(font).size(), 1u) << font;
}

TEST(RenderIconsTest, LetterCellPosition) {
  // The fake's letters are 6 px wide up to 17 px fonts and 18 px at 21 pt.
  struct Case {
    int iconSize, custom, x, y;
  } cases[] = {{1, 10, 5, 2},
               {2, 10, 8, 1},
               {3, 10, 8, 2},
               {4, 14, 4, 1} /* x0 4 */,
               {4, 16, 5, 1} /* x0 5 */,
               {4, 18, 5, 2},
               {4, 42, 11, 4}};
  for (const Case& c : cases) {
    LedEnv env(c.iconSize, c.custom);
    env.Build();
    const auto& drawn = env.toolkit.drawnStrings;
    ASSERT_EQ(drawn.size(), 104u);
    // Idle, reading, writing, both for A first; the writing image of Z last but one.
    EXPECT_EQ(drawn[2], "53 1 " + std::to_string(c.x) + " " + std::to_string(c.y) + " A");
    EXPECT_EQ(drawn[102].substr(0, 5), "78 1 ");
  }
}

TEST(RenderIconsTest, UnloadedSettingsStillGiveImages) {
  FakeEnv env;  // icon size 0 and no metrics: the edge is clamped to 1
  RenderDriveIcons(env.app);
  MarkPresentDrives(env.app);
  for (int n = 1; n <= 104; ++n) ASSERT_EQ(env.toolkit.Image(n).width, 1) << n;
  env.app.settings.iconPixels = 1025;
  EXPECT_EQ(IconEdge(env.app.settings), 1024);
}

// --- The presence square ---------------------------------------------------------------------

TEST(MarkerTest, SquareInTheTopRightCornerOfEverySize) {
  struct Case {
    int iconSize, custom, firstColumn, lastColumn, lastRow;
  } cases[] = {{1, 10, 14, 15, 1},
               {2, 10, 18, 20, 2},
               {3, 10, 23, 26, 3},
               {4, 40, 30, 33, 3},
               {4, 15, 12, 14, 3}};
  const Color text = MakeColor(1, 2, 3);
  for (const Case& c : cases) {
    LedEnv env(c.iconSize, c.custom);
    env.app.settings.showIconLines = 0;
    env.SetBackAndText(kBlack, text);
    env.Build();
    env.app.presenceMask = MaskOf("Z");
    MarkPresentDrives(env.app);
    for (int state = 0; state < 4; ++state) {
      std::set<std::pair<int, int>> square;
      for (int y = 0; y <= c.lastRow; ++y)
        for (int x = c.firstColumn; x <= c.lastColumn; ++x) square.insert({x, y});
      const auto painted = PixelsOf(env.View(26 * state + 26), text);
      for (const auto& px : square) EXPECT_TRUE(painted.count(px)) << c.custom << " " << state;
      for (const auto& px : painted)  // the letter never reaches row 0
        if (px.second == 0) EXPECT_TRUE(square.count(px)) << c.custom << " x " << px.first;
    }
  }
}

TEST(MarkerTest, AbsentDrivesShowTheColourBeneathAndTheirIdleImage) {
  LedEnv env;
  env.Build();
  env.app.presenceMask = MaskOf("AB");
  MarkPresentDrives(env.app);
  env.app.presenceMask = "1";  // short: B to Z absent
  for (int p = 1; p <= 26; ++p) env.toolkit.SetControlImage(p, 60);
  MarkPresentDrives(env.app);

  const Color beneath[4] = {kBlack, kRead, kBlack, kRead};
  for (int state = 0; state < 4; ++state)
    for (int y = 0; y <= 1; ++y)
      for (int x = 14; x <= 15; ++x) {
        EXPECT_EQ(env.View(26 * state + 1).Pixel(x, y), kWhite);
        EXPECT_EQ(env.View(26 * state + 2).Pixel(x, y), beneath[state]);
      }
  for (int p = 1; p <= 26; ++p) EXPECT_EQ(env.toolkit.controls.at(p).image, p) << p;
  EXPECT_EQ(env.app.presenceSnapshot, MaskOf("A"));

  // With the square off a present drive is left alone, an absent one still erased.
  env.app.settings.showSmallSquare = 0;
  env.app.presenceMask = MaskOf("B");
  env.toolkit.SetControlImage(2, 28);
  MarkPresentDrives(env.app);
  EXPECT_EQ(env.toolkit.controls.at(2).image, 28);
  EXPECT_EQ(env.View(28).Pixel(14, 0), kRead);
  EXPECT_EQ(env.View(27).Pixel(14, 0), kRead);
  EXPECT_EQ(env.app.presenceSnapshot, MaskOf("B"));
}

TEST(MarkerTest, SizeTenSquareCoversTheLineAndErasingCutsIt) {
  LedEnv env(4, 10);  // lines on: the right edge line is column 9
  env.Build();
  env.app.presenceMask = MaskOf("A");
  MarkPresentDrives(env.app);
  for (int y = 0; y <= 3; ++y) EXPECT_EQ(env.View(27).Pixel(8, y), kWhite);
  env.app.presenceMask = MaskOf("");
  MarkPresentDrives(env.app);
  const Color beneath[4] = {kBlack, kRead, kBlack, kRead};
  for (int state = 0; state < 4; ++state) {
    const ImageView v = env.View(26 * state + 1);
    for (int y = 0; y < 10; ++y) EXPECT_EQ(v.Pixel(9, y), y <= 3 ? beneath[state] : kWhite);
    // Clipped at the right edge: nothing spills through the row padding into the next row.
    for (int y = 1; y <= 4; ++y) EXPECT_EQ(v.Pixel(0, y), beneath[state]) << state << " " << y;
  }
}

}  // namespace
}  // namespace glint
