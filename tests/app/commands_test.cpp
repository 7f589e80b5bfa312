#include "app/commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/startup.h"
#include "app/tray.h"
#include "core/product.h"
#include "ledwindow/render.h"
#include "settings/settings_file.h"
#include "support/fake_env.h"

namespace glint {
namespace {

constexpr char kFolder[] = "C:\\Program Files\\Glintbox\\";
constexpr char kIni[] = "C:\\Program Files\\Glintbox\\Glintbox.ini";

// The program started and its window laid out, as a user finds it.
struct Running : FakeEnv {
  Running() {
    disk.drives['C'] = {};
    StartUp(app);
    toolkit.Post(Event::Raw(msg::kPaint));
    MainLoopPass(app);
    journal.lines.clear();
  }
  // One pass of the main loop over the event; false when the program ended.
  bool Pass(const Event& event) {
    toolkit.Post(event);
    try {
      MainLoopPass(app);
      return true;
    } catch (const FakeExit&) {
      return false;
    }
  }
  bool Command(int item) { return Pass(Event::Menu(item)); }
  bool ScheduleRuns() const {
    return toolkit.HasTimer(kLedWindow, kSampleTimer) && app.samplingEnabled == 1;
  }
  // Timers and sampling as a box or window saw them while it was open.
  void WatchBoxes() {
    toolkit.onMessageBox = [this](FakeToolkit& tk) {
      timersDuringBox = tk.timers.size();
      samplingDuringBox = app.samplingEnabled;
    };
  }
  std::size_t timersDuringBox = 99;
  int samplingDuringBox = -1;
};

TEST(ConfirmationTest, NoChangesNothingAndResumes) {
  const struct {
    int item;
    const char* text;
    int samplingDuringBox;
  } cases[] = {
      {kMenuRestoreDefaults, "Do you want to restore Glintbox defaults?", 1},
      {kMenuExit, "Do you want to exit?", 1},
      {kMenuUninstall,
       "Do you want to uninstall Glintbox?\n\nProbably the first ever to appear from within the "
       "software :-)",
       0},
  };
  for (const auto& c : cases) {
    Running env;
    env.WatchBoxes();
    env.app.settings.verticalMode = 1;
    const std::string ini = env.system.files.at(kIni);
    env.toolkit.messageBoxAnswers = {mb::kIdNo};
    ASSERT_TRUE(env.Command(c.item)) << c.item;
    ASSERT_EQ(env.toolkit.messageBoxes.size(), 1u) << c.item;
    EXPECT_EQ(env.toolkit.messageBoxes[0].caption, "Glintbox");
    EXPECT_EQ(env.toolkit.messageBoxes[0].text, c.text);
    EXPECT_EQ(env.toolkit.messageBoxes[0].flags, mb::kYesNo | mb::kIconQuestion);
    EXPECT_EQ(env.timersDuringBox, 0u) << c.item;
    EXPECT_EQ(env.samplingDuringBox, c.samplingDuringBox) << c.item;
    EXPECT_TRUE(env.ScheduleRuns()) << c.item;
    EXPECT_EQ(env.app.settings.verticalMode, 1) << c.item;
    EXPECT_EQ(env.system.files.at(kIni), ini) << c.item;
    EXPECT_TRUE(env.toolkit.WindowExists(kLedWindow)) << c.item;
  }
}

TEST(ConfirmationTest, RestoreDefaultsKeepsThePlaceAndDropsTheTrayIcon) {
  Running env;
  AppSettings& s = env.app.settings;
  s.verticalMode = 1, s.locked = 1, s.clickThrough = 1, s.persistentWindow = 1;
  env.Command(kMenuAlwaysShowTrayIcon);
  env.app.driveTypeList[3] = "D:\\|CD-ROM Drive|3";
  env.app.floppyCount = 2;
  s.windowSnapAndLimiting = 0;  // the defaults switch the limiter on again
  s.backRed = 9;
  RenderDriveIcons(env.app);  // the icons show a colour the defaults take back
  env.toolkit.SetWindowPos(kLedWindow, ZOrder::kNone, 1000, 500, 0, 0, swp::kNoSize);
  env.toolkit.SetMenuItemChecked(kPopupMenu, kMenuLockPosition, true);  // as laid out locked
  env.toolkit.messageBoxAnswers = {mb::kIdYes};
  ASSERT_TRUE(env.Command(kMenuRestoreDefaults));

  EXPECT_EQ(s.verticalMode, 0);
  EXPECT_EQ(s.locked, 0);
  EXPECT_EQ(s.clickThrough, 1);             // not a default
  EXPECT_EQ(env.app.driveTypeList[3], "");  // the drives found so far are forgotten
  EXPECT_EQ(env.app.floppyCount, 0);
  EXPECT_EQ(env.toolkit.Image(IconImageNumber(3, 0)).Pixel(0, 17), MakeColor(0, 0, 0));
  // Not moved to 400,10, only pulled inside the work area; the file keeps where the window is.
  const FakeToolkit::Window& window = env.toolkit.windows.at(kLedWindow);
  EXPECT_EQ(window.rect, (Rect{813, 500, 1280, 518}));
  EXPECT_NE(env.system.files.at(kIni).find("WinX = 813\r\nWinY = 500\r\nLocked = No\r\n"),
            std::string::npos);
  EXPECT_NE(env.system.files.at(kIni).find("Always Show TrayIcon = No"), std::string::npos);
  EXPECT_TRUE(env.toolkit.trays.empty());
  EXPECT_FALSE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuAlwaysShowTrayIcon));
  EXPECT_FALSE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuLockPosition));  // laid out anew
  EXPECT_TRUE(env.ScheduleRuns());
  EXPECT_FALSE(env.toolkit.HasTimer(kLedWindow, kTopmostTimer));  // from the new settings
}

TEST(ConfirmationTest, UninstallDeletesTheSettingsStartsTheUninstallerAndEnds) {
  for (bool starts : {true, false}) {
    Running env;
    env.system.processStarts = starts;
    env.system.shellOpens = starts;
    env.toolkit.messageBoxAnswers = {mb::kIdYes};
    ASSERT_FALSE(env.Command(kMenuUninstall)) << "the program should have ended";

    std::vector<std::string> steps;
    for (const auto& line : env.journal.lines) {
      if (line.rfind("KillTimer", 0) == 0 || line.rfind("MessageBox", 0) == 0) continue;
      steps.push_back(line);
    }
    const std::string uninstaller = std::string(kFolder) + "unins000.exe";
    std::vector<std::string> expected = {
        "DestroyWindow 0",
        "RemoveFile " + std::string(kIni),
        "Sleep 300",
        "StartProcess \"" + uninstaller + "\"  /NORESTART /SILENT",
    };
    if (!starts) expected.push_back("ShellOpen " + uninstaller);
    expected.insert(expected.end(), {"CloseInstanceMutex", "ReleaseAll", "ExitProcess 0"});
    EXPECT_EQ(steps, expected) << starts;
    EXPECT_EQ(env.system.files.count(kIni), 0u);  // and nothing saved it again
    if (starts) EXPECT_EQ(env.system.launches.at(0).folder, kFolder);
  }
}

TEST(MenuCommandTest, LockFollowsTheCheckMarkAndIsSaved) {
  const struct {
    bool ticked;
    int lockedBefore;
    int lockedAfter;
    const char* line;
  } cases[] = {
      {false, 0, 1, "Locked = Yes"},
      {true, 1, 0, "Locked = No"},
      {false, 1, 1, "Locked = Yes"},  // the mark decides, not the setting
  };
  for (const auto& c : cases) {
    Running env;
    env.toolkit.SetMenuItemChecked(kPopupMenu, kMenuLockPosition, c.ticked);
    env.app.settings.locked = c.lockedBefore;
    env.Command(kMenuLockPosition);
    EXPECT_EQ(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuLockPosition), !c.ticked);
    EXPECT_EQ(env.app.settings.locked, c.lockedAfter);
    EXPECT_NE(env.system.files.at(kIni).find(c.line), std::string::npos) << c.line;
  }
}

TEST(MenuCommandTest, TrayIconOptionAddsAndRemovesTheIcon) {
  Running env;
  env.Command(kMenuAlwaysShowTrayIcon);
  ASSERT_EQ(env.toolkit.trays.count(kTrayIcon), 1u);
  EXPECT_EQ(env.toolkit.trays.at(kTrayIcon).tooltip, "Glintbox works fine");
  EXPECT_EQ(env.toolkit.trays.at(kTrayIcon).callbackMessage, 12501u);
  EXPECT_TRUE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuAlwaysShowTrayIcon));
  EXPECT_NE(env.system.files.at(kIni).find("Always Show TrayIcon = Yes"), std::string::npos);

  env.Command(kMenuAlwaysShowTrayIcon);
  EXPECT_TRUE(env.toolkit.trays.empty());
  EXPECT_FALSE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuAlwaysShowTrayIcon));
  EXPECT_EQ(env.app.settings.alwaysShowTrayIcon, 0);
  EXPECT_NE(env.system.files.at(kIni).find("Always Show TrayIcon = No"), std::string::npos);
}

TEST(MenuCommandTest, WindowCommandsAndLaunches) {
  Running env;
  env.WatchBoxes();
  env.Command(kMenuAbout);
  ASSERT_EQ(env.toolkit.messageBoxes.size(), 1u);
  EXPECT_EQ(env.toolkit.messageBoxes[0].caption, "About Glintbox " + std::string(kVersionString));
  EXPECT_EQ(env.toolkit.messageBoxes[0].text, BuildAboutText());  // made at start-up
  EXPECT_EQ(env.toolkit.messageBoxes[0].flags, mb::kOk);
  EXPECT_EQ(env.timersDuringBox, 0u);
  EXPECT_TRUE(env.ScheduleRuns());

  // Configuration windows: sampling off and the schedule stopped around them.
  for (int item : {kMenuConfigureDrives, kMenuConfigureWindow}) {
    env.journal.lines.clear();
    env.toolkit.Post(Event::Menu(item));
    int samplingInside = -1;
    std::size_t timersInside = 99;
    env.toolkit.Post(Event::Raw(msg::kPaint), [&] {
      samplingInside = env.app.samplingEnabled;
      timersInside = env.toolkit.timers.size();
    });
    env.toolkit.PostClick(item == kMenuConfigureDrives ? drives_and_icons::kSaveButton
                                                       : window_options::kSaveButton);
    MainLoopPass(env.app);
    EXPECT_EQ(samplingInside, 0) << item;
    EXPECT_EQ(timersInside, 0u) << item;
    EXPECT_TRUE(env.ScheduleRuns()) << item;
    // A window that cannot be made (out of handles), or is made without its Save button, is
    // left at once, saving nothing; a wait for its events would find none.
    for (bool saveButtonFails : {false, true}) {
      if (saveButtonFails)
        env.toolkit.failControls = {drives_and_icons::kSaveButton, window_options::kSaveButton};
      else
        env.toolkit.failWindows = {kDrivesAndIconsWindow, kWindowOptionsWindow};
      const std::string ini = env.system.files.at(kIni);
      env.app.settings.verticalMode = 1;
      env.Command(item);
      EXPECT_EQ(env.system.files.at(kIni), ini) << item;
      EXPECT_TRUE(env.ScheduleRuns()) << item;
      EXPECT_FALSE(env.toolkit.WindowExists(kDrivesAndIconsWindow) ||
                   env.toolkit.WindowExists(kWindowOptionsWindow))
          << item;
      env.toolkit.failWindows.clear();
      env.toolkit.failControls.clear();
      env.app.settings.verticalMode = 0;
    }
  }

  env.journal.lines.clear();
  env.Command(kMenuNotOnTopOnce);
  env.Command(kMenuOnTopOnce);
  EXPECT_EQ(env.journal.Matching("SetWindowPos"),
            (std::vector<std::string>{"SetWindowPos 0 notopmost 0 0 0 0 3",
                                      "SetWindowPos 0 topmost 0 0 0 0 3"}));

  env.toolkit.SetWindowPos(kLedWindow, ZOrder::kNone, 12, 34, 0, 0, swp::kNoSize);
  env.system.files.erase(kIni);
  env.Command(kMenuSavePosition);
  EXPECT_NE(env.system.files.at(kIni).find("WinX = 12\r\nWinY = 34\r\nLocked = No"),
            std::string::npos);

  env.system.files[std::string(kFolder) + ManualFileName()] = "%PDF";
  env.Command(kMenuDocumentation);
  env.Command(kMenuDonation);  // the build's page, the manual where it sets none
  OpenMakerPage(env.app, "https://glintbox.example.org/");
  const std::string manual = std::string(kFolder) + "ReadMe_v" GLINTBOX_VERSION ".pdf";
  ASSERT_EQ(env.system.launches.size(), 3u);
  EXPECT_EQ(env.system.launches[0].how + " " + env.system.launches[0].commandOrFile,
            "shell as .pdf " + manual);
  EXPECT_EQ(env.system.launches[1].commandOrFile,
            kMakerWebPage.empty() ? manual : std::string(kMakerWebPage));
  EXPECT_EQ(env.system.launches[2].commandOrFile, "https://glintbox.example.org/");
  EXPECT_TRUE(env.toolkit.messageBoxes.size() == 1u);
}

// Deactivated until a left double-click on the tray icon; everything else is dropped.
TEST(TrayTest, DeactivatedUntilALeftDoubleClick) {
  for (int always : {0, 1}) {
    for (bool byButton : {false, true}) {
      Running env;
      if (always == 1) env.Command(kMenuAlwaysShowTrayIcon);
      env.journal.lines.clear();
      env.toolkit.SetControlImage(3, IconImageNumber(3, 3));  // lit when deactivated
      const std::vector<Event> ignored = {Event::Tray(kTrayLeftPress),
                                          Event::Tray(kTrayRightPress),
                                          Event::Tray(kTrayRightDoubleClick),
                                          Event::Menu(kMenuExit),
                                          Event::Control(3),
                                          Event::Raw(msg::kRButtonDown)};
      std::string tooltipWhileWaiting;
      bool visibleWhileWaiting = true;
      int samplingWhileWaiting = -1;
      std::size_t timersWhileWaiting = 99;
      const Event trigger =
          byButton ? Event::Control(kMinimizeButtonControl) : Event::Menu(kMenuMinimizeToTray);
      env.toolkit.Post(trigger);
      env.toolkit.Post(ignored[0], [&] {
        visibleWhileWaiting = env.toolkit.IsWindowVisible(kLedWindow);
        tooltipWhileWaiting = env.toolkit.trays.at(kTrayIcon).tooltip;
        samplingWhileWaiting = env.app.samplingEnabled;
        timersWhileWaiting = env.toolkit.timers.size();
      });
      for (std::size_t i = 1; i < ignored.size(); ++i) env.toolkit.Post(ignored[i]);
      env.toolkit.Post(Event::Tray(kTrayLeftDoubleClick));
      MainLoopPass(env.app);

      const std::string what = std::to_string(always) + (byButton ? " button" : " menu");
      EXPECT_FALSE(visibleWhileWaiting) << what;
      EXPECT_EQ(tooltipWhileWaiting, "Glintbox deactivated - Double click to activate") << what;
      EXPECT_EQ(samplingWhileWaiting, 0) << what;
      EXPECT_EQ(timersWhileWaiting, 0u) << what;
      EXPECT_EQ(env.journal.Matching("Sleep 1").size(), ignored.size() + 1) << what;
      EXPECT_EQ(env.toolkit.menusTracked, 0) << what;
      EXPECT_TRUE(env.toolkit.messageBoxes.empty()) << what;

      EXPECT_TRUE(env.toolkit.IsWindowVisible(kLedWindow)) << what;
      EXPECT_EQ(env.toolkit.controls.at(3).image, 3) << what;  // rebuilt: idle
      EXPECT_TRUE(env.ScheduleRuns()) << what;
      if (always == 1) {
        EXPECT_EQ(env.toolkit.trays.at(kTrayIcon).tooltip, "Glintbox works fine") << what;
        // Kept, not made anew: Windows would move a new icon to the end of the tray.
        EXPECT_TRUE(env.journal.Matching("AddTrayIcon").empty()) << what;
        EXPECT_TRUE(env.journal.Matching("RemoveTrayIcon").empty()) << what;
      } else {
        EXPECT_TRUE(env.toolkit.trays.empty()) << what;
      }
    }
  }
}

TEST(TrayTest, WithoutATrayIconTheWindowStaysActive) {
  Running env;
  env.toolkit.shellRefusesTrayIcons = true;
  ASSERT_TRUE(env.Command(kMenuMinimizeToTray));
  EXPECT_TRUE(env.toolkit.IsWindowVisible(kLedWindow));
  EXPECT_TRUE(env.toolkit.trays.empty());  // none to turn up later, deactivated
  EXPECT_TRUE(env.ScheduleRuns());
  EXPECT_TRUE(env.toolkit.messages.empty());
}

TEST(TrayTest, ClicksOnTheIconOpenTheMenu) {
  Running env;
  env.Command(kMenuAlwaysShowTrayIcon);
  env.system.cursor = {640, 1000};
  for (int click : {kTrayLeftPress, kTrayRightPress, kTrayLeftDoubleClick, kTrayRightDoubleClick})
    env.Pass(Event::Tray(click));
  EXPECT_EQ(env.journal.Matching("TrackPopupMenu"),
            std::vector<std::string>(4, "TrackPopupMenu 0 0 639 999"));
}

TEST(ExploreTest, TheClickedIconsDriveWhenSelectedAndTheButtonIsTheChosenOne) {
  const struct {
    int setting;
    bool middle;
    int control;  // where the click landed: an icon, the background (0), the button
    const char* drives;
    bool explores;
    const char* windows = "C:\\WINDOWS\\";  // the Windows folder
    // The synthetic press arrives as a double click (another click on the icon just before);
    // with click-through on and the position locked, the click is also passed beneath.
    bool pressIsDoubleClick = false;
  } cases[] = {
      {1, false, 1, "10000000000000000000000000", true},       // the first icon
      {1, false, 3, "00100000000000000000000000", false, ""},  // no folder, no bare name
      {3, false, 3, "00100000000000000000000000", false},      // not the chosen gesture
      {1, false, 3, "00010000000000000000000000", false},      // C not selected
      {1, false, 0, "00100000000000000000000000", false},      // the background
      {3, true, 26, "00000000000000000000000001", true},       // the last icon
      {1, true, 3, "00100000000000000000000000", false},
      {3, true, 3, "01000000000000000000000000", false},
      {3, true, 0, "00100000000000000000000000", false},
      {3, true, kMinimizeButtonControl, "00100000000000000000000000", false},
      {3, true, 1, "10000000000000000000000000", true, "C:\\WINDOWS\\", true},
      {3, true, kFillerControl, "00100000000000000000000000", false, "C:\\WINDOWS\\", true},
      {3, true, 0, "00100000000000000000000000", false, "C:\\WINDOWS\\", true},
  };
  for (const auto& c : cases) {
    Running env;
    env.app.settings.exploreMouseButton = c.setting;
    env.app.settings.drives = c.drives;
    env.system.windowsFolder = c.windows;
    env.app.lastControlNumber = 3;  // a stale number must not decide
    if (c.middle) {
      env.app.settings.clickThrough = env.app.settings.locked = c.pressIsDoubleClick ? 1 : 0;
      env.toolkit.Post(Event::Raw(msg::kMButtonUp, c.control));
      // What the synthetic press causes: an icon's click, or a raw press elsewhere; as a double
      // click, the image controls' (icons and filler) event follows the raw message. Then its
      // release.
      if (c.pressIsDoubleClick && c.control >= 1 && c.control <= kFillerControl) {
        env.toolkit.PostIconDoubleClick(c.control);
      } else if (c.pressIsDoubleClick) {
        env.toolkit.Post(Event::Raw(msg::kLButtonDblClk, c.control));
      } else if (c.control >= 1 && c.control <= 26) {
        env.toolkit.Post(Event::Control(c.control));
      } else {
        env.toolkit.Post(Event::Raw(msg::kLButtonDown, c.control));
      }
      env.toolkit.Post(Event::Raw(msg::kLButtonUp, c.control));
      MainLoopPass(env.app);
      MainLoopPass(env.app);
      std::vector<std::string> click;
      for (const auto& line : env.journal.lines)
        if (line.rfind("SendMouse", 0) == 0 || line.rfind("SleepPrecise", 0) == 0)
          click.push_back(line);
      click.resize(4);
      EXPECT_EQ(click, (std::vector<std::string>{"SendMouse LeftDown", "SleepPrecise 15",
                                                 "SendMouse LeftUp", "SleepPrecise 15"}));
      // Then the replay's press and release, where the click passes beneath.
      EXPECT_EQ(env.journal.Matching("SendMouse").size(), c.pressIsDoubleClick ? 4u : 2u);
      EXPECT_TRUE(env.journal.Matching("MoveWindowWithMouse").empty());  // consumed: no drag
      EXPECT_EQ(env.app.lastControlNumber,
                c.control >= 1 && c.control <= kFillerControl ? c.control : 3);
    } else {
      env.toolkit.Post(Event::Raw(msg::kLButtonDblClk, c.control));
      MainLoopPass(env.app);
    }
    const std::string what = std::to_string(c.setting) + (c.middle ? " middle " : " double ") +
                             std::to_string(c.control) + " " + c.drives;
    if (c.explores) {
      ASSERT_EQ(env.system.launches.size(), 1u) << what;
      const std::string root = std::string(1, DriveLetter(c.control)) + ":\\";
      EXPECT_EQ(env.system.launches[0].commandOrFile, "\"C:\\WINDOWS\\explorer.exe\" " + root)
          << what;
    } else {
      EXPECT_TRUE(env.system.launches.empty()) << what;
    }
  }
}

}  // namespace
}  // namespace glint
