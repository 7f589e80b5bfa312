// Feeds arbitrary bytes to the INI reader and, as Glintbox.ini, to LoadSettings; checks that
// every loaded value is in range, and that loading leaves a long enough file alone. What a save
// of the record does is fuzz_settings_roundtrip's.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/numbers.h"
#include "fuzz/fuzz_env.h"
#include "settings/colors.h"
#include "settings/ini.h"

namespace {

using namespace glint;

bool InRange(std::int32_t v, std::int32_t lo, std::int32_t hi) {
  return v >= lo && v <= hi;
}
bool IsFlag(int v) {
  return v == 0 || v == 1;
}

bool HasLowerCase(const std::string& text) {
  for (char c : text) {
    if (c >= 'a' && c <= 'z') return true;
  }
  return false;
}

void CheckLoaded(const AppSettings& s) {
  Check(IsFlag(s.locked) && IsFlag(s.autoHideDisconnected) && IsFlag(s.verticalMode) &&
            IsFlag(s.showIconLines) && IsFlag(s.showSmallSquare) && IsFlag(s.persistentWindow) &&
            IsFlag(s.clickThrough) && IsFlag(s.dualIconWindowMode) &&
            IsFlag(s.windowSnapAndLimiting) && IsFlag(s.ignoreOnTopFirstRun) &&
            IsFlag(s.turnOffDetectInterval) && IsFlag(s.alwaysShowTrayIcon),
        "flags are 0/1");
  Check(s.exploreMouseButton == 1 || s.exploreMouseButton == 3, "explore button 1 or 3");
  Check(s.minimizeButton == 0 || s.minimizeButton == 8, "minimize button 0 or 8");
  Check(!s.drives.empty() && s.drives.size() <= 26, "mask of 1..26 characters");
  Check(s.drives != "00000000000000000000000000", "mask selects something");
  Check(InRange(s.iconSize, 1, 4), "iconSize 1..4");
  Check(InRange(s.customIconSize, 10, 1024), "customIconSize 10..1024");
  Check(InRange(s.windowTransparency, 10, 255), "transparency 10..255");
  Check(InRange(s.detectIntervalSeconds, 10, 10000000), "interval 10..10000000");
  Check(!(s.windowSnapAndLimiting == 1 && s.persistentWindow == 1), "snapping clears persistence");
  for (const std::string* color : {&s.readColor, &s.writeColor, &s.backColor, &s.textColor}) {
    Check(!color->empty() && !HasLowerCase(*color), "colour text non-empty, upper case");
  }
  for (std::int32_t c : {s.readRed, s.readGreen, s.readBlue, s.writeRed, s.writeGreen, s.writeBlue,
                         s.backRed, s.backGreen, s.backBlue, s.textRed, s.textGreen, s.textBlue}) {
    Check(InRange(c, 0, 255), "colour components 0..255");
  }
  Check(s.iconPixels >= 10 && s.markerSize >= 4 && s.fontSize >= 5, "icon metrics derived");
}

void ExerciseReader(std::string_view text) {
  for (std::string_view name : {std::string_view("Settings"), std::string_view("")}) {
    const ini::Group group = ini::FindGroup(text, name);
    for (std::string_view key :
         {settings_key::kWinX, settings_key::kDrives, std::string_view("")}) {
      if (auto value = ini::FindValue(group, key)) {
        Check(value->empty() || (value->front() != ' ' && value->front() != '\t'),
              "value without leading blanks");
        Check(value->find_first_of("\r\n") == std::string_view::npos, "value within its line");
        (void)ini::ParseNumber(*value);
        (void)ini::ParsePlainInteger(*value);
        (void)HexToValue(*value);
        (void)SplitColor(*value);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ExerciseReader(text);

  FuzzEnv& env = FreshEnv(text);
  App& app = env.app;
  FakeSystem& system = env.system;
  const std::string& path = env.path;

  LoadSettings(app);
  CheckLoaded(app.settings);
  if (size >= static_cast<std::size_t>(kMinSettingsFileSize)) {
    Check(system.files[path] == text, "loading leaves a long enough file alone");
  } else {
    Check(system.files[path].size() >= static_cast<std::size_t>(kMinSettingsFileSize),
          "short file replaced");
  }
  return 0;
}
