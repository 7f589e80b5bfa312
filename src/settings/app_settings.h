#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/app_settings.h"

namespace glint {

struct App;

// The factory colours, RRGGBB.
inline constexpr std::string_view kDefaultReadColor = "00D800";
inline constexpr std::string_view kDefaultWriteColor = "FF2626";
inline constexpr std::string_view kDefaultBackColor = "000000";
inline constexpr std::string_view kDefaultTextColor = "FFFFFF";

struct ColorComponents {
  std::int32_t red = 0;
  std::int32_t green = 0;
  std::int32_t blue = 0;
  friend bool operator==(const ColorComponents&, const ColorComponents&) = default;
};

// Every field to its factory value; `clickThrough` and the icon metrics are left alone. Also
// empties the drive type list and resets the floppy count, and runs `placementCheck` (the work
// area limiter of the LED window, which lies above this code; null where no window exists yet).
void ApplyDefaults(App& app, void (*placementCheck)(App&));

std::int32_t HexToValue(std::string_view text);
ColorComponents SplitColor(std::string_view color);
std::string FormatColor(std::int32_t red, std::int32_t green, std::int32_t blue);
void ComputeIconMetrics(AppSettings& settings);
// Normalises `settings.drives` (a 24-character mask also clears `autoHideDisconnected`).
void NormalizeDriveMask(AppSettings& settings);

}  // namespace glint
