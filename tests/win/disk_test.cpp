// Drives as the prefix shows them: C: (the prefix's drive_c) and Z: (the Linux root).
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/win32/win32_disk.h"
#include "win_test_support.h"

namespace glint {
namespace {

TEST(DiskTest, DriveStringsAreFourBytesEach) {
  Win32Disk disk;
  char buffer[255] = {};
  const std::uint32_t length = disk.LogicalDriveStrings(buffer, sizeof(buffer));
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, sizeof(buffer));
  ASSERT_EQ(length % 4, 0u);
  std::string roots;
  for (std::uint32_t i = 0; i < length; i += 4) {
    EXPECT_EQ(std::strlen(buffer + i), 3u);
    roots += buffer + i;
  }
  EXPECT_NE(roots.find("C:\\"), std::string::npos);
  EXPECT_NE(roots.find("Z:\\"), std::string::npos);

  // Too small: nothing usable is written, the needed length is returned.
  char tiny[2] = {};
  EXPECT_GT(disk.LogicalDriveStrings(tiny, sizeof(tiny)), sizeof(tiny));
  EXPECT_EQ(disk.LogicalDriveStrings(nullptr, 100), length + 1);
}

TEST(DiskTest, TypeVolumeAndSpaceOfC) {
  Win32Disk disk;
  EXPECT_EQ(disk.DriveType("C:\\"), drive_type::kFixed);
  EXPECT_EQ(disk.DriveType("Q:\\"), drive_type::kNoRootDir);

  VolumeInfo info{"stale", "stale"};
  ASSERT_TRUE(disk.VolumeInformation("C:\\", info));
  EXPECT_EQ(info.fileSystem, "NTFS");
  VolumeInfo untouched{"keep", "keep"};
  EXPECT_FALSE(disk.VolumeInformation("Q:\\", untouched));
  EXPECT_EQ(untouched.label, "keep");

  std::uint64_t freeBytes = 0;
  std::uint64_t totalBytes = 0;
  ASSERT_TRUE(disk.FreeSpace("C:\\", freeBytes, totalBytes));
  EXPECT_GT(totalBytes, 0u);
  EXPECT_LE(freeBytes, totalBytes);
  EXPECT_FALSE(disk.FreeSpace("Q:\\", freeBytes, totalBytes));
}

TEST(DiskTest, CountersFailAsWineAllowsAndLeaveTheValuesTracedOnce) {
  wintest::DebugLines trace;
  Win32Disk disk;
  const struct {
    const char* device;
    DiskCountersResult expected;
  } cases[] = {
      {"\\\\.\\C:", DiskCountersResult::kQueryFailed},  // opens; no performance counters
      {"\\\\.\\Z:", DiskCountersResult::kOpenFailed},   // access denied
      {"\\\\.\\Q:", DiskCountersResult::kOpenFailed},   // no such drive
      {"", DiskCountersResult::kOpenFailed},           {nullptr, DiskCountersResult::kOpenFailed},
  };
  for (int tick = 0; tick < 2; ++tick) {  // the second tick's failures are not traced again
    for (const auto& c : cases) {
      std::uint32_t reads = 11;
      std::uint32_t writes = 22;
      EXPECT_EQ(disk.ReadCounters(c.device, reads, writes), c.expected)
          << (c.device ? c.device : "null");
      EXPECT_EQ(reads, 11u);
      EXPECT_EQ(writes, 22u);
    }
  }
  // One line each, with the error's system text; none for the null path, which asks no one.
  const std::string prefixes[] = {
      "Glintbox: DeviceIoControl failed (the counters of \\\\.\\C:), error 50: ",
      "Glintbox: CreateFileA failed (the counters of \\\\.\\Z:), error 5: ",
      "Glintbox: CreateFileA failed (the counters of \\\\.\\Q:), error ",
      "Glintbox: CreateFileA failed (the counters of ), error "};
  ASSERT_EQ(trace.Lines().size(), std::size(prefixes));
  for (std::size_t i = 0; i < std::size(prefixes); ++i) {
    EXPECT_EQ(trace.Lines()[i].rfind(prefixes[i], 0), 0u) << trace.Lines()[i];
    EXPECT_GT(trace.Lines()[i].size(), prefixes[i].size() + 4) << trace.Lines()[i];
  }
}

TEST(DiskTest, DevicesAreOpenedWithoutAccessRights) {
  // A file held open with no sharing at all: a handle that asked for read or write access would
  // be refused; one with no access rights opens, and only the query fails.
  char folder[MAX_PATH] = {};
  char path[MAX_PATH] = {};
  ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
  ASSERT_NE(GetTempFileNameA(folder, "gbx", 0, path), 0u);
  HANDLE held = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  HANDLE reader = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(reader, INVALID_HANDLE_VALUE);  // the premise: sharing is enforced
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);

  Win32Disk disk;
  std::uint32_t reads = 0;
  std::uint32_t writes = 0;
  EXPECT_EQ(disk.ReadCounters(path, reads, writes), DiskCountersResult::kQueryFailed);
  CloseHandle(held);
  DeleteFileA(path);
}

}  // namespace
}  // namespace glint
