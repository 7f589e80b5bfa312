#include "app/main_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/loop_action.h"
#include "app/menu.h"
#include "app/startup.h"
#include "app/timers.h"
#include "app/tray.h"
#include "settings/settings_file.h"
#include "support/fake_env.h"

namespace glint {
namespace {

TEST(MainLoopTest, DispatchTable) {
  struct Case {
    Event event;
    int clickThrough, persistent, locked;
    LoopAction action;
  };
  const std::vector<Case> cases = {
      {Event::Raw(msg::kLButtonUp), 0, 0, 0, LoopAction::kNothing},
      {Event::Raw(msg::kLButtonUp), 1, 0, 0, LoopAction::kReplayClick},
      {Event::Raw(msg::kLButtonUp), 1, 0, 1, LoopAction::kReplayClick},
      {Event::Tray(kTrayLeftPress), 0, 0, 0, LoopAction::kShowMenu},
      {Event::Tray(kTrayRightPress), 0, 1, 0, LoopAction::kShowMenu},  // timers keep running
      {Event::Tray(kTrayLeftDoubleClick), 0, 0, 1, LoopAction::kShowMenu},
      {Event::Tray(kTrayRightDoubleClick), 0, 0, 0, LoopAction::kShowMenu},
      {Event::Raw(msg::kLButtonDblClk), 0, 0, 1, LoopAction::kExploreByDoubleClick},
      {Event::Raw(msg::kMButtonUp), 0, 0, 0, LoopAction::kExploreByMiddleClick},
      {Event::Raw(msg::kRButtonDown), 0, 0, 0, LoopAction::kShowMenu},
      {Event::Raw(msg::kRButtonDown), 0, 1, 0, LoopAction::kShowMenuTimersOff},
      {Event::Control(kMinimizeButtonControl), 0, 0, 0, LoopAction::kDeactivate},
      {Event::Control(kMinimizeButtonControl), 0, 0, 1, LoopAction::kDeactivate},
      {Event::Control(1), 0, 0, 0, LoopAction::kMoveWindow},
      {Event::Control(27), 0, 0, 0, LoopAction::kMoveWindow},
      {Event::Control(3), 0, 0, 1, LoopAction::kNothing},  // locked
      // A right click comes with the left button up; a double click's second press is down.
      {Event::Control(3, kControlRightClick), 0, 0, 0, LoopAction::kNothing},
      {Event::Control(3, kControlScrolled), 0, 0, 0, LoopAction::kNothing},  // no press at all
      {Event::Control(3, kControlDoubleClick), 1, 0, 0, LoopAction::kMoveWindow},
      {Event::Control(3, kControlDoubleClick), 1, 0, 1, LoopAction::kNothing},
      {Event::Control(0), 0, 0, 0, LoopAction::kNothing},
      {Event::Menu(12), 0, 0, 0, LoopAction::kMenuCommand},
      {Event::Raw(msg::kTimer), 1, 1, 0, LoopAction::kNothing},
      {Event::Raw(msg::kRButtonUp), 0, 0, 0, LoopAction::kNothing},
      {Event::Raw(msg::kMButtonDown), 0, 0, 0, LoopAction::kNothing},
      {Event::Raw(msg::kLButtonDown), 1, 0, 0, LoopAction::kNothing},
      {Event::Close(kLedWindow), 0, 0, 0, LoopAction::kNothing},  // Alt+F4 closes nothing
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    AppSettings settings;
    settings.clickThrough = cases[i].clickThrough;
    settings.persistentWindow = cases[i].persistent;
    settings.locked = cases[i].locked;
    EXPECT_EQ(ChooseLoopAction(settings, cases[i].event), cases[i].action) << "case " << i;
  }
}

TEST(MainLoopTest, LastControlNumberFollowsControlMenuAndTrayEvents) {
  FakeEnv env;
  auto& tk = env.toolkit;
  env.app.settings.locked = 1;  // no window moves
  struct Step {
    Event event;
    int last;
  };
  const std::vector<Step> steps = {
      {Event::Control(7), 7},
      {Event::Raw(msg::kTimer), 7},
      {Event::Raw(msg::kLButtonDblClk), 7},
      {Event::Menu(5), 5},
      {Event::Menu(0), 0},  // no item: another program's stray command runs nothing
      {Event::Tray(kTrayLeftPress), 0},
      {Event::Close(kWindowOptionsWindow), 0},
      {Event::Raw(msg::kMButtonUp), 0},
  };
  for (const auto& step : steps) {
    tk.Post(step.event);
    MainLoopPass(env.app);
    EXPECT_EQ(env.app.lastControlNumber, step.last);
  }
}

TEST(MainLoopTest, SlotRootsFollowThePresenceMaskAndAreNeverCleared) {
  FakeEnv env;
  env.app.presenceMask = "00100000000000000000000001";  // C and Z
  env.toolkit.Post(Event::Raw(msg::kTimer));
  MainLoopPass(env.app);
  EXPECT_EQ(env.app.slotRootPaths[3], "C:\\");
  EXPECT_EQ(env.app.slotRootPaths[26], "Z:\\");
  EXPECT_EQ(env.app.slotRootPaths[4], "");

  env.app.presenceMask = "00010000000000000000000000";  // C and Z gone, D arrived
  env.toolkit.Post(Event::Raw(msg::kTimer));
  MainLoopPass(env.app);
  EXPECT_EQ(env.app.slotRootPaths[3], "C:\\");
  EXPECT_EQ(env.app.slotRootPaths[4], "D:\\");
  EXPECT_EQ(env.app.slotRootPaths[26], "Z:\\");

  env.app.presenceMask = "1";  // a short mask touches only what it covers
  RefreshSlotRootPaths(env.app);
  EXPECT_EQ(env.app.slotRootPaths[1], "A:\\");
  EXPECT_EQ(env.app.slotRootPaths[0], "");
}

TEST(MainLoopTest, ChangedDriveSetIsRebuiltAfterTheAction) {
  FakeEnv env;
  StartUp(env.app);  // its discovery pass flags the first drive set
  ASSERT_EQ(env.app.driveSetChanged, 1);
  ASSERT_FALSE(env.toolkit.IsWindowVisible(kLedWindow));
  env.toolkit.Post(Event::Raw(msg::kPaint));
  MainLoopPass(env.app);
  EXPECT_EQ(env.app.driveSetChanged, 0);
  EXPECT_TRUE(env.toolkit.IsWindowVisible(kLedWindow));  // the rebuild shows the window

  env.toolkit.ShowWindow(kLedWindow, ShowMode::kHide);
  env.toolkit.Post(Event::Raw(msg::kPaint));
  MainLoopPass(env.app);  // nothing changed: no rebuild
  EXPECT_FALSE(env.toolkit.IsWindowVisible(kLedWindow));
}

TEST(MainLoopTest, CommandsThatGoBackToTheWaitLeaveThePendingRebuild) {
  for (int item : {kMenuRestoreDefaults, kMenuExit, kMenuUninstall, kMenuMinimizeToTray}) {
    FakeEnv env;
    env.toolkit.CreatePopupWindow(kLedWindow, "Glintbox", 400, 10, 8, 8);
    env.toolkit.messageBoxAnswers = {mb::kIdNo, mb::kIdNo};
    env.app.driveSetChanged = 1;
    env.toolkit.Post(Event::Menu(item));
    MainLoopPass(env.app);
    EXPECT_EQ(env.app.driveSetChanged, 1) << item;
    env.toolkit.Post(Event::Raw(msg::kTimer));
    MainLoopPass(env.app);
    EXPECT_EQ(env.app.driveSetChanged, 0) << item;
  }
}

TEST(MainLoopTest, RightPressOpensTheMenuAtThePointer) {
  for (int persistent : {0, 1}) {
    FakeEnv env;
    env.toolkit.CreatePopupWindow(kLedWindow, "Glintbox", 400, 10, 8, 8);
    env.app.settings.persistentWindow = persistent;
    StartTimers(env.app);
    env.journal.lines.clear();
    env.system.cursor = {300, 200};
    env.toolkit.PostIconRightClick(5);
    for (int i = 0; i < 3; ++i) MainLoopPass(env.app);
    // The press opens the menu; the release and the queued right click open nothing more. With
    // the persistent on-top timer the schedule is stopped around the menu.
    std::vector<std::string> expected = {"SetForegroundWindow 0", "TrackPopupMenu 0 0 299 199"};
    if (persistent == 1) {
      expected.insert(expected.begin(), {"KillTimer 0 1", "KillTimer 0 2", "KillTimer 0 3"});
      expected.insert(expected.end(),
                      {"SetTimer 0 1 50", "SetTimer 0 2 10000", "SetTimer 0 3 500"});
    }
    std::vector<std::string> seen;
    for (const auto& line : env.journal.lines)
      if (line.rfind("SetTimer", 0) == 0 || line.rfind("KillTimer", 0) == 0 ||
          line.rfind("SetForegroundWindow", 0) == 0 || line.rfind("TrackPopupMenu", 0) == 0)
        seen.push_back(line);
    EXPECT_EQ(seen, expected) << persistent;
  }
}

TEST(ExitCommandTest, YesSavesAndEndsNoCarriesOn) {
  FakeEnv env;
  StartUp(env.app);
  const std::string ini = SettingsPath(env.app);
  env.system.files.erase(ini);

  env.app.samplingEnabled = 0;
  env.journal.lines.clear();
  env.toolkit.messageBoxAnswers = {mb::kIdNo};
  env.toolkit.Post(Event::Menu(kMenuExit));
  MainLoopPass(env.app);
  EXPECT_EQ(env.toolkit.messageBoxes.back().text, "Do you want to exit?");
  // "No": the schedule is back and sampling on again.
  EXPECT_EQ(env.journal.Matching("KillTimer 0 1").size(), 1u);
  EXPECT_TRUE(env.toolkit.HasTimer(kLedWindow, kSampleTimer));
  EXPECT_TRUE(env.toolkit.HasTimer(kLedWindow, kDiscoveryTimer));
  EXPECT_EQ(env.app.samplingEnabled, 1);
  EXPECT_EQ(env.toolkit.messageBoxes.back().flags, mb::kYesNo | mb::kIconQuestion);
  EXPECT_EQ(env.system.files.count(ini), 0u);
  EXPECT_TRUE(env.toolkit.WindowExists(kLedWindow));

  // The window was moved since start-up: the saved position is where it is now.
  env.toolkit.SetWindowPos(kLedWindow, ZOrder::kNone, 640, 480, 0, 0, swp::kNoSize);
  env.toolkit.messageBoxAnswers = {mb::kIdYes};
  env.toolkit.Post(Event::Menu(kMenuExit));
  try {
    MainLoopPass(env.app);
    FAIL() << "the program should have ended";
  } catch (const FakeExit& e) {
    EXPECT_EQ(e.code, 0);
  }
  ASSERT_EQ(env.system.files.count(ini), 1u);
  EXPECT_NE(env.system.files[ini].find("WinX = 640\r\nWinY = 480\r\n"), std::string::npos);
  // Saved, the window gone, the mutex closed, the toolkit (and so the tray icon) released, and
  // nothing after the end.
  const std::vector<std::string> ending(env.journal.lines.end() - 5, env.journal.lines.end());
  EXPECT_EQ(ending,
            (std::vector<std::string>{"MoveFileOver " + ini + ".tmp -> " + ini, "DestroyWindow 0",
                                      "CloseInstanceMutex", "ReleaseAll", "ExitProcess 0"}));
}

}  // namespace
}  // namespace glint
