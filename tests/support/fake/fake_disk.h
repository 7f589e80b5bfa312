#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/disk.h"
#include "support/fake/journal.h"

namespace glint {

// In-memory drives. Each drive is keyed by its letter; the device path "\\.\X:" reads its
// counters. The tick count is a virtual clock that tests (and slow volume queries) advance.
class FakeDisk : public Disk {
 public:
  struct Drive {
    int type = drive_type::kFixed;
    bool hasVolume = true;  // GetVolumeInformationA succeeds
    VolumeInfo volume{"", "NTFS"};
    std::uint32_t volumeQueryMs = 0;  // how far the clock moves during the volume query
    bool hasFreeSpace = true;
    std::uint64_t freeBytes = 0;
    std::uint64_t totalBytes = 0;
    bool opens = true;    // the device opens
    bool answers = true;  // the performance query succeeds
    std::uint32_t readCount = 0;
    std::uint32_t writeCount = 0;
  };

  explicit FakeDisk(Journal& journal) : journal_(journal) {}

  std::map<char, Drive> drives;
  std::uint32_t clockMs = 0;
  int counterReads = 0;  // ReadCounters calls

  std::uint32_t LogicalDriveStrings(char* buffer, std::uint32_t size) override;
  int DriveType(const std::string& root) override;
  bool VolumeInformation(const std::string& root, VolumeInfo& info) override;
  bool FreeSpace(const std::string& root, std::uint64_t& freeBytes,
                 std::uint64_t& totalBytes) override;
  DiskCountersResult ReadCounters(const char* devicePath, std::uint32_t& readCount,
                                  std::uint32_t& writeCount) override;
  std::uint32_t TickCount() override { return clockMs; }

 private:
  Drive* Find(const std::string& root);
  Journal& journal_;
};

}  // namespace glint
