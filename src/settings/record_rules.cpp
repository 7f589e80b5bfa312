#include "settings/record_rules.h"

#include "core/drives.h"

namespace glint {

void ComputeIconMetrics(AppSettings& settings) {
  switch (settings.iconSize) {
    case 1:
      settings.iconPixels = 18, settings.markerSize = 4, settings.fontSize = 8;
      break;
    case 2:
      settings.iconPixels = 24, settings.markerSize = 6, settings.fontSize = 13;
      break;
    case 3:
      settings.iconPixels = 30, settings.markerSize = 8, settings.fontSize = 15;
      break;
    case 4:
      settings.iconPixels = settings.customIconSize;
      settings.markerSize = 8;
      settings.fontSize = settings.customIconSize / 2;
      break;
    default:  // keep the previous metrics
      break;
  }
}

void NormalizeDriveMask(AppSettings& settings) {
  std::string& mask = settings.drives;
  // Masks of old versions had no A and B.
  if (mask.size() == 24) {
    mask.insert(0, "00");
    settings.autoHideDisconnected = 0;
  }
  if (mask.size() > 26) mask.resize(26);
  // Blanks select nothing, but the file reader trims them off the end: a mask ending in blanks
  // would come back shorter, and at 24 characters gain "00" and shift every drive.
  const std::size_t length = mask.size();
  mask.resize(mask.find_last_not_of(" \t") + 1);  // npos + 1 is 0: a mask of only blanks
  mask.resize(length, '0');
  if (mask.empty()) {
    mask = std::string(kAllDrivesMask);
  } else if (mask == kNoDrivesMask) {
    mask = "00100000000000000000000000";  // never show nothing: keep C
  }
}

}  // namespace glint
