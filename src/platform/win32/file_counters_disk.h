#pragma once

#include <cstdint>
#include <string>

#include "platform/win32/win32_disk.h"

namespace glint {

// The real drives, but with read and write counters taken from a text file: under Wine the real
// counters never move, so the test build of the program uses this to make its icons light up.
// One line per drive: its letter, the read count and the write count ("C 120 7"). A drive
// without a line reads as a device that does not open.
class FileCountersDisk final : public Disk {
 public:
  explicit FileCountersDisk(std::string countersPath) : countersPath_(std::move(countersPath)) {}

  // The file named by GLINTBOX_COUNTERS_FILE, else "counters.txt" beside the executable.
  static std::string DefaultCountersPath();

  [[nodiscard]] std::uint32_t LogicalDriveStrings(char* buffer, std::uint32_t size) override {
    return real_.LogicalDriveStrings(buffer, size);
  }
  [[nodiscard]] int DriveType(const std::string& root) override { return real_.DriveType(root); }
  [[nodiscard]] bool VolumeInformation(const std::string& root, VolumeInfo& info) override {
    return real_.VolumeInformation(root, info);
  }
  [[nodiscard]] bool FreeSpace(const std::string& root, std::uint64_t& freeBytes,
                               std::uint64_t& totalBytes) override {
    return real_.FreeSpace(root, freeBytes, totalBytes);
  }
  [[nodiscard]] DiskCountersResult ReadCounters(const char* devicePath, std::uint32_t& readCount,
                                                std::uint32_t& writeCount) override;
  [[nodiscard]] std::uint32_t TickCount() override { return real_.TickCount(); }

 private:
  Win32Disk real_;
  std::string countersPath_;
};

// Finds the counters of a drive letter in the file's text; false when it has no line.
bool ParseDriveCounters(const std::string& text, char letter, std::uint32_t& readCount,
                        std::uint32_t& writeCount);

}  // namespace glint
