#pragma once

#include <array>
#include <cstdint>

namespace glint {

struct App;

// Rows of the query tables; slots outside them answer kSlotOutsideTables.
inline constexpr int kQuerySlots = 128;
inline constexpr int kSlotOutsideTables = 255;

// The counters and result last seen per slot. Zero at start and never reset: the first sample
// of a busy drive reports its activity since boot, and a pause shows what happened meanwhile.
struct ActivityQueryTables {
  std::array<std::uint32_t, kQuerySlots> lastReadCount{};
  std::array<std::uint32_t, kQuerySlots> lastWriteCount{};
  std::array<std::uint8_t, kQuerySlots> lastResult{};

  friend bool operator==(const ActivityQueryTables&, const ActivityQueryTables&) = default;
};

// Reads the performance counters of a device ("\\.\C:") and compares them with the slot's last
// ones: 0 idle, 1 read, 2 write, 3 both; 0 also when the device does not open or answer.
int QueryDriveActivity(App& app, const char* devicePath, int slot);

}  // namespace glint
