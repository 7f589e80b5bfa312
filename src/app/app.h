#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "monitor/activity_query.h"
#include "platform/disk.h"
#include "platform/system.h"
#include "platform/toolkit.h"
#include "settings/app_settings.h"

namespace glint {

inline constexpr std::string_view kProductName = "Glintbox";
inline constexpr std::string_view kVersionString = "v1.12 - November 2011";
// The maker's web page: written into the INI file, shown in the About box, opened by the
// donation command.
inline constexpr std::string_view kMakerWebPage = "https://glintbox.example.org/";
inline constexpr std::string_view kDriveLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr int kDriveCount = 26;
// Per-drive tables have one entry per drive slot (1..26); entry 0 is not used.
inline constexpr int kDriveTableSize = kDriveCount + 1;

// Numbers of the program's windows, controls, images, fonts, menu and tray icon.
inline constexpr int kLedWindow = 0;
inline constexpr int kDrivesAndIconsWindow = 2;
inline constexpr int kWindowOptionsWindow = 3;
inline constexpr int kFillerControl = 27;
inline constexpr int kMinimizeButtonControl = 5000;
inline constexpr int kTrayImage = 200;
inline constexpr int kFillerImage = 1700;
inline constexpr int kLetterFont = 1;
inline constexpr int kSmallButtonFont = 2;
inline constexpr int kUiFont = 3;
inline constexpr int kUiBoldFont = 4;
inline constexpr int kPopupMenu = 0;
inline constexpr int kTrayIcon = 0;

template <typename T>
using DriveTable = std::array<T, kDriveTableSize>;

// The program's whole state: one per process, created by WinMain and fresh by every test.
struct App {
  App(Toolkit& toolkit, Disk& disk, System& system)
      : toolkit(toolkit), disk(disk), system(system) {}
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Toolkit& toolkit;
  Disk& disk;
  System& system;

  AppSettings settings;
  // 1 when the settings file exists but could not be read: saving would then replace the
  // user's file with fallback values, so saves are skipped for the run.
  int settingsFileUnreadable = 0;

  // Start-up.
  int osVersionCode = 0;
  int vistaOrSeven = 0;
  std::string programFolder;
  std::string aboutText;

  // Shell flags and the last control, menu or tray number seen by MainLoop.
  int samplingEnabled = 0;
  int driveSetChanged = 0;
  int lastControlNumber = 0;

  // Sampling.
  DriveTable<std::string> slotRootPaths{};
  DriveTable<int> currentBits{};
  DriveTable<int> lastShownBits{};
  ActivityQueryTables activityQuery;

  // Discovery.
  std::string presenceMask;
  std::string previousPresenceMask;
  DriveTable<std::string> driveTypeList{};
  DriveTable<std::string> floppyList{};
  int floppyCount = 0;

  // LED window: the presence mask the last MarkPresentDrives pass worked from (empty before it).
  std::string presenceSnapshot;
  // Drives and Icons window: 1 after each of its events; the control that raised the last one.
  int configEventPending = 0;
  int lastConfigControl = 0;
};

}  // namespace glint
