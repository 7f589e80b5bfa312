#include "settings/app_settings.h"

#include <cstdio>

#include "core/app.h"
#include "core/drives.h"
#include "settings/ini.h"

namespace glint {

namespace {

// "0" is absent on purpose: it and every non-hex character count as 0 alike.
constexpr std::string_view kHexDigits = "123456789ABCDEF";

// Up to two characters from `start`, empty past the end.
std::string_view Pair(std::string_view text, std::size_t start) {
  if (start >= text.size()) return {};
  return text.substr(start, 2);
}

}  // namespace

void ApplyDefaults(App& app, void (*placementCheck)(App&)) {
  AppSettings& s = app.settings;
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
  app.floppyCount = 0;
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

  // Snapping was just switched on: pull the window back inside its work area.
  if (placementCheck != nullptr) placementCheck(app);

  for (std::string& type : app.driveTypeList) type.clear();
}

std::int32_t HexToValue(std::string_view text) {
  // Unsigned so that long texts wrap instead of overflowing; the low 32 bits are the result.
  std::uint32_t value = 0;
  for (char c : text) {
    const std::size_t pos = kHexDigits.find(ini::AsciiUpper(c));
    const std::uint32_t digit =
        pos == std::string_view::npos ? 0 : static_cast<std::uint32_t>(pos + 1);
    value = value * 16u + digit;
  }
  return static_cast<std::int32_t>(value);
}

ColorComponents SplitColor(std::string_view color) {
  ColorComponents c;
  c.red = HexToValue(Pair(color, 0));
  c.green = HexToValue(Pair(color, 2));
  // Blue is the last two characters whatever the length.
  c.blue = HexToValue(color.size() >= 2 ? color.substr(color.size() - 2) : color);
  return c;
}

std::string FormatColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
  std::string out;
  for (std::int32_t component : {red, green, blue}) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(component));
    out += buffer;
  }
  return out;
}

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
  const std::size_t lastUsed = mask.find_last_not_of(" \t");
  const std::size_t firstBlank = lastUsed == std::string::npos ? 0 : lastUsed + 1;
  for (std::size_t i = firstBlank; i < mask.size(); ++i) mask[i] = '0';
  if (mask.empty()) {
    mask = std::string(kAllDrivesMask);
  } else if (mask == kNoDrivesMask) {
    mask = "00100000000000000000000000";  // never show nothing: keep C
  }
}

}  // namespace glint
