#include "app/timers.h"

#include <algorithm>
#include <utility>

#include "core/app.h"
#include "core/numbers.h"
#include "monitor/discovery.h"
#include "monitor/sampler.h"
#include "placement/placement.h"

namespace glint {

namespace {

constexpr std::int64_t kShortestDetectSeconds = 10;

}  // namespace

unsigned DetectPeriodMs(std::int32_t detectIntervalSeconds) {
  // In 64 bits: the file allows intervals whose milliseconds do not fit 32 bits.
  const std::int64_t seconds =
      std::max<std::int64_t>(detectIntervalSeconds, kShortestDetectSeconds);
  const std::int64_t ms = std::min<std::int64_t>(seconds * 1000, kLongestTimerPeriodMs);
  return static_cast<unsigned>(ms);
}

void StartTimers(App& app) {
  // Errors of the timer calls are ignored: a timer that cannot be set only never fires.
  const auto start = [&app](int timer, unsigned periodMs, TimerCallback callback) {
    static_cast<void>(app.toolkit.SetTimer(kLedWindow, timer, periodMs, std::move(callback)));
  };
  const AppSettings& s = app.settings;
  start(kSampleTimer, kSamplePeriodMs, [&app] { SampleDriveActivity(app); });
  if (s.turnOffDetectInterval == 0) {
    start(kDiscoveryTimer, DetectPeriodMs(s.detectIntervalSeconds),
          [&app] { DiscoverDrives(app); });
  }
  if (s.turnOffDetectInterval == 1) {
    start(kLimitTimer, DetectPeriodMs(s.detectIntervalSeconds), [&app] { LimitTick(app); });
  }
  if (s.persistentWindow == 1)
    start(kTopmostTimer, kTopmostPeriodMs, [&app] { ReassertTopmost(app); });
}

void StopTimers(App& app) {
  Toolkit& toolkit = app.toolkit;
  const AppSettings& s = app.settings;
  toolkit.KillTimer(kLedWindow, kSampleTimer);
  if (s.turnOffDetectInterval == 1) toolkit.KillTimer(kLedWindow, kLimitTimer);
  if (s.turnOffDetectInterval == 0) toolkit.KillTimer(kLedWindow, kDiscoveryTimer);
  if (s.persistentWindow == 1) toolkit.KillTimer(kLedWindow, kTopmostTimer);
}

void LimitTick(App& app) {
  LimitWindowToWorkArea(app, kLedWindow);
}

void ReassertTopmost(App& app) {
  if (app.settings.persistentWindow == 1) SetTopmostOnce(app, true);
}

PausedSchedule::PausedSchedule(App& app, SamplingAround sampling) : app_(app), sampling_(sampling) {
  if (sampling_ == SamplingAround::kSuspended) app_.samplingEnabled = 0;
  StopTimers(app_);
}

PausedSchedule::~PausedSchedule() {
  if (!active_) return;
  StartTimers(app_);
  if (sampling_ != SamplingAround::kUntouched) app_.samplingEnabled = 1;
}

}  // namespace glint
