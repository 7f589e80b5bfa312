#include "core/drives.h"
#include "settings/colors.h"
#include "settings/defaults.h"
#include "settings/record_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/fake_env.h"

namespace glint {
namespace {

TEST(AppSettingsHexTest, ConvertsLikeTheColourFiles) {
  struct Case {
    std::string text;
    std::int32_t expected;
  } cases[] = {
      {"00", 0},
      {"FF", 255},
      {"ff", 255},
      {"D8", 216},
      {"d8", 216},
      {"G8", 8},
      {"ZZ", 0},
      {"", 0},
      {"F", 15},
      {"0F", 15},
      {"7FFFFFFF", INT_MAX},
      {"FFFFFFFF", -1},
      {"100000000", 0},  // low 32 bits only
      {"1FF", 511},
  };
  for (const Case& c : cases) EXPECT_EQ(HexToValue(c.text), c.expected) << '"' << c.text << '"';
}

TEST(AppSettingsHexTest, LongTextWrapsInsteadOfOverflowing) {
  EXPECT_EQ(HexToValue(std::string(10000, 'F')), -1);
  EXPECT_EQ(HexToValue(std::string(10000, 'F') + "00000000"), 0);
}

TEST(AppSettingsColorTest, SplitColorTakesBlueFromTheLastTwoCharacters) {
  struct Case {
    std::string text;
    ColorComponents expected;
  } cases[] = {
      {"00D800", {0, 216, 0}}, {"ff2626", {255, 38, 38}}, {"123456", {18, 52, 86}},
      {"12345", {18, 52, 69}}, {"FFF", {255, 15, 255}},   {"11223344", {17, 34, 68}},
      {"A", {10, 0, 10}},      {"AB", {171, 0, 171}},     {"", {0, 0, 0}},
      {"zzzzzz", {0, 0, 0}},
  };
  for (const Case& c : cases) {
    const ColorComponents got = SplitColor(c.text);
    EXPECT_EQ(got, c.expected) << '"' << c.text << "\" gave " << got.red << ',' << got.green << ','
                               << got.blue;
  }
}

TEST(AppSettingsColorTest, FormatColorPadsAndSplitColorReadsItBack) {
  struct Case {
    ColorComponents components;
    std::string expected;
  } cases[] = {
      {{0, 216, 0}, "00D800"}, {{255, 38, 38}, "FF2626"},   {{1, 2, 3}, "010203"},
      {{0, 0, 0}, "000000"},   {{171, 205, 239}, "ABCDEF"},
  };
  for (const Case& c : cases) {
    const std::string text = FormatColor(c.components.red, c.components.green, c.components.blue);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(SplitColor(text), c.components) << text;
  }
}

TEST(AppSettingsMaskTest, NormalizeDriveMask) {
  const std::string all(kAllDrivesMask);
  struct Case {
    std::string in;
    std::string out;
    int autoHideAfter;  // autoHideDisconnected starts as 1
  } cases[] = {
      {"", all, 1},
      {std::string(24, '1'), "00" + std::string(24, '1'), 0},   // no A and B: old format
      {std::string(24, '0'), "00100000000000000000000000", 0},  // becomes all-zero: keep C
      {std::string(30, '1'), all, 1},
      {"00000000000000000000000000", "00100000000000000000000000", 1},
      {"101", "101", 1},
      {std::string(25, '1'), std::string(25, '1'), 1},
      {std::string(23, '1'), std::string(23, '1'), 1},
      {"0010xx11111111111111111111", "0010xx11111111111111111111", 1},
      // Blanks at the end of a cut mask become "0" so that the mask survives a save and load.
      {"11" + std::string(24, ' ') + "1111", "11" + std::string(24, '0'), 1},
      {std::string(26, ' ') + "1", "00100000000000000000000000", 1},
  };
  for (const Case& c : cases) {
    AppSettings s;
    s.drives = c.in;
    s.autoHideDisconnected = 1;
    NormalizeDriveMask(s);
    EXPECT_EQ(s.drives, c.out) << '"' << c.in << '"';
    EXPECT_EQ(s.autoHideDisconnected, c.autoHideAfter) << '"' << c.in << '"';
  }
  EXPECT_FALSE(SlotInMask(all, 0) || SlotInMask(all, 27));  // slots are 1 to 26
}

TEST(AppSettingsMetricsTest, ComputeIconMetrics) {
  struct Case {
    int iconSize;
    int customIconSize;
    int pixels, marker, font;
  } cases[] = {
      {1, 50, 18, 4, 8},   {2, 50, 24, 6, 13},  {3, 50, 30, 8, 15},
      {4, 33, 33, 8, 16},  {4, 10, 10, 8, 5},   {4, 1024, 1024, 8, 512},
      {0, 50, 77, 77, 77}, {5, 50, 77, 77, 77}, {-1, 50, 77, 77, 77},  // kept
  };
  for (const Case& c : cases) {
    AppSettings s;
    s.iconSize = c.iconSize;
    s.customIconSize = c.customIconSize;
    s.iconPixels = s.markerSize = s.fontSize = 77;
    ComputeIconMetrics(s);
    EXPECT_EQ(s.iconPixels, c.pixels) << "size " << c.iconSize;
    EXPECT_EQ(s.markerSize, c.marker) << "size " << c.iconSize;
    EXPECT_EQ(s.fontSize, c.font) << "size " << c.iconSize;
  }
}

// The factory record; the icon metrics are not part of it.
AppSettings FactorySettings(int clickThrough, int metrics) {
  AppSettings s;
  s.winX = 400;
  s.winY = 10;
  s.exploreMouseButton = 3;
  s.showIconLines = 1;
  s.showSmallSquare = 1;
  s.drives = std::string(kAllDrivesMask);
  s.readColor = "00D800";
  s.writeColor = "FF2626";
  s.backColor = "000000";
  s.textColor = "FFFFFF";
  s.readGreen = 216;
  s.writeRed = 255, s.writeGreen = 38, s.writeBlue = 38;
  s.textRed = s.textGreen = s.textBlue = 255;
  s.iconSize = 1;
  s.customIconSize = 10;
  s.windowTransparency = 255;
  s.detectIntervalSeconds = 10;
  s.windowSnapAndLimiting = 1;
  s.clickThrough = clickThrough;
  s.iconPixels = s.markerSize = s.fontSize = metrics;
  return s;
}

TEST(AppSettingsDefaultsTest, ResetsEveryOptionButClickThroughAndMetrics) {
  AppSettings s;
  s.winX = -5, s.winY = 9999, s.locked = 1, s.autoHideDisconnected = 1;
  s.exploreMouseButton = 1, s.verticalMode = 1, s.drives = "0101";
  s.readColor = s.writeColor = s.backColor = s.textColor = "123456";
  s.readRed = s.writeBlue = s.backGreen = s.textRed = 7;
  s.iconSize = 4, s.customIconSize = 300, s.windowTransparency = 20;
  s.detectIntervalSeconds = 99, s.minimizeButton = 8, s.persistentWindow = 1;
  s.dualIconWindowMode = 1, s.windowSnapAndLimiting = 0, s.ignoreOnTopFirstRun = 1;
  s.turnOffDetectInterval = 1, s.alwaysShowTrayIcon = 1;
  s.clickThrough = 1;
  s.iconPixels = s.markerSize = s.fontSize = 41;
  ApplyDefaults(s);
  EXPECT_EQ(s, FactorySettings(1, 41));
}

}  // namespace
}  // namespace glint
