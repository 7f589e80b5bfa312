#include "app/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/menu.h"
#include "app/tray.h"
#include "core/product.h"
#include "settings/settings_file.h"
#include "support/fake_env.h"

namespace glint {
namespace {

constexpr char kModule[] = "C:\\Program Files\\Glintbox\\Glintbox.exe";
constexpr char kIni[] = "C:\\Program Files\\Glintbox\\Glintbox.ini";

// Index of the first journal line that starts with each prefix (-1 when there is none).
std::vector<int> FirstLines(const Journal& journal, const std::vector<std::string>& prefixes) {
  std::vector<int> out;
  for (const auto& prefix : prefixes) {
    int found = -1;
    for (std::size_t i = 0; i < journal.lines.size() && found < 0; ++i)
      if (journal.lines[i].rfind(prefix, 0) == 0) found = static_cast<int>(i);
    out.push_back(found);
  }
  return out;
}

// Runs start-up; true when it went through, false when the program ended (exit code 0).
bool Start(FakeEnv& env) {
  try {
    StartUp(env.app);
    return true;
  } catch (const FakeExit& e) {
    EXPECT_EQ(e.code, 0);
    return false;
  }
}

TEST(OsVersionCodeTest, EveryRowOfTheTable) {
  struct Case {
    OsVersionInfo info;
    int code;
  };
  const std::vector<Case> cases = {
      {{false, 2, 6, 1, true, 1}, 100},  // the query fails
      {{true, 1, 4, 0, false, 0}, 10},   // 95
      {{true, 1, 4, 10, false, 0}, 30},  // 98
      {{true, 1, 4, 90, false, 0}, 40},  // Me
      {{true, 1, 4, 50, false, 0}, 100}, {{true, 2, 3, 51, true, 1}, 5},
      {{true, 2, 4, 0, true, 1}, 20},    {{true, 2, 5, 0, true, 1}, 50},
      {{true, 2, 5, 1, true, 1}, 60},    {{true, 2, 5, 2, true, 1}, 60},  // XP x64
      {{true, 2, 5, 2, true, 3}, 65},                                     // Server 2003
      {{true, 2, 5, 2, false, 1}, 65},  // the extended query failed: not a workstation
      {{true, 2, 6, 0, true, 1}, 70},    {{true, 2, 6, 0, true, 2}, 75},
      {{true, 2, 6, 1, true, 1}, 80},    {{true, 2, 6, 1, true, 3}, 75},  // Server 2008 R2
      {{true, 2, 6, 2, true, 1}, 100},   {{true, 2, 10, 0, true, 1}, 100},
      {{true, 2, 5, 3, true, 1}, 100},   {{true, 0, 3, 1, false, 0}, 100},  // Win32s
      {{true, 3, 6, 1, true, 1}, 100},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OsVersionCode(c.info), c.code)
        << "platform " << c.info.platformId << " " << c.info.major << "." << c.info.minor
        << " product " << c.info.productType;
  }
}

TEST(ProgramFolderTest, FolderRule) {
  struct Case {
    const char* module;
    const char* current;
    const char* folder;
  };
  const std::vector<Case> cases = {
      {kModule, "C:\\cwd", "C:\\Program Files\\Glintbox\\"},
      {"\"C:\\Tools\\Glintbox.exe", "C:\\cwd", "C:\\Tools\\"},  // leading quote skipped
      {"C:/Tools/Glintbox.exe", "C:\\cwd", "C:/Tools/"},
      {"C:\\Users\\me\\AppData\\Local\\Temp\\x\\Glintbox.exe", "D:\\unpacked", "D:\\unpacked\\"},
      {"C:\\Temp\\Glintbox.exe", "D:\\work\\", "D:\\work\\"},
      {"C:\\TEMP\\Glintbox.exe", "D:\\work", "C:\\TEMP\\"},  // the test is case-sensitive
      {"C:\\temp\\Glintbox.exe", "D:\\work", "C:\\temp\\"},
      {"C:\\Temporary\\Glintbox.exe", "D:\\work", "C:\\Temporary\\"},
      {"", "D:\\work", "D:\\work\\"},  // no module path: the current directory
      {"Glintbox.exe", "D:\\work", "D:\\work\\"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProgramFolderFor(c.module, c.current), c.folder) << c.module;
}

TEST(ProgramFolderTest, LongPathsAreKeptWhole) {
  std::string folder = "C:\\";
  while (folder.size() < 400) folder += "a very long folder name\\";
  EXPECT_EQ(ProgramFolderFor(folder + "Glintbox.exe", "C:\\cwd"), folder);
}

TEST(ProgramFolderTest, CurrentDirectoryIsReadOnlyWhenNeeded) {
  FakeEnv env;
  ResolveProgramFolder(env.app);
  EXPECT_EQ(env.app.programFolder, "C:\\Program Files\\Glintbox\\");
  EXPECT_TRUE(env.journal.Matching("CurrentDirectory").empty());

  env.system.modulePath = "C:\\Temp\\Glintbox.exe";
  env.system.currentDirectory = "E:\\portable";
  ResolveProgramFolder(env.app);
  EXPECT_EQ(env.app.programFolder, "E:\\portable\\");
}

TEST(StartUpTest, StepsRunInOrderThenTheLoop) {
  FakeEnv env;
  // What the loop takes first: Exit, confirmed.
  env.toolkit.Post(Event::Menu(kMenuExit));
  env.toolkit.messageBoxAnswers = {mb::kIdYes};
  EXPECT_THROW(RunGlintbox(env.app), FakeExit);
  // The first calls of every step, in the order start-up must make them.
  const std::vector<std::string> expected = {
      "ToolkitInitialize",
      "CreateInstanceMutex Glintbox",
      "VersionInfo",
      "ModulePath",
      std::string("WriteFileFlushed ") + kIni + ".tmp",  // first run: the defaults are written
      std::string("ReadWholeFile ") + kIni,
      "CreatePopupWindow 0",
      "CreatePopupMenu 0",
      std::string("WriteFileFlushed ") + kIni + ".tmp",  // the loop's Exit saves
      "ExitProcess 0",
  };
  std::vector<std::string> seen;
  for (const auto& line : env.journal.lines) {
    for (const auto& want : expected)
      if (line == want && (seen.empty() || seen.back() != line)) seen.push_back(line);
  }
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(env.system.files.count(kIni), 1u);
  EXPECT_EQ(env.app.samplingEnabled, 1);
  EXPECT_EQ(env.app.vistaOrSeven, 1);              // the fake reports Windows 7
  ASSERT_EQ(env.toolkit.messageBoxes.size(), 1u);  // only the one of Exit
  EXPECT_EQ(env.toolkit.messageBoxes[0].text, "Do you want to exit?");
}

TEST(StartUpTest, SecondCopyIsRefused) {
  for (MutexResult result : {MutexResult::kAlreadyExists, MutexResult::kFailed}) {
    FakeEnv env;
    env.system.mutexResult = result;
    EXPECT_FALSE(Start(env));
    ASSERT_EQ(env.toolkit.messageBoxes.size(), 1u);
    EXPECT_EQ(env.toolkit.messageBoxes[0].caption, "INFO");
    EXPECT_EQ(env.toolkit.messageBoxes[0].text, "Glintbox is already running!");
    EXPECT_EQ(env.toolkit.messageBoxes[0].flags, mb::kOk);
    // Released before the box, and nothing of the running copy's is touched.
    EXPECT_EQ(env.journal.Matching("ReleaseInstanceMutex").size(), 1u);
    EXPECT_TRUE(env.journal.Matching("VersionInfo").empty());
    EXPECT_TRUE(env.journal.Matching("WriteFileFlushed").empty());
    EXPECT_TRUE(env.journal.Matching("CreatePopupWindow").empty());
    EXPECT_EQ(env.journal.lines.back(), "ExitProcess 0");
  }
}

TEST(StartUpTest, OldWindowsIsRefusedAndNewerRuns) {
  struct Case {
    OsVersionInfo info;
    bool runs;
    int vistaOrSeven;
  };
  const std::vector<Case> cases = {
      {{true, 2, 3, 51, true, 1}, false, 0},  {{true, 1, 4, 0, false, 0}, false, 0},
      {{true, 2, 4, 0, true, 1}, false, 0},   {{true, 1, 4, 10, false, 0}, false, 0},
      {{true, 1, 4, 90, false, 0}, false, 0}, {{true, 2, 5, 0, true, 1}, true, 0},
      {{true, 2, 5, 1, true, 1}, true, 0},    {{true, 2, 5, 2, true, 3}, true, 0},
      {{true, 2, 6, 0, true, 1}, true, 1},    {{true, 2, 6, 0, true, 3}, true, 0},
      {{true, 2, 6, 1, true, 1}, true, 1},    {{true, 2, 6, 1, true, 3}, true, 0},
      {{true, 2, 10, 0, true, 1}, true, 0},   {{false, 0, 0, 0, false, 0}, true, 0},
  };
  for (const auto& c : cases) {
    FakeEnv env;
    env.system.version = c.info;
    EXPECT_EQ(Start(env), c.runs) << OsVersionCode(c.info);
    if (c.runs) {
      EXPECT_TRUE(env.toolkit.messageBoxes.empty());
      EXPECT_EQ(env.app.vistaOrSeven, c.vistaOrSeven) << OsVersionCode(c.info);
    } else {
      ASSERT_EQ(env.toolkit.messageBoxes.size(), 1u);
      EXPECT_EQ(env.toolkit.messageBoxes[0].caption, "Information");
      EXPECT_EQ(env.toolkit.messageBoxes[0].text,
                "This Operating System is not suitable for Glintbox!\nCheck Readme_vx.xx.pdf "
                "for details");
      EXPECT_EQ(env.journal.Matching("CloseInstanceMutex").size(), 1u);
      EXPECT_TRUE(env.journal.Matching("ModulePath").empty());
    }
  }
}

TEST(StartUpTest, LedWindowAndControlsAreCreatedHidden) {
  FakeEnv env;
  ASSERT_TRUE(Start(env));
  const auto& tk = env.toolkit;
  ASSERT_TRUE(tk.WindowExists(kLedWindow));
  const auto& window = tk.windows.at(kLedWindow);
  EXPECT_EQ(window.title, "Glintbox");
  EXPECT_EQ(window.rect, (Rect{400, 10, 408, 18}));
  EXPECT_FALSE(window.visible);

  const int s = env.app.settings.iconPixels;
  ASSERT_EQ(s, 18);
  // The icons, the filler and the button; the icons' 104 images, the filler's and the tray's.
  EXPECT_EQ(tk.ControlsOf(kLedWindow).size(), 28u);
  EXPECT_EQ(tk.images.size(), 106u);
  for (int slot = 1; slot <= 26; ++slot) {
    ASSERT_TRUE(tk.controls.count(slot)) << slot;
    const auto& icon = tk.controls.at(slot);
    EXPECT_EQ(icon.kind, ControlKind::kImage);
    EXPECT_EQ(icon.image, slot);  // idle
    EXPECT_EQ(icon.rect, (Rect{(slot - 1) * s, -65535, slot * s, -65535 + s}));
    for (int state = 0; state < 4; ++state) {
      ASSERT_TRUE(tk.images.count(slot + 26 * state));
      EXPECT_EQ(tk.images.at(slot + 26 * state).width, s);
      EXPECT_EQ(tk.images.at(slot + 26 * state).height, s);
    }
  }
  const auto& filler = tk.controls.at(kFillerControl);
  EXPECT_EQ(filler.image, kFillerImage);
  EXPECT_FALSE(filler.visible);
  EXPECT_EQ(tk.images.at(kFillerImage).width, s);

  const auto& button = tk.controls.at(kMinimizeButtonControl);
  EXPECT_EQ(button.kind, ControlKind::kButton);
  EXPECT_EQ(button.text, "|");
  EXPECT_EQ(button.rect, (Rect{0, 0, 8, s}));
  EXPECT_EQ(button.font, kSmallButtonFont);
  EXPECT_EQ(button.tooltip, "Click to minimize to tray and disable activity");
  EXPECT_FALSE(button.visible);  // the default has no minimize button
  EXPECT_TRUE(tk.trays.empty());
  EXPECT_EQ(tk.images.at(kTrayImage).width, 32);
}

TEST(StartUpTest, MinimizeButtonFollowsOrientationAndSetting) {
  FakeEnv env;
  std::string ini =
      "[Settings]\r\nVertical Mode = Yes\r\nMinimize Button = Yes\r\n"
      "IconSize = 3\r\n";
  ini += "; " + std::string(200, '-') + "\r\n";  // long enough to be read as it is
  env.system.files[kIni] = ini;
  ASSERT_TRUE(Start(env));
  const auto& button = env.toolkit.controls.at(kMinimizeButtonControl);
  EXPECT_EQ(button.text, "--");
  EXPECT_EQ(button.rect, (Rect{0, 0, 30, 8}));
  EXPECT_TRUE(button.visible);
  EXPECT_EQ(env.system.files[kIni], ini);  // reading never rewrites
}

TEST(StartUpTest, TrayIconWhenAlwaysShown) {
  FakeEnv env;
  std::string ini = "[Settings]\r\nAlways Show TrayIcon = yes\r\n; " + std::string(200, '-');
  env.system.files[kIni] = ini;
  env.disk.drives['C'] = {};
  ASSERT_TRUE(Start(env));
  // Fonts (the render), the timers, the discovery pass (the tooltip's volume query), the tray.
  const std::vector<int> lines =
      FirstLines(env.journal, {"CreatePopupWindow 0", "CreatePopupMenu 0", "CreateNumberedFont 1",
                               "SetTimer 0 1", "VolumeInformation C:", "AddTrayIcon 0"});
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()) && lines.front() >= 0)
      << ::testing::PrintToString(lines);
  EXPECT_EQ(env.app.driveSetChanged, 1);  // the first main loop pass lays the window out
  ASSERT_EQ(env.toolkit.trays.count(kTrayIcon), 1u);
  EXPECT_EQ(env.toolkit.trays.at(kTrayIcon).tooltip, "Glintbox works fine");
  EXPECT_EQ(env.toolkit.trays.at(kTrayIcon).image, kTrayImage);
  EXPECT_TRUE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuAlwaysShowTrayIcon));
  EXPECT_FALSE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuLockPosition));
}

TEST(StartUpTest, AboutTextNamesTheVersionAndTheWebPage) {
  const std::string about = BuildAboutText();
  EXPECT_NE(about.find("Glintbox " + std::string(kVersionString)), std::string::npos);
  EXPECT_NE(about.find(MakerPageText()), std::string::npos);
}

TEST(PopupMenuTest, ItemsInOrderWithSeparators) {
  FakeEnv env;
  BuildPopupMenu(env.app);
  std::vector<std::string> lines;
  for (const auto& item : env.toolkit.menus.at(kPopupMenu))
    lines.push_back(item.separator ? "-" : std::to_string(item.item) + " " + item.text);
  const std::vector<std::string> expected = {
      "1 About Glintbox " + std::string(kVersionString),
      "2 View Glintbox Documentation",
      "-",
      "3 Configure Drives and Icons",
      "4 Configure Window Options",
      "-",
      "5 Set Window On Top (once)",
      "6 Disable Window On Top (once)",
      "7 Lock/Unlock Window Position",
      "8 Save Window Position",
      "9 Minimize To Tray and Disable Activity",
      "10 Always Show TrayIcon",
      "-",
      "11 Restore Glintbox defaults",
      "12 Exit",
      "-",
      "13 Uninstall Glintbox",
      "-",
      "14 Make a donation through PayPal",
  };
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace glint
