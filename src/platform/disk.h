#pragma once

#include <cstdint>
#include <string>

namespace glint {

enum class DiskCountersResult { kOk, kOpenFailed, kQueryFailed };

// Windows drive types (GetDriveTypeA).
namespace drive_type {
constexpr int kUnknown = 0;
constexpr int kNoRootDir = 1;
constexpr int kRemovable = 2;
constexpr int kFixed = 3;
constexpr int kRemote = 4;
constexpr int kCdRom = 5;
constexpr int kRamDisk = 6;
}  // namespace drive_type

struct VolumeInfo {
  std::string label;
  std::string fileSystem;
  std::uint32_t serialNumber = 0;
};

// Drives and their counters.
class Disk {
 public:
  virtual ~Disk() = default;

  // GetLogicalDriveStringsA into a caller's buffer; returns the length it reports.
  [[nodiscard]] virtual std::uint32_t LogicalDriveStrings(char* buffer, std::uint32_t size) = 0;
  [[nodiscard]] virtual int DriveType(const std::string& root) = 0;
  [[nodiscard]] virtual bool VolumeInformation(const std::string& root, VolumeInfo& info) = 0;
  [[nodiscard]] virtual bool FreeSpace(const std::string& root, std::uint64_t& freeBytes,
                                       std::uint64_t& totalBytes) = 0;
  // Opens the device with no access rights (read and write sharing), asks for its
  // DISK_PERFORMANCE and closes it again; no handle is kept.
  [[nodiscard]] virtual DiskCountersResult ReadCounters(const char* devicePath,
                                                        std::uint32_t& readCount,
                                                        std::uint32_t& writeCount) = 0;
  [[nodiscard]] virtual std::uint32_t TickCount() = 0;
};

}  // namespace glint
