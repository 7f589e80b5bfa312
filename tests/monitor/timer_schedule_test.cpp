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
    int turnOffDetectInterval, persistentWindow, intervalSeconds;
    Schedule timers;
    std::vector<std::string> order;
  };
  const std::vector<Case> cases = {
      {0, 0, 10, {{1, 50}, {2, 10000}}, {"SetTimer 0 1 50", "SetTimer 0 2 10000"}},
      {1, 0, 10, {{1, 50}, {4, 10000}}, {"SetTimer 0 1 50", "SetTimer 0 4 10000"}},
      {0,
       1,
       60,
       {{1, 50}, {2, 60000}, {3, 500}},
       {"SetTimer 0 1 50", "SetTimer 0 2 60000", "SetTimer 0 3 500"}},
      {1,
       1,
       3600,
       {{1, 50}, {4, 3600000}, {3, 500}},
       {"SetTimer 0 1 50", "SetTimer 0 4 3600000", "SetTimer 0 3 500"}},
  };
  for (const auto& c : cases) {
    TimerEnv env;
    env.app.settings.turnOffDetectInterval = c.turnOffDetectInterval;
    env.app.settings.persistentWindow = c.persistentWindow;
    env.app.settings.detectIntervalSeconds = c.intervalSeconds;
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

TEST(TimerScheduleTest, StopDecidesByTheSettingsOfTheMoment) {
  // Changed while the timers run, the settings name timers that are not there: those that are
  // stay. Callers change them only between StopTimers and StartTimers.
  TimerEnv env;
  StartTimers(env.app);
  env.app.settings.turnOffDetectInterval = 1;
  env.app.settings.persistentWindow = 1;
  StopTimers(env.app);
  EXPECT_EQ(env.Installed(), (Schedule{{kDiscoveryTimer, 10000}}));
  EXPECT_EQ(env.journal.Matching("KillTimer"),
            (std::vector<std::string>{"KillTimer 0 1", "KillTimer 0 4", "KillTimer 0 3"}));
}

TEST(TimerScheduleTest, PausedScheduleRestartsFromTheNewSettings) {
  struct Case {
    SamplingAround sampling;
    int inside, after;  // samplingEnabled, starting from 1
  } cases[] = {
      {SamplingAround::kUntouched, 1, 1},
      {SamplingAround::kResumed, 1, 1},
      {SamplingAround::kSuspended, 0, 1},
  };
  for (const Case& c : cases) {
    TimerEnv env;
    env.app.samplingEnabled = 1;
    StartTimers(env.app);
    {
      PausedSchedule pause(env.app, c.sampling);
      EXPECT_TRUE(env.Installed().empty());
      EXPECT_EQ(env.app.samplingEnabled, c.inside);
      env.app.settings.turnOffDetectInterval = 1;  // as a configuration window may do
    }
    EXPECT_EQ(env.Installed(), (Schedule{{kSampleTimer, 50}, {kLimitTimer, 10000}}));
    EXPECT_EQ(env.app.samplingEnabled, c.after);
  }

  // A resumed pause sets the flag again even when it was cleared meanwhile.
  TimerEnv resumed;
  { PausedSchedule pause(resumed.app, SamplingAround::kResumed); }
  EXPECT_EQ(resumed.app.samplingEnabled, 1);
  TimerEnv untouched;
  { PausedSchedule pause(untouched.app, SamplingAround::kUntouched); }
  EXPECT_EQ(untouched.app.samplingEnabled, 0);

  TimerEnv abandoned;
  {
    PausedSchedule pause(abandoned.app, SamplingAround::kResumed);
    pause.Abandon();
  }
  EXPECT_TRUE(abandoned.Installed().empty());
  EXPECT_EQ(abandoned.app.samplingEnabled, 0);
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
