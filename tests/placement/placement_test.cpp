#include "placement/placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/startup.h"
#include "app/timers.h"
#include "placement/work_area.h"
#include "support/fake_env.h"

namespace glint {
namespace {

Rect At(int x, int y, int w, int h) {
  return {x, y, x + w, y + h};
}

TEST(WorkAreaTest, FarEdgesFirstThenNearOnes) {
  const Rect screen{0, 0, 1280, 994};  // the taskbar below
  const struct {
    const char* what;
    Rect window, workArea;
    std::optional<Point> to;
  } cases[] = {
      {"inside", At(400, 10, 467, 18), screen, std::nullopt},
      {"touching every edge", At(0, 0, 1280, 994), screen, std::nullopt},
      {"past the right edge", At(1000, 10, 467, 18), screen, Point{813, 10}},
      {"past the left edge", At(-50, 10, 467, 18), screen, Point{0, 10}},
      {"over the taskbar", At(400, 990, 467, 18), screen, Point{400, 976}},
      {"above the top", At(400, -5, 467, 18), screen, Point{400, 0}},
      {"both axes", At(5000, -5000, 61, 18), screen, Point{1219, 0}},
      {"wider than the work area", At(300, 10, 1700, 18), screen, Point{0, 10}},
      {"taller than the work area", At(10, 300, 17, 1200), screen, Point{10, 0}},
      {"a monitor to the left", At(-100, 100, 467, 18), Rect{-1280, 0, 0, 1024}, Point{-467, 100}},
      {"far off in negative space", At(-2147483647, 5, 61, 18), Rect{-1280, 0, 0, 1024},
       Point{-1280, 5}},
      // The far edge less the width lies below the smallest int.
      {"a work area at the end of the int range", At(0, 5, 467, 18),
       Rect{INT_MIN, 0, INT_MIN + 248, 1024}, Point{INT_MIN, 5}},
  };
  for (const auto& c : cases) {
    const std::optional<Point> to = PositionInWorkArea(c.window, c.workArea);
    EXPECT_EQ(to.has_value(), c.to.has_value()) << c.what;
    if (to && c.to) EXPECT_EQ(*to, *c.to) << c.what;
  }
}

struct PlacedEnv : FakeEnv {
  explicit PlacedEnv(Rect window = At(1000, 10, 467, 18)) {
    toolkit.CreatePopupWindow(kLedWindow, "Glintbox", window.left, window.top, window.Width(),
                              window.Height());
    app.settings.windowSnapAndLimiting = 1;
    journal.lines.clear();
  }
  Rect Window() const { return toolkit.windows.at(kLedWindow).rect; }
};

TEST(LimitTest, MovesOnlyWhatSticksOutAndOnlyWhileSnapping) {
  PlacedEnv outside;
  EXPECT_EQ(LimitWindowToWorkArea(outside.app, kLedWindow), 1);
  EXPECT_EQ(outside.Window(), At(813, 10, 467, 18));
  // Raised within its band, never activated.
  EXPECT_EQ(outside.journal.Matching("SetWindowPos"),
            std::vector<std::string>{"SetWindowPos 0 top 813 10 0 0 17"});

  PlacedEnv inside(At(400, 10, 467, 18));
  EXPECT_EQ(LimitWindowToWorkArea(inside.app, kLedWindow), 1);
  EXPECT_TRUE(inside.journal.Matching("SetWindowPos").empty());  // neither moved nor raised

  PlacedEnv off;
  off.app.settings.windowSnapAndLimiting = 0;
  EXPECT_EQ(LimitWindowToWorkArea(off.app, kLedWindow), 0);
  EXPECT_EQ(off.Window(), At(1000, 10, 467, 18));

  PlacedEnv gone;
  EXPECT_EQ(LimitWindowToWorkArea(gone.app, kWindowOptionsWindow), 0);
  PlacedEnv noMonitor, stuck;
  noMonitor.toolkit.workArea = {};
  stuck.toolkit.failWindows.insert(kLedWindow);
  EXPECT_EQ(LimitWindowToWorkArea(noMonitor.app, kLedWindow), 0);
  EXPECT_EQ(LimitWindowToWorkArea(stuck.app, kLedWindow), 0);
}

TEST(LimitTest, RunsAtStartUpOnTheLimitTimerAndWithTheDefaults) {
  // A stored position far outside is corrected before the window is first shown.
  FakeEnv started;
  started.system.files["C:\\Program Files\\Glintbox\\Glintbox.ini"] =
      "[Settings]\r\nWinX = 9000\r\nWinY = -700\r\nWindow Snap and Limiting = Yes\r\n; " +
      std::string(200, '-');
  StartUp(started.app);
  EXPECT_FALSE(started.toolkit.IsWindowVisible(kLedWindow));
  EXPECT_EQ(started.toolkit.windows.at(kLedWindow).rect.top, 0);
  // ... and again once the first layout has given the window its size.
  started.toolkit.Post(Event::Raw(msg::kPaint));
  MainLoopPass(started.app);
  EXPECT_EQ(started.toolkit.windows.at(kLedWindow).rect, At(1280 - 467, 0, 467, 18));

  PlacedEnv ticking;
  ticking.app.settings.turnOffDetectInterval = 1;
  StartTimers(ticking.app);
  ASSERT_TRUE(ticking.toolkit.FireTimer(kLedWindow, kLimitTimer));
  EXPECT_EQ(ticking.Window(), At(813, 10, 467, 18));
}

TEST(DragTest, AnIconPressMovesTheUnlockedWindowThenTheLimiterRuns) {
  const struct {
    const char* what;
    Event event;
    int locked, snap;
    Point drop;  // where the mouse leaves the window
    Rect after;
  } cases[] = {
      {"dropped inside", Event::Control(3), 0, 1, {700, 300}, At(700, 300, 467, 18)},
      {"dropped half past the right edge",
       Event::Control(3),
       0,
       1,
       {1100, 500},
       At(813, 500, 467, 18)},
      {"limiter off", Event::Control(3), 0, 0, {1100, 500}, At(1100, 500, 467, 18)},
      {"locked", Event::Control(3), 1, 1, {700, 300}, At(400, 10, 467, 18)},
      {"the background", Event::Raw(msg::kLButtonDown), 0, 1, {700, 300}, At(400, 10, 467, 18)},
      {"a right click on an icon",
       Event::Control(3, kControlRightClick),
       0,
       1,
       {700, 300},
       At(400, 10, 467, 18)},
  };
  for (const auto& c : cases) {
    PlacedEnv env(At(400, 10, 467, 18));
    env.app.settings.locked = c.locked;
    env.app.settings.windowSnapAndLimiting = c.snap;
    env.toolkit.drags = {c.drop};
    env.toolkit.Post(c.event);
    MainLoopPass(env.app);
    EXPECT_EQ(env.Window(), c.after) << c.what;
  }
}

TEST(ClickThroughTest, ALeftReleaseIsReplayedBeneathTheHiddenWindow) {
  for (int clickThrough : {0, 1}) {
    PlacedEnv env(At(400, 10, 467, 18));
    env.app.settings.clickThrough = clickThrough;
    env.toolkit.ShowWindow(kLedWindow, ShowMode::kShowNormal);
    env.journal.lines.clear();
    env.toolkit.Post(Event::Raw(msg::kLButtonUp, 3));
    MainLoopPass(env.app);
    const std::vector<std::string> replay = {"ShowWindow 0 hide", "SendMouse LeftDown",
                                             "SleepPrecise 10",   "SendMouse LeftUp",
                                             "SleepPrecise 10",   "ShowWindow 0 show"};
    EXPECT_EQ(env.journal.lines, clickThrough == 1 ? replay : std::vector<std::string>{});
    EXPECT_TRUE(env.toolkit.IsWindowVisible(kLedWindow));
  }
}

}  // namespace
}  // namespace glint
