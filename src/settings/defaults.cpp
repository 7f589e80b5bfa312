#include "settings/defaults.h"

#include "core/drives.h"
#include "settings/colors.h"

namespace glint {

void ApplyDefaults(AppSettings& s) {
  s.winX = 400;
  s.winY = 10;
  s.locked = 0;

  s.drives = std::string(kAllDrivesMask);
  s.readColor = kDefaultReadColor;
  s.writeColor = kDefaultWriteColor;
  s.backColor = kDefaultBackColor;
  s.textColor = kDefaultTextColor;

  s.iconSize = 1;
  s.autoHideDisconnected = 0;
  s.exploreMouseButton = 3;
  s.showIconLines = 1;
  s.showSmallSquare = 1;
  s.customIconSize = 10;
  s.detectIntervalSeconds = 10;
  s.windowTransparency = 255;
  s.persistentWindow = 0;
  s.dualIconWindowMode = 0;
  s.windowSnapAndLimiting = 1;
  s.verticalMode = 0;
  s.ignoreOnTopFirstRun = 0;
  s.turnOffDetectInterval = 0;
  s.alwaysShowTrayIcon = 0;

  const ColorComponents read = SplitColor(s.readColor);
  s.readRed = read.red, s.readGreen = read.green, s.readBlue = read.blue;
  const ColorComponents write = SplitColor(s.writeColor);
  s.writeRed = write.red, s.writeGreen = write.green, s.writeBlue = write.blue;
  const ColorComponents back = SplitColor(s.backColor);
  s.backRed = back.red, s.backGreen = back.green, s.backBlue = back.blue;
  const ColorComponents text = SplitColor(s.textColor);
  s.textRed = text.red, s.textGreen = text.green, s.textBlue = text.blue;

  s.minimizeButton = 0;
}

}  // namespace glint
