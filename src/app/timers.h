#pragma once

#include <cstdint>

namespace glint {

struct App;

// Timer numbers on the LED window.
inline constexpr int kSampleTimer = 1;
inline constexpr int kDiscoveryTimer = 2;
inline constexpr int kTopmostTimer = 3;
inline constexpr int kLimitTimer = 4;

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

}  // namespace glint
