#pragma once

#include <cstdint>

#include "platform/disk.h"

namespace glint {

// Disk on the Windows kernel.
class Win32Disk final : public Disk {
 public:
  [[nodiscard]] std::uint32_t LogicalDriveStrings(char* buffer, std::uint32_t size) override;
  [[nodiscard]] int DriveType(const std::string& root) override;
  [[nodiscard]] bool VolumeInformation(const std::string& root, VolumeInfo& info) override;
  [[nodiscard]] bool FreeSpace(const std::string& root, std::uint64_t& freeBytes,
                               std::uint64_t& totalBytes) override;
  [[nodiscard]] DiskCountersResult ReadCounters(const char* devicePath, std::uint32_t& readCount,
                                                std::uint32_t& writeCount) override;
  [[nodiscard]] std::uint32_t TickCount() override;

 private:
  // Empty card readers, drives without a medium and devices without counters fail on every pass
  // or tick: each kind of failure is traced once per drive.
  enum class Failure { kDriveList, kVolume, kSpace, kOpen, kQuery, kCount };
  bool FirstFailure(Failure kind, const char* root);
  std::uint64_t traced_[static_cast<int>(Failure::kCount)] = {};
};

}  // namespace glint
