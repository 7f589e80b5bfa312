#include "platform/win32/file_counters_disk.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "platform/win32/windows_api.h"

namespace glint {

std::string FileCountersDisk::DefaultCountersPath() {
  char fromEnvironment[MAX_PATH] = {};
  const DWORD length =
      ::GetEnvironmentVariableA("GLINTBOX_COUNTERS_FILE", fromEnvironment, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return fromEnvironment;
  char module[MAX_PATH] = {};
  const DWORD moduleLength = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string path(module, moduleLength < MAX_PATH ? moduleLength : 0);
  const auto cut = path.find_last_of("\\/");
  return (cut == std::string::npos ? std::string() : path.substr(0, cut + 1)) + "counters.txt";
}

bool ParseDriveCounters(const std::string& text, char letter, std::uint32_t& readCount,
                        std::uint32_t& writeCount) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string drive;
    unsigned long long reads = 0, writes = 0;
    if (!(fields >> drive >> reads >> writes) || drive.empty()) continue;
    if (std::toupper(static_cast<unsigned char>(drive[0])) !=
        std::toupper(static_cast<unsigned char>(letter)))
      continue;
    readCount = static_cast<std::uint32_t>(reads);
    writeCount = static_cast<std::uint32_t>(writes);
    return true;
  }
  return false;
}

DiskCountersResult FileCountersDisk::ReadCounters(const char* devicePath, std::uint32_t& readCount,
                                                  std::uint32_t& writeCount) {
  // "\\.\X:"
  if (devicePath == nullptr || std::strlen(devicePath) < 6) return DiskCountersResult::kOpenFailed;
  HANDLE file = ::CreateFileA(countersPath_.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return DiskCountersResult::kOpenFailed;
  char buffer[4096];
  DWORD got = 0;
  const BOOL ok = ::ReadFile(file, buffer, sizeof buffer - 1, &got, nullptr);
  ::CloseHandle(file);
  if (!ok) return DiskCountersResult::kQueryFailed;
  const std::string text(buffer, got);
  return ParseDriveCounters(text, devicePath[4], readCount, writeCount)
             ? DiskCountersResult::kOk
             : DiskCountersResult::kOpenFailed;
}

}  // namespace glint
