#pragma once

#include <cstdint>
#include <string>

namespace glint {

// Every user option. Booleans are integers 0/1; `minimizeButton` is the button's width (8) or 0.
// The default member values are the all-zero record of program start: factory values come from
// ApplyDefaults.
struct AppSettings {
  std::int32_t winX = 0;
  std::int32_t winY = 0;
  int locked = 0;
  int autoHideDisconnected = 0;
  std::int32_t exploreMouseButton = 0;
  int verticalMode = 0;
  int showIconLines = 0;
  int showSmallSquare = 0;
  std::string drives;
  std::string readColor;
  std::string writeColor;
  std::string backColor;
  std::string textColor;
  std::int32_t readRed = 0, readGreen = 0, readBlue = 0;
  std::int32_t writeRed = 0, writeGreen = 0, writeBlue = 0;
  std::int32_t backRed = 0, backGreen = 0, backBlue = 0;
  std::int32_t textRed = 0, textGreen = 0, textBlue = 0;
  std::int32_t iconSize = 0;
  std::int32_t customIconSize = 0;
  std::int32_t windowTransparency = 0;
  std::int32_t detectIntervalSeconds = 0;
  std::int32_t minimizeButton = 0;
  int persistentWindow = 0;
  int clickThrough = 0;
  int dualIconWindowMode = 0;
  int windowSnapAndLimiting = 0;
  int ignoreOnTopFirstRun = 0;
  int turnOffDetectInterval = 0;
  int alwaysShowTrayIcon = 0;

  // Derived by ComputeIconMetrics; not stored in the file.
  std::int32_t iconPixels = 0;
  std::int32_t markerSize = 0;
  std::int32_t fontSize = 0;

  friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

}  // namespace glint
