#include "app/timers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/fake_env.h"

namespace glint {
namespace {

using Schedule = std::map<int, unsigned>;  // timer number -> period

struct TimerEnv : FakeEnv {
  TimerEnv() {
    toolkit.CreatePopupWindow(kLedWindow, "Glintbox", 100, 100, 40, 18);
    app.settings.detectIntervalSeconds = 10;
  }
  Schedule Installed() const {
    Schedule out;
    for (const auto& [key, timer] : toolkit.timers)
      if (key.first == kLedWindow) out[key.second] = timer.periodMs;
    return out;
  }
};

TEST(TimerScheduleTest, InstalledTimersFollowTheSettings) {
  struct Case {
    int turnOffDetectInterval, persistentWindow;
    Schedule timers;
    std::vector<std::string> order;
  };
  const std::vector<Case> cases = {
      {0, 0, {{1, 50}, {2, 10000}}, {"SetTimer 0 1 50", "SetTimer 0 2 10000"}},
      {1, 0, {{1, 50}, {4, 10000}}, {"SetTimer 0 1 50", "SetTimer 0 4 10000"}},
      {0,
       1,
       {{1, 50}, {2, 10000}, {3, 500}},
       {"SetTimer 0 1 50", "SetTimer 0 2 10000", "SetTimer 0 3 500"}},
      {1,
       1,
       {{1, 50}, {4, 10000}, {3, 500}},
       {"SetTimer 0 1 50", "SetTimer 0 4 10000", "SetTimer 0 3 500"}},
  };
  for (const auto& c : cases) {
    TimerEnv env;
    env.app.settings.turnOffDetectInterval = c.turnOffDetectInterval;
    env.app.settings.persistentWindow = c.persistentWindow;
    const std::string what =
        std::to_string(c.turnOffDetectInterval) + "/" + std::to_string(c.persistentWindow);
    StartTimers(env.app);
    EXPECT_EQ(env.journal.Matching("SetTimer"), c.order) << what;
    StartTimers(env.app);  // again: replaces, never adds
    EXPECT_EQ(env.Installed(), c.timers) << what;

    // The other detect setting after a stop: timers 2 and 4 swap, never both.
    StopTimers(env.app);
    EXPECT_TRUE(env.Installed().empty()) << what;
    env.app.settings.turnOffDetectInterval = 1 - c.turnOffDetectInterval;
    StartTimers(env.app);
    EXPECT_NE(env.Installed().count(kDiscoveryTimer), env.Installed().count(kLimitTimer)) << what;
  }
}

TEST(TimerScheduleTest, DetectPeriodFitsATimer) {
  struct Case {
    std::int32_t seconds;
    unsigned periodMs;
  };
  const std::vector<Case> cases = {
      {10, 10000},
      {2147483, 2147483000u},
      {2147484, 0x7FFFFFFFu},  // the first interval whose milliseconds overflow 32 bits
      {10000000, 0x7FFFFFFFu},
      {2147483647, 0x7FFFFFFFu},
      {9, 10000},  // never more often than every 10 seconds
      {-2147483647 - 1, 10000},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectPeriodMs(c.seconds), c.periodMs) << c.seconds;
}

TEST(TimerScheduleTest, CallbacksRunTheirWork) {
  TimerEnv env;
  env.app.settings.persistentWindow = 1;
  env.app.samplingEnabled = 1;
  env.disk.drives['C'].type = drive_type::kFixed;
  env.app.slotRootPaths[3] = "C:\\";
  StartTimers(env.app);

  ASSERT_TRUE(env.toolkit.FireTimer(kLedWindow, kSampleTimer));
  EXPECT_EQ(env.disk.counterReads, 1);
  ASSERT_TRUE(env.toolkit.FireTimer(kLedWindow, kDiscoveryTimer));
  EXPECT_EQ(env.app.presenceMask, "00100000000000000000000000");

  const Rect before = env.toolkit.windows.at(kLedWindow).rect;
  ASSERT_TRUE(env.toolkit.FireTimer(kLedWindow, kTopmostTimer));
  EXPECT_TRUE(env.toolkit.windows.at(kLedWindow).topmost);
  EXPECT_EQ(env.toolkit.windows.at(kLedWindow).rect, before) << "neither moved nor sized";

  // Left behind by a settings change, the on-top timer does nothing.
  env.toolkit.windows.at(kLedWindow).topmost = false;
  env.app.settings.persistentWindow = 0;
  env.toolkit.FireTimer(kLedWindow, kTopmostTimer);
  EXPECT_FALSE(env.toolkit.windows.at(kLedWindow).topmost);
}

}  // namespace
}  // namespace glint
