#include "platform/win32/win32_disk.h"

#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <winioctl.h>

#include <cstddef>
#include <cstring>

#include "platform/win32/raii.h"
#include "platform/win32/trace.h"

namespace glint {

namespace {

// IOCTL_DISK_PERFORMANCE and the public layout of its DISK_PERFORMANCE answer: only the two
// operation counters are read, by offset, so the layout does not depend on the headers.
constexpr DWORD kIoctlDiskPerformance = 0x70020;
constexpr std::size_t kDiskPerformanceSize = 88;
constexpr std::size_t kReadCountOffset = 40;
constexpr std::size_t kWriteCountOffset = 44;
static_assert(kIoctlDiskPerformance == IOCTL_DISK_PERFORMANCE);
static_assert(sizeof(DISK_PERFORMANCE) == kDiskPerformanceSize);
static_assert(offsetof(DISK_PERFORMANCE, ReadCount) == kReadCountOffset);
static_assert(offsetof(DISK_PERFORMANCE, WriteCount) == kWriteCountOffset);

// Room for a label or file-system name; the system never writes more than MAX_PATH + 1.
constexpr DWORD kVolumeTextChars = MAX_PATH + 1;

// The drive letter of "C:\" or "\\.\C:" as 0 to 25; 26 for anything else.
unsigned DriveIndex(const char* root) {
  if (root == nullptr) return 26;
  const char* letter =
      root[0] == '\\' && root[1] == '\\' && root[2] != '\0' && root[3] != '\0' ? root + 4 : root;
  const char upper = static_cast<char>(*letter & ~0x20);
  return upper >= 'A' && upper <= 'Z' ? static_cast<unsigned>(upper - 'A') : 26;
}

}  // namespace

bool Win32Disk::FirstFailure(Failure kind, const char* root) {
  return win32::FirstTime(traced_[static_cast<int>(kind)], DriveIndex(root));
}

std::uint32_t Win32Disk::LogicalDriveStrings(char* buffer, std::uint32_t size) {
  if (buffer == nullptr) size = 0;
  const DWORD length = ::GetLogicalDriveStringsA(size, buffer);
  if (length == 0 && FirstFailure(Failure::kDriveList, nullptr))
    win32::FailureTrace("GetLogicalDriveStringsA") << "the drives";
  return length;
}

int Win32Disk::DriveType(const std::string& root) {
  return static_cast<int>(::GetDriveTypeA(root.c_str()));
}

bool Win32Disk::VolumeInformation(const std::string& root, VolumeInfo& info) {
  char label[kVolumeTextChars] = {};
  char fileSystem[kVolumeTextChars] = {};
  DWORD serialNumber = 0;
  if (!::GetVolumeInformationA(root.c_str(), label, kVolumeTextChars, &serialNumber, nullptr,
                               nullptr, fileSystem, kVolumeTextChars)) {
    if (FirstFailure(Failure::kVolume, root.c_str()))
      win32::FailureTrace("GetVolumeInformationA") << "the volume of " << root;
    return false;
  }
  info.label = label;
  info.fileSystem = fileSystem;
  info.serialNumber = serialNumber;
  return true;
}

bool Win32Disk::FreeSpace(const std::string& root, std::uint64_t& freeBytes,
                          std::uint64_t& totalBytes) {
  ULARGE_INTEGER callerFree{};
  ULARGE_INTEGER total{};
  ULARGE_INTEGER allFree{};
  if (!::GetDiskFreeSpaceExA(root.c_str(), &callerFree, &total, &allFree)) {
    if (FirstFailure(Failure::kSpace, root.c_str()))
      win32::FailureTrace("GetDiskFreeSpaceExA") << "the free space of " << root;
    return false;
  }
  // All free space of the volume, not what a disk quota leaves to this user.
  freeBytes = allFree.QuadPart;
  totalBytes = total.QuadPart;
  return true;
}

DiskCountersResult Win32Disk::ReadCounters(const char* devicePath, std::uint32_t& readCount,
                                           std::uint32_t& writeCount) {
  if (devicePath == nullptr) return DiskCountersResult::kOpenFailed;
  // No access rights are needed for the query, and asking for none works without elevation.
  win32::UniqueHandle device(::CreateFileA(devicePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
  if (!device) {
    if (FirstFailure(Failure::kOpen, devicePath))
      win32::FailureTrace("CreateFileA") << "the counters of " << devicePath;
    return DiskCountersResult::kOpenFailed;
  }
  unsigned char performance[kDiskPerformanceSize] = {};
  DWORD returned = 0;
  if (!::DeviceIoControl(device.Get(), kIoctlDiskPerformance, nullptr, 0, performance,
                         sizeof(performance), &returned, nullptr)) {
    if (FirstFailure(Failure::kQuery, devicePath))
      win32::FailureTrace("DeviceIoControl") << "the counters of " << devicePath;
    return DiskCountersResult::kQueryFailed;
  }
  std::memcpy(&readCount, performance + kReadCountOffset, sizeof(readCount));
  std::memcpy(&writeCount, performance + kWriteCountOffset, sizeof(writeCount));
  return DiskCountersResult::kOk;
}

std::uint32_t Win32Disk::TickCount() {
  return ::GetTickCount();
}

}  // namespace glint
