#pragma once

#include <string>
#include <string_view>

#include "core/product_build.h"

namespace glint {

inline constexpr std::string_view kProductName = "Glintbox";
inline constexpr std::string_view kVersionString = GLINTBOX_VERSION_STRING;
// The maker's web page, set by the build; empty when none is set.
inline constexpr std::string_view kMakerWebPage = GLINTBOX_MAKER_PAGE;

// The documentation beside the program: "ReadMe_" and the version's first five characters.
inline std::string ManualFileName() {
  return "ReadMe_" + std::string(kVersionString.substr(0, 5)) + ".pdf";
}

// The maker's page as the About box and the settings file name it: its address, or the manual,
// which stands for it where no address is set.
inline std::string MakerPageText(std::string_view page = kMakerWebPage) {
  return page.empty() ? ManualFileName() : std::string(page);
}

}  // namespace glint
