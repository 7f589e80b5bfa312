#include "support/fake/fake_disk.h"

#include <cctype>
#include <cstring>

namespace glint {

FakeDisk::Drive* FakeDisk::Find(const std::string& root) {
  if (root.empty()) return nullptr;
  auto it = drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(root[0]))));
  return it == drives.end() ? nullptr : &it->second;
}

std::uint32_t FakeDisk::LogicalDriveStrings(char* buffer, std::uint32_t size) {
  std::string all;
  for (const auto& [letter, drive] : drives) {
    (void)drive;
    all += letter;
    all += ":\\";
    all += '\0';
  }
  // Like the system call: when the buffer is too small, the needed size and nothing copied.
  if (all.size() + 1 > size) return static_cast<std::uint32_t>(all.size() + 1);
  std::memcpy(buffer, all.data(), all.size());
  buffer[all.size()] = '\0';
  return static_cast<std::uint32_t>(all.size());
}

int FakeDisk::DriveType(const std::string& root) {
  Drive* d = Find(root);
  return d ? d->type : drive_type::kNoRootDir;
}

bool FakeDisk::VolumeInformation(const std::string& root, VolumeInfo& info) {
  journal_.Add("VolumeInformation " + root);
  Drive* d = Find(root);
  if (!d) return false;
  clockMs += d->volumeQueryMs;
  if (!d->hasVolume) return false;
  info = d->volume;
  return true;
}

bool FakeDisk::FreeSpace(const std::string& root, std::uint64_t& freeBytes,
                         std::uint64_t& totalBytes) {
  Drive* d = Find(root);
  if (!d || !d->hasFreeSpace) return false;
  freeBytes = d->freeBytes;
  totalBytes = d->totalBytes;
  return true;
}

DiskCountersResult FakeDisk::ReadCounters(const char* devicePath, std::uint32_t& readCount,
                                          std::uint32_t& writeCount) {
  ++counterReads;
  // "\\.\X:"
  if (std::strlen(devicePath) < 6) return DiskCountersResult::kOpenFailed;
  Drive* d = Find(std::string(1, devicePath[4]));
  if (!d || !d->opens) return DiskCountersResult::kOpenFailed;
  if (!d->answers) return DiskCountersResult::kQueryFailed;
  readCount = d->readCount;
  writeCount = d->writeCount;
  return DiskCountersResult::kOk;
}

}  // namespace glint
