#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/product.h"
#include "settings/colors.h"
#include "support/fake_env.h"

namespace glint {
namespace {

const std::string kFolder = "C:\\Program Files\\Glintbox\\";
const std::string kPath = kFolder + "Glintbox.ini";
const std::string kTempPath = kPath + ".tmp";

const std::string kDefaultFile = "; Glintbox " + std::string(kVersionString) + "\r\n; " +
                                 MakerPageText() + "\r\n" +
                                 "; \r\n"
                                 "[Settings]\r\n"
                                 "WinX = 400\r\n"
                                 "WinY = 10\r\n"
                                 "Locked = No\r\n"
                                 "Auto Hide Disconnected = No\r\n"
                                 "Explore Drive With Mouse Button = 3\r\n"
                                 "Vertical Mode = No\r\n"
                                 "Show Icon Lines = Yes\r\n"
                                 "Show Small Square On Icon = Yes\r\n"
                                 "Drives = 11111111111111111111111111\r\n"
                                 "ReadColor = 00D800\r\n"
                                 "WriteColor = FF2626\r\n"
                                 "BackColor = 000000\r\n"
                                 "TextColor = FFFFFF\r\n"
                                 "IconSize = 1\r\n"
                                 "Custom IconSize = 10\r\n"
                                 "Window Transperancy = 255\r\n"
                                 "Device Detect Interval (seconds) = 10\r\n"
                                 "Turn off Device Detect Interval = No\r\n"
                                 "Minimize Button = No\r\n"
                                 "Persistant Window = No\r\n"
                                 "Click-Through = No\r\n"
                                 "Dual Icon Window Mode = No\r\n"
                                 "Window Snap and Limiting = Yes\r\n"
                                 "Ignore On-Top upon First-Time Run = No\r\n"
                                 "Always Show TrayIcon = No\r\n";

// Long enough that LoadSettings reads it as it stands.
std::string LongFile(const std::string& body) {
  return "; " + std::string(250, '-') + "\r\n[Settings]\r\n" + body;
}

AppSettings Loaded(const std::string& body) {
  AppSettings s;
  ReadSettingsText("[Settings]\r\n" + body, s);
  return s;
}

// What every key gives when the file holds none of them.
AppSettings FallbackSettings() {
  AppSettings s;
  s.exploreMouseButton = 3;
  s.drives = std::string(kAllDrivesMask);
  s.readColor = "00D800", s.writeColor = "FF2626", s.backColor = "000000", s.textColor = "FFFFFF";
  s.readGreen = 216;
  s.writeRed = 255, s.writeGreen = 38, s.writeBlue = 38;
  s.textRed = s.textGreen = s.textBlue = 255;
  s.iconSize = 1, s.customIconSize = 10, s.windowTransparency = 255;
  s.detectIntervalSeconds = 10, s.windowSnapAndLimiting = 1;
  s.iconPixels = 18, s.markerSize = 4, s.fontSize = 8;
  return s;
}

AppSettings DefaultSettings() {
  AppSettings s = FallbackSettings();
  s.winX = 400, s.winY = 10, s.showIconLines = 1, s.showSmallSquare = 1;
  return s;
}

struct Env : FakeEnv {
  Env() { app.programFolder = kFolder; }
};

TEST(SettingsFileLoadTest, MissingKeysTakeTheFallbacksNotTheDefaults) {
  const char* texts[] = {
      "",
      "[Settings]\r\n",
      "[Other]\r\nWinX = 5\r\nShow Icon Lines = Yes\r\n",
      "WinX = 5\r\n[Settings]\r\n",
      // Old names of the interval key count for nothing.
      ("[Settings]\r\nHDD Detect Interval = 60\r\nHDD Detect Interval (seconds) = 60\r\n"
       "Device Detect Interval = 60\r\n"),
  };
  for (const char* text : texts) {
    AppSettings s;
    s.iconPixels = 99;
    ReadSettingsText(text, s);
    EXPECT_EQ(s, FallbackSettings()) << text;
  }
}

struct FieldCase {
  std::string body;
  int AppSettings::*field;
  int expected;
};

TEST(SettingsFileLoadTest, ValuesAreConvertedAndClamped) {
  const FieldCase cases[] = {
      {"WinX = -25", &AppSettings::winX, -25},
      {"WinX = 12px", &AppSettings::winX, 12},
      {"WinX = $10", &AppSettings::winX, 0},
      {"WinX = 4294967297", &AppSettings::winX, 1},
      {"WinY = +7", &AppSettings::winY, 7},
      {"Explore Drive With Mouse Button = 0", &AppSettings::exploreMouseButton, 3},
      {"Explore Drive With Mouse Button = 1", &AppSettings::exploreMouseButton, 1},
      {"Explore Drive With Mouse Button = 2", &AppSettings::exploreMouseButton, 3},
      {"Explore Drive With Mouse Button = 4", &AppSettings::exploreMouseButton, 3},
      {"Explore Drive With Mouse Button = -1", &AppSettings::exploreMouseButton, 3},
      {"Explore Drive With Mouse Button = middle", &AppSettings::exploreMouseButton, 3},
      {"IconSize = 5", &AppSettings::iconSize, 3},
      {"IconSize = 0", &AppSettings::iconSize, 1},
      {"IconSize = -3", &AppSettings::iconSize, 1},
      {"IconSize = 4", &AppSettings::iconSize, 4},
      {"IconSize = $2", &AppSettings::iconSize, 2},
      {"IconSize = big", &AppSettings::iconSize, 1},
      {"Custom IconSize = 33", &AppSettings::customIconSize, 33},
      {"Custom IconSize = 9", &AppSettings::customIconSize, 10},
      {"Custom IconSize = 1025", &AppSettings::customIconSize, 1024},
      {"Custom IconSize = %100000", &AppSettings::customIconSize, 32},
      {"Window Transperancy = 256", &AppSettings::windowTransparency, 255},
      {"Window Transperancy = 9", &AppSettings::windowTransparency, 10},
      {"Window Transperancy = $80", &AppSettings::windowTransparency, 128},
      {"Window Transperancy = -$FF", &AppSettings::windowTransparency, 10},
      {"Device Detect Interval (seconds) = 10000001", &AppSettings::detectIntervalSeconds, 10},
      {"Device Detect Interval (seconds) = 10000000", &AppSettings::detectIntervalSeconds,
       10000000},
      {"Device Detect Interval (seconds) = 9", &AppSettings::detectIntervalSeconds, 10},
      {"Device Detect Interval (seconds) = 60", &AppSettings::detectIntervalSeconds, 60},
      {"Device Detect Interval (seconds) = 99999999999999999999",
       &AppSettings::detectIntervalSeconds, 10},
      {"Minimize Button = Yes", &AppSettings::minimizeButton, 8},
      {"Minimize Button = 8", &AppSettings::minimizeButton, 0},
      {"locked = YES", &AppSettings::locked, 1},
      {"Locked = true", &AppSettings::locked, 0},
      {"Locked = yes  ", &AppSettings::locked, 1},
      {"Show Icon Lines = Yes", &AppSettings::showIconLines, 1},
      {"Show Small Square On Icon = Yes", &AppSettings::showSmallSquare, 1},
      {"Window Snap and Limiting =", &AppSettings::windowSnapAndLimiting, 0},
      {"Window Snap and Limiting = No", &AppSettings::windowSnapAndLimiting, 0},
      {"Click-Through = Yes", &AppSettings::clickThrough, 1},
      {"Always Show TrayIcon = Yes", &AppSettings::alwaysShowTrayIcon, 1},
      {"Turn off Device Detect Interval = Yes", &AppSettings::turnOffDetectInterval, 1},
      {"Ignore On-Top upon First-Time Run = Yes", &AppSettings::ignoreOnTopFirstRun, 1},
      {"Dual Icon Window Mode = Yes", &AppSettings::dualIconWindowMode, 1},
      {"Vertical Mode = Yes", &AppSettings::verticalMode, 1},
      {"WinX = 1\r\nWinX = 2", &AppSettings::winX, 1},
  };
  for (const FieldCase& c : cases) EXPECT_EQ(Loaded(c.body).*c.field, c.expected) << c.body;
}

TEST(SettingsFileLoadTest, LaterKeysOverrideEarlierOnes) {
  const FieldCase cases[] = {
      // A mask without A and B switches auto-hide off.
      {"Auto Hide Disconnected = Yes\r\nDrives = 111111111111111111111111",
       &AppSettings::autoHideDisconnected, 0},
      {"Auto Hide Disconnected = Yes\r\nDrives = 1111111111111111111111111",
       &AppSettings::autoHideDisconnected, 1},
      {"IconSize = 2\r\nCustom IconSize = 5", &AppSettings::iconSize, 4},
      {"IconSize = 2\r\nCustom IconSize = junk", &AppSettings::iconSize, 4},
      {"IconSize = 2\r\nCustom IconSize = 10", &AppSettings::iconSize, 2},
      {"IconSize = 2\r\nCustom IconSize = 5", &AppSettings::iconPixels, 10},
      {"Persistant Window = Yes\r\nWindow Snap and Limiting = Yes", &AppSettings::persistentWindow,
       0},
      {"Persistant Window = Yes", &AppSettings::persistentWindow, 0},  // snapping defaults on
      {"Persistant Window = Yes\r\nWindow Snap and Limiting = No", &AppSettings::persistentWindow,
       1},
  };
  for (const FieldCase& c : cases) EXPECT_EQ(Loaded(c.body).*c.field, c.expected) << c.body;
}

TEST(SettingsFileLoadTest, StringsAreTrimmedUpperCasedAndNormalised) {
  const AppSettings s = Loaded(
      "Drives = 111111111111111111111111   \r\nReadColor = d8a0ff \t\r\n"
      "WriteColor = abc\r\nBackColor =\r\nTextColor = 12345");
  EXPECT_EQ(s.drives, "00111111111111111111111111");
  EXPECT_EQ(s.readColor, "D8A0FF");
  EXPECT_EQ((ColorComponents{s.readRed, s.readGreen, s.readBlue}),
            (ColorComponents{216, 160, 255}));
  EXPECT_EQ(s.writeColor, "ABC");
  EXPECT_EQ((ColorComponents{s.writeRed, s.writeGreen, s.writeBlue}),
            (ColorComponents{171, 12, 188}));
  EXPECT_EQ(s.backColor, "000000");  // empty takes the factory colour
  EXPECT_EQ((ColorComponents{s.textRed, s.textGreen, s.textBlue}), (ColorComponents{18, 52, 69}));
}

TEST(SettingsFileLoadTest, AFileMarkedUtf8CountsCharactersNotBytes) {
  // "\xC3\xA9" is one character: 23 + 1 makes an old 24-character mask, which gains "00".
  const std::string bom = "\xEF\xBB\xBF";
  Env env;
  env.system.files[kPath] =
      bom + "[Settings]\r\nAuto Hide Disconnected = Yes\r\nDrives = " + std::string(23, '1') +
      "\xC3\xA9\r\n; " + std::string(200, '-');
  LoadSettings(env.app);
  EXPECT_EQ(env.app.settings.drives, "00" + std::string(23, '1') + "\xE9");
  EXPECT_EQ(env.app.settings.autoHideDisconnected, 0);

  // Without the mark the same bytes are the code page's: 25 characters, left as they are.
  Env plain;
  plain.system.files[kPath] = env.system.files[kPath].substr(3);
  LoadSettings(plain.app);
  EXPECT_EQ(plain.app.settings.drives, std::string(23, '1') + "\xC3\xA9");
  EXPECT_EQ(plain.app.settings.autoHideDisconnected, 1);
}

TEST(SettingsFileLoadTest, NoFileWritesTheDefaultFileByteForByte) {
  Env env;
  LoadSettings(env.app);
  EXPECT_EQ(env.system.files.at(kPath), kDefaultFile);
  EXPECT_EQ(env.system.files.count(kTempPath), 0u);
  EXPECT_EQ(env.app.settings, DefaultSettings());
}

TEST(SettingsFileLoadTest, FilesUnder200BytesAreReplacedByTheDefaults) {
  for (std::size_t size : {0, 150, 199}) {
    Env env;
    std::string text = "[Settings]\r\nWinX = 5\r\nLocked = Yes\r\n";
    text.resize(size, ' ');
    env.system.files[kPath] = text;
    LoadSettings(env.app);
    EXPECT_EQ(env.system.files.at(kPath), kDefaultFile) << size;
    EXPECT_EQ(env.app.settings, DefaultSettings()) << size;
  }
}

TEST(SettingsFileLoadTest, ReadingNeverRewritesALongEnoughFile) {
  Env env;
  std::string text = "[Settings]\r\nWinX = 5\r\nLocked = Yes\r\n";
  text.resize(200, ' ');
  env.system.files[kPath] = text;
  LoadSettings(env.app);
  EXPECT_EQ(env.system.files.at(kPath), text);
  EXPECT_EQ(env.system.writes, 0);
  EXPECT_EQ(env.app.settings.winX, 5);
  EXPECT_EQ(env.app.settings.locked, 1);
}

TEST(SettingsFileLoadTest, AFileWhoseSizeCannotBeToldIsReadNotReplaced) {
  // Access denied on its attributes, say: the file is there and may be short.
  Env env;
  const std::string text = "[Settings]\r\nWinX = 5\r\nLocked = Yes\r\n";
  env.system.files[kPath] = text;
  env.system.sizeUnknown.insert(kPath);
  LoadSettings(env.app);
  EXPECT_EQ(env.system.files.at(kPath), text);
  EXPECT_EQ(env.system.writes, 0);
  EXPECT_EQ(env.app.settings.winX, 5);
  EXPECT_EQ(env.app.settings.locked, 1);
}

TEST(SettingsFileLoadTest, UnreadableFileGivesTheFallbacks) {
  Env env;
  env.system.files[kPath] = kDefaultFile;
  env.system.unreadable.insert(kPath);
  env.system.sizeUnknown.insert(kPath);  // neither its size nor its text
  LoadSettings(env.app);
  EXPECT_EQ(env.app.settings, FallbackSettings());
  EXPECT_EQ(env.system.files.at(kPath), kDefaultFile);
  // Saving the fallbacks would lose the user's file; a later readable load saves again.
  SaveSettings(env.app);
  EXPECT_EQ(env.system.files.at(kPath), kDefaultFile);
  EXPECT_EQ(env.system.writes, 0);
  env.system.unreadable.clear();
  env.system.sizeUnknown.clear();
  LoadSettings(env.app);
  env.app.settings.locked = 1;
  SaveSettings(env.app);
  EXPECT_NE(env.system.files.at(kPath).find("Locked = Yes\r\n"), std::string::npos);
}

// With nowhere to write, the program runs on as it would have after writing the default file.
TEST(SettingsFileLoadTest, UnsavableDefaultsStayInMemory) {
  {
    Env env;
    env.system.readOnlyFolders.insert(kFolder);
    LoadSettings(env.app);
    EXPECT_EQ(env.app.settings, DefaultSettings());
    EXPECT_TRUE(env.system.files.empty());
  }
  {
    Env env;  // a folder where the file should be
    env.system.directories.insert(kPath);
    LoadSettings(env.app);
    EXPECT_EQ(env.app.settings, DefaultSettings());
    EXPECT_TRUE(env.system.files.empty());
  }
  {
    Env env;  // a short file that cannot be replaced is not read either
    env.system.files[kPath] = "[Settings]\r\nWinX = 5\r\n";
    env.system.failReplace = true;
    LoadSettings(env.app);
    EXPECT_EQ(env.app.settings, DefaultSettings());
    EXPECT_EQ(env.system.files.at(kPath), "[Settings]\r\nWinX = 5\r\n");
  }
}

TEST(SettingsFileSaveTest, GoesThroughATemporaryFileBesideTheTarget) {
  Env env;
  LoadSettings(env.app);
  env.journal.lines.clear();
  SaveSettings(env.app);
  EXPECT_EQ(env.journal.Matching("WriteFileFlushed"),
            std::vector<std::string>{"WriteFileFlushed " + kTempPath});
  EXPECT_EQ(env.journal.Matching("MoveFileOver"),
            std::vector<std::string>{"MoveFileOver " + kTempPath + " -> " + kPath});
  EXPECT_EQ(env.system.files.count(kTempPath), 0u);
}

TEST(SettingsFileSaveTest, FailingSaveKeepsTheOldFileAndRemovesTheTemporary) {
  // The move refused, the folder read-only, the file itself read-only (which a move would
  // replace under Wine).
  for (int failure = 0; failure < 3; ++failure) {
    Env env;
    const std::string old = LongFile("WinX = 5\r\n; keep me\r\n");
    env.system.files[kPath] = old;
    LoadSettings(env.app);
    env.app.settings.winX = 77;
    if (failure == 0) env.system.failReplace = true;
    if (failure == 1) env.system.readOnlyFolders.insert(kFolder);
    if (failure == 2) env.system.readOnlyFiles.insert(kPath);
    SaveSettings(env.app);
    EXPECT_EQ(env.system.files.at(kPath), old) << failure;
    EXPECT_EQ(env.system.files.count(kTempPath), 0u) << failure;
    EXPECT_EQ(env.journal.Contains("RemoveFile " + kTempPath), failure != 2) << failure;
    EXPECT_TRUE(env.toolkit.messageBoxes.empty()) << failure;
  }
}

TEST(SettingsFileSaveTest, WritesTheWindowsCurrentPositionNotTheRecord) {
  Env env;
  LoadSettings(env.app);
  env.toolkit.CreatePopupWindow(kLedWindow, "Glintbox", 400, 10, 8, 8);
  env.toolkit.SetWindowPos(kLedWindow, ZOrder::kNone, -300, 720, 0, 0, swp::kNoSize);
  Rect rect;
  ASSERT_TRUE(env.toolkit.WindowRect(kLedWindow, rect));
  SaveSettings(env.app);

  EXPECT_EQ(env.app.settings.winX, 400);
  EXPECT_EQ(env.app.settings.winY, 10);
  AppSettings saved;
  ReadSettingsText(env.system.files.at(kPath), saved);
  EXPECT_EQ(saved.winX, rect.left);
  EXPECT_EQ(saved.winY, rect.top);
  EXPECT_EQ(saved.winX, -300);
}

TEST(SettingsFileSaveTest, SaveThenLoadGivesTheSameRecord) {
  Env env;
  AppSettings& s = env.app.settings;
  s = DefaultSettings();
  s.winX = -1234, s.winY = 2147483647;
  s.locked = s.autoHideDisconnected = s.verticalMode = s.clickThrough = 1;
  s.showIconLines = s.showSmallSquare = 0;
  s.exploreMouseButton = 1;
  s.drives = "0010110";
  s.readColor = "abcdef", s.writeColor = "F", s.backColor = "1234567", s.textColor = "g8z8G8";
  s.iconSize = 4, s.customIconSize = 1024, s.windowTransparency = 10;
  s.detectIntervalSeconds = 10000000, s.minimizeButton = 8;
  s.windowSnapAndLimiting = 0, s.persistentWindow = 1, s.dualIconWindowMode = 1;
  s.ignoreOnTopFirstRun = s.turnOffDetectInterval = s.alwaysShowTrayIcon = 1;
  SaveSettings(env.app);

  Env again;
  again.system.files = env.system.files;
  LoadSettings(again.app);
  AppSettings expected = s;
  expected.readColor = "ABCDEF", expected.textColor = "G8Z8G8";
  expected.readRed = 171, expected.readGreen = 205, expected.readBlue = 239;
  expected.writeRed = 15, expected.writeGreen = 0, expected.writeBlue = 15;
  expected.backRed = 18, expected.backGreen = 52, expected.backBlue = 103;
  expected.textRed = 8, expected.textGreen = 8, expected.textBlue = 8;
  expected.iconPixels = 1024, expected.markerSize = 8, expected.fontSize = 512;
  EXPECT_EQ(again.app.settings, expected);
  EXPECT_EQ(again.system.files, env.system.files);
}

}  // namespace
}  // namespace glint
