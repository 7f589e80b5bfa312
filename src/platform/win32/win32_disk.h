#pragma once

#include "platform/disk.h"

namespace glint {

// Disk on the Windows kernel.
class Win32Disk final : public Disk {
 public:
  std::uint32_t LogicalDriveStrings(char* buffer, std::uint32_t size) override;
  int DriveType(const std::string& root) override;
  bool VolumeInformation(const std::string& root, VolumeInfo& info) override;
  bool FreeSpace(const std::string& root, std::uint64_t& freeBytes,
                 std::uint64_t& totalBytes) override;
  DiskCountersResult ReadCounters(const char* devicePath, std::uint32_t& readCount,
                                  std::uint32_t& writeCount) override;
  std::uint32_t TickCount() override;
};

}  // namespace glint
