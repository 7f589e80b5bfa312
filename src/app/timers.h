#pragma once

#include <cstdint>

namespace glint {

struct App;

inline constexpr unsigned kSamplePeriodMs = 50;
inline constexpr unsigned kTopmostPeriodMs = 500;
// USER_TIMER_MAXIMUM: the longest period SetTimer accepts.
inline constexpr unsigned kLongestTimerPeriodMs = 0x7FFFFFFF;

// Period of the discovery (or limit) timer for an interval in seconds, kept between 10 s and
// the longest period a timer can have.
unsigned DetectPeriodMs(std::int32_t detectIntervalSeconds);

// Installs the sampler, discovery (or the limit tick) and on-top timers for the settings.
void StartTimers(App& app);
// Removes them, deciding by the current settings.
void StopTimers(App& app);
void LimitTick(App& app);
void ReassertTopmost(App& app);

// What a pause of the schedule does with `samplingEnabled`.
enum class SamplingAround {
  kUntouched,  // the About box, the menu opened by a right-button press
  kResumed,    // left alone on entry, 1 afterwards (Restore defaults, Exit)
  kSuspended,  // 0 on entry, 1 afterwards (configuration windows, Uninstall, the tray)
};

// The schedule stopped for a box, a window or the tray wait, and started again from the then
// current settings when the scope ends.
class PausedSchedule {
 public:
  PausedSchedule(App& app, SamplingAround sampling);
  ~PausedSchedule();
  PausedSchedule(const PausedSchedule&) = delete;
  PausedSchedule& operator=(const PausedSchedule&) = delete;

  // The program is about to end: nothing is started again.
  void Abandon() { active_ = false; }

 private:
  App& app_;
  SamplingAround sampling_;
  bool active_ = true;
};

}  // namespace glint
