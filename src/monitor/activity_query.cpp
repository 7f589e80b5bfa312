#include "monitor/activity_query.h"

#include "core/app.h"

namespace glint {

int QueryDriveActivity(App& app, const char* devicePath, int slot) {
  if (slot < 0 || slot >= kQuerySlots) return kSlotOutsideTables;
  if (devicePath == nullptr) return 0;

  std::uint32_t readCount = 0;
  std::uint32_t writeCount = 0;
  // A device that is gone or refuses the query reads as idle; its last counters stay, so it
  // does not flash when it comes back unchanged.
  if (app.disk.ReadCounters(devicePath, readCount, writeCount) != DiskCountersResult::kOk) return 0;

  ActivityQueryTables& tables = app.activityQuery;
  const auto row = static_cast<std::size_t>(slot);
  int bits = 0;
  // Inequality, not increase: a counter that wraps or is reset is activity too.
  if (readCount != tables.lastReadCount[row]) {
    tables.lastReadCount[row] = readCount;
    bits |= 1;
  }
  if (writeCount != tables.lastWriteCount[row]) {
    tables.lastWriteCount[row] = writeCount;
    bits |= 2;
  }
  tables.lastResult[row] = static_cast<std::uint8_t>(bits);
  return tables.lastResult[row];
}

}  // namespace glint
