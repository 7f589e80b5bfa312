#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/app_settings.h"
#include "core/drives.h"
#include "platform/disk.h"
#include "platform/system.h"
#include "platform/toolkit.h"

namespace glint {

// Rows of the drive query's tables; slots outside them answer kSlotOutsideTables.
inline constexpr int kQuerySlots = 128;
inline constexpr int kSlotOutsideTables = 255;

// The counters and result last seen per query slot. Zero at start and never reset: the first
// sample of a busy drive reports its activity since boot, and a pause shows what happened
// meanwhile.
struct ActivityQueryTables {
  std::array<std::uint32_t, kQuerySlots> lastReadCount{};
  std::array<std::uint32_t, kQuerySlots> lastWriteCount{};
  std::array<std::uint8_t, kQuerySlots> lastResult{};

  friend bool operator==(const ActivityQueryTables&, const ActivityQueryTables&) = default;
};

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
  // The settings file exists but could not be read: saving would then replace the user's file
  // with fallback values, so saves are skipped for the run.
  bool settingsFileUnreadable = false;

  // Start-up.
  int osVersionCode = 0;
  int vistaOrSeven = 0;
  std::string programFolder;
  std::string aboutText;

  // Shell flags and the last control, menu or tray number seen by an event loop.
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
