#pragma once

namespace glint {

struct App;

// Timer numbers on the LED window.
inline constexpr int kSampleTimer = 1;
inline constexpr int kDiscoveryTimer = 2;
inline constexpr int kTopmostTimer = 3;
inline constexpr int kLimitTimer = 4;

// Installs the sampler, discovery (or the limit tick) and on-top timers for the settings.
void StartTimers(App& app);
// Removes them, deciding by the current settings.
void StopTimers(App& app);
void LimitTick(App& app);
void ReassertTopmost(App& app);

}  // namespace glint
