#pragma once

#include <string_view>

#include "core/app_settings.h"

namespace glint {

// The factory colours, RRGGBB.
inline constexpr std::string_view kDefaultReadColor = "00D800";
inline constexpr std::string_view kDefaultWriteColor = "FF2626";
inline constexpr std::string_view kDefaultBackColor = "000000";
inline constexpr std::string_view kDefaultTextColor = "FFFFFF";

// Every field to its factory value; `clickThrough` and the icon metrics are left alone. The
// record only: what goes with the defaults elsewhere (the drives found so far forgotten, the
// window kept inside its work area) is the caller's.
void ApplyDefaults(AppSettings& settings);

}  // namespace glint
