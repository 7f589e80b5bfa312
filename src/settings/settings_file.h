#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glint {

struct App;
struct AppSettings;

inline constexpr std::string_view kSettingsFileName = "Glintbox.ini";
// Written beside the file and moved over it, so that a failed save never leaves half a file.
inline constexpr std::string_view kSettingsTempSuffix = ".tmp";
inline constexpr std::string_view kSettingsGroup = "Settings";
// Shorter files (and missing ones) are replaced by the defaults before loading.
inline constexpr std::int64_t kMinSettingsFileSize = 200;

// The keys of the settings file, letter for letter (spelling mistakes included: old files use
// them).
namespace settings_key {
inline constexpr std::string_view kWinX = "WinX";
inline constexpr std::string_view kWinY = "WinY";
inline constexpr std::string_view kLocked = "Locked";
inline constexpr std::string_view kAutoHideDisconnected = "Auto Hide Disconnected";
inline constexpr std::string_view kExploreMouseButton = "Explore Drive With Mouse Button";
inline constexpr std::string_view kVerticalMode = "Vertical Mode";
inline constexpr std::string_view kShowIconLines = "Show Icon Lines";
inline constexpr std::string_view kShowSmallSquare = "Show Small Square On Icon";
inline constexpr std::string_view kDrives = "Drives";
inline constexpr std::string_view kReadColor = "ReadColor";
inline constexpr std::string_view kWriteColor = "WriteColor";
inline constexpr std::string_view kBackColor = "BackColor";
inline constexpr std::string_view kTextColor = "TextColor";
inline constexpr std::string_view kIconSize = "IconSize";
inline constexpr std::string_view kCustomIconSize = "Custom IconSize";
inline constexpr std::string_view kWindowTransparency = "Window Transperancy";
inline constexpr std::string_view kDetectInterval = "Device Detect Interval (seconds)";
inline constexpr std::string_view kTurnOffDetectInterval = "Turn off Device Detect Interval";
inline constexpr std::string_view kMinimizeButton = "Minimize Button";
inline constexpr std::string_view kPersistentWindow = "Persistant Window";
inline constexpr std::string_view kClickThrough = "Click-Through";
inline constexpr std::string_view kDualIconWindowMode = "Dual Icon Window Mode";
inline constexpr std::string_view kWindowSnapAndLimiting = "Window Snap and Limiting";
inline constexpr std::string_view kIgnoreOnTopFirstRun = "Ignore On-Top upon First-Time Run";
inline constexpr std::string_view kAlwaysShowTrayIcon = "Always Show TrayIcon";
}  // namespace settings_key

// ProgramFolder + "Glintbox.ini".
std::string SettingsPath(const App& app);

// The whole file as SaveSettings writes it, with the window's left and top edges given.
std::string SettingsText(const AppSettings& settings, std::int32_t winX, std::int32_t winY);

// Fills the settings from a file's text: missing keys (or a missing group) take their fallbacks,
// values are clamped, and the icon metrics are derived. Never fails.
void ReadSettingsText(std::string_view text, AppSettings& settings);

// Reads the file; a missing or short one is first replaced by the defaults. Never rewrites an
// existing file that is long enough.
void LoadSettings(App& app);

// Rewrites the whole file from the settings. On any failure the old file stays as it was and
// nothing is reported.
void SaveSettings(App& app);

}  // namespace glint
