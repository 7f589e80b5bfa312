#include "settings/settings_file.h"

#include "core/app.h"
#include "core/numbers.h"
#include "core/product.h"
#include "settings/colors.h"
#include "settings/defaults.h"
#include "settings/ini.h"
#include "settings/record_rules.h"

namespace glint {

namespace {

namespace key = settings_key;

void SetComponents(std::string_view color, std::int32_t& red, std::int32_t& green,
                   std::int32_t& blue) {
  const ColorComponents c = SplitColor(color);
  red = c.red, green = c.green, blue = c.blue;
}

int Flag(bool yes) {
  return yes ? 1 : 0;
}

// Writes the file through a temporary beside it; `text` receives what was meant to be written.
bool WriteSettingsFile(App& app, std::string& text) {
  std::int32_t x = app.settings.winX;
  std::int32_t y = app.settings.winY;
  Rect rect;
  // The window may have been dragged since the record was last updated.
  if (app.toolkit.WindowRect(kLedWindow, rect)) {
    x = rect.left;
    y = rect.top;
  }
  text = SettingsText(app.settings, x, y);

  const std::string path = SettingsPath(app);
  // A user who made the file read-only froze the settings. Windows refuses to move over it,
  // but Wine would replace it.
  if (app.system.IsReadOnly(path)) return false;
  const std::string temp = path + std::string(kSettingsTempSuffix);
  if (app.system.WriteFileFlushed(temp, text) && app.system.MoveFileOver(temp, path)) return true;
  // A temporary left behind is replaced by the next save.
  static_cast<void>(app.system.RemoveFile(temp));
  return false;
}

}  // namespace

std::string SettingsPath(const App& app) {
  return app.programFolder + std::string(kSettingsFileName);
}

std::string SettingsText(const AppSettings& s, std::int32_t winX, std::int32_t winY) {
  ini::Writer w;
  w.Comment(std::string(kProductName) + " " + std::string(kVersionString));
  w.Comment(MakerPageText());
  w.Comment("");
  w.GroupHeader(kSettingsGroup);
  w.Entry(key::kWinX, winX);
  w.Entry(key::kWinY, winY);
  w.YesNoEntry(key::kLocked, s.locked == 1);
  w.YesNoEntry(key::kAutoHideDisconnected, s.autoHideDisconnected == 1);
  w.Entry(key::kExploreMouseButton, s.exploreMouseButton);
  w.YesNoEntry(key::kVerticalMode, s.verticalMode == 1);
  w.YesNoEntry(key::kShowIconLines, s.showIconLines == 1);
  w.YesNoEntry(key::kShowSmallSquare, s.showSmallSquare == 1);
  w.Entry(key::kDrives, s.drives);
  w.Entry(key::kReadColor, ini::AsciiUpper(s.readColor));
  w.Entry(key::kWriteColor, ini::AsciiUpper(s.writeColor));
  w.Entry(key::kBackColor, ini::AsciiUpper(s.backColor));
  w.Entry(key::kTextColor, ini::AsciiUpper(s.textColor));
  w.Entry(key::kIconSize, s.iconSize);
  w.Entry(key::kCustomIconSize, s.customIconSize);
  w.Entry(key::kWindowTransparency, s.windowTransparency);
  w.Entry(key::kDetectInterval, s.detectIntervalSeconds);
  w.YesNoEntry(key::kTurnOffDetectInterval, s.turnOffDetectInterval == 1);
  // Any other width has no line, which loads as "no button".
  if (s.minimizeButton == 8 || s.minimizeButton == 0) {
    w.YesNoEntry(key::kMinimizeButton, s.minimizeButton == 8);
  }
  w.YesNoEntry(key::kPersistentWindow, s.persistentWindow == 1);
  w.YesNoEntry(key::kClickThrough, s.clickThrough == 1);
  w.YesNoEntry(key::kDualIconWindowMode, s.dualIconWindowMode == 1);
  w.YesNoEntry(key::kWindowSnapAndLimiting, s.windowSnapAndLimiting == 1);
  w.YesNoEntry(key::kIgnoreOnTopFirstRun, s.ignoreOnTopFirstRun == 1);
  w.YesNoEntry(key::kAlwaysShowTrayIcon, s.alwaysShowTrayIcon == 1);
  return w.Text();
}

void ReadSettingsText(std::string_view raw, AppSettings& s) {
  const std::string text = ini::DecodeText(raw);
  const ini::Group g = ini::FindGroup(text, kSettingsGroup);

  // The order matters: later keys override fields set by earlier ones.
  s.winX = ini::ReadPlainInteger(g, key::kWinX, 0);
  s.winY = ini::ReadPlainInteger(g, key::kWinY, 0);
  s.locked = Flag(ini::ReadYesNo(g, key::kLocked, false));
  s.autoHideDisconnected = Flag(ini::ReadYesNo(g, key::kAutoHideDisconnected, false));
  s.exploreMouseButton = ini::ReadPlainInteger(g, key::kExploreMouseButton, 3);
  if (s.exploreMouseButton != 1) s.exploreMouseButton = 3;
  s.verticalMode = Flag(ini::ReadYesNo(g, key::kVerticalMode, false));
  s.showIconLines = Flag(ini::ReadYesNo(g, key::kShowIconLines, false));
  s.showSmallSquare = Flag(ini::ReadYesNo(g, key::kShowSmallSquare, false));

  s.drives = ini::ReadString(g, key::kDrives, "");
  NormalizeDriveMask(s);

  s.readColor = ini::AsciiUpper(ini::ReadString(g, key::kReadColor, ""));
  s.writeColor = ini::AsciiUpper(ini::ReadString(g, key::kWriteColor, ""));
  if (s.readColor.empty()) s.readColor = kDefaultReadColor;
  if (s.writeColor.empty()) s.writeColor = kDefaultWriteColor;
  SetComponents(s.readColor, s.readRed, s.readGreen, s.readBlue);
  SetComponents(s.writeColor, s.writeRed, s.writeGreen, s.writeBlue);
  s.backColor = ini::AsciiUpper(ini::ReadString(g, key::kBackColor, ""));
  if (s.backColor.empty()) s.backColor = kDefaultBackColor;
  SetComponents(s.backColor, s.backRed, s.backGreen, s.backBlue);
  s.textColor = ini::AsciiUpper(ini::ReadString(g, key::kTextColor, ""));
  if (s.textColor.empty()) s.textColor = kDefaultTextColor;
  SetComponents(s.textColor, s.textRed, s.textGreen, s.textBlue);

  s.iconSize = ini::ReadNumber(g, key::kIconSize, "1");
  if (s.iconSize < 1) s.iconSize = 1;
  if (s.iconSize > 4) s.iconSize = 3;
  s.customIconSize = ini::ReadNumber(g, key::kCustomIconSize, "10");
  if (s.customIconSize < 10) {
    s.customIconSize = 10;
    s.iconSize = 4;
  }
  if (s.customIconSize > 1024) s.customIconSize = 1024;
  s.windowTransparency = ini::ReadNumber(g, key::kWindowTransparency, "255");
  if (s.windowTransparency < 10) s.windowTransparency = 10;
  if (s.windowTransparency > 255) s.windowTransparency = 255;
  s.detectIntervalSeconds = ini::ReadNumber(g, key::kDetectInterval, "10");
  if (s.detectIntervalSeconds < 10 || s.detectIntervalSeconds > 10000000) {
    s.detectIntervalSeconds = 10;
  }

  s.minimizeButton = ini::ReadYesNo(g, key::kMinimizeButton, false) ? 8 : 0;
  s.persistentWindow = Flag(ini::ReadYesNo(g, key::kPersistentWindow, false));
  s.clickThrough = Flag(ini::ReadYesNo(g, key::kClickThrough, false));
  s.dualIconWindowMode = Flag(ini::ReadYesNo(g, key::kDualIconWindowMode, false));
  s.windowSnapAndLimiting = Flag(ini::ReadYesNo(g, key::kWindowSnapAndLimiting, true));
  // Snapping and the topmost timer fight each other; snapping wins.
  if (s.windowSnapAndLimiting == 1) s.persistentWindow = 0;
  s.ignoreOnTopFirstRun = Flag(ini::ReadYesNo(g, key::kIgnoreOnTopFirstRun, false));
  s.turnOffDetectInterval = Flag(ini::ReadYesNo(g, key::kTurnOffDetectInterval, false));
  s.alwaysShowTrayIcon = Flag(ini::ReadYesNo(g, key::kAlwaysShowTrayIcon, false));

  ComputeIconMetrics(s);
}

void LoadSettings(App& app) {
  const std::string path = SettingsPath(app);
  const std::int64_t size = app.system.FileSize(path);
  // A file whose size could not be told is there all the same: it is read, never replaced.
  if (size != System::kFileSizeUnknown && size < kMinSettingsFileSize) {
    // At the first start: no drives found yet to forget, no window yet to keep inside its work
    // area.
    ApplyDefaults(app.settings);
    std::string written;
    if (!WriteSettingsFile(app, written)) {
      // Nowhere to keep the file: run on as if it had been written, not with the fallbacks of a
      // missing file (window at 0,0, no icon lines).
      ReadSettingsText(written, app.settings);
      return;
    }
  }
  std::string text;
  app.settingsFileUnreadable = false;
  if (!app.system.ReadWholeFile(path, text)) {
    text.clear();  // every key takes its fallback
    app.settingsFileUnreadable = true;
  }
  ReadSettingsText(text, app.settings);
}

void SaveSettings(App& app) {
  // A file that was there but could not be read (locked by another program, say) holds the
  // user's settings; the fallbacks in memory must not overwrite it.
  if (app.settingsFileUnreadable) return;
  std::string text;
  WriteSettingsFile(app, text);
}

}  // namespace glint
