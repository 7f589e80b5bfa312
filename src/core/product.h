#pragma once

#include <string_view>

namespace glint {

inline constexpr std::string_view kProductName = "Glintbox";
inline constexpr std::string_view kVersionString = "v1.12 - November 2011";
// The maker's web page: written into the INI file, shown in the About box, opened by the
// donation command.
inline constexpr std::string_view kMakerWebPage = "https://glintbox.example.org/";

}  // namespace glint
