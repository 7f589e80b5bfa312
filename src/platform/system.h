#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace glint {

enum class MutexResult { kCreated, kAlreadyExists, kFailed };

// What GetVersionExA reports: the plain call, then the extended structure.
struct OsVersionInfo {
  bool ok = false;
  std::uint32_t platformId = 0;  // 1 = Windows 9x, 2 = NT
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  bool extendedOk = false;
  int productType = 0;  // 1 = workstation
};

enum class MouseAction { kLeftDown, kLeftUp };

// Processes, files, time and input: the kernel side of the platform.
class System {
 public:
  virtual ~System() = default;

  // CreateMutexA(initial owner) followed at once by GetLastError.
  [[nodiscard]] virtual MutexResult CreateInstanceMutex(std::string_view name) = 0;
  // ReleaseMutex and CloseHandle (the refusal path); CloseHandle only (orderly exit).
  virtual void ReleaseInstanceMutex() = 0;
  virtual void CloseInstanceMutex() = 0;

  [[nodiscard]] virtual OsVersionInfo VersionInfo() = 0;
  // The executable's full path, however long; empty on failure.
  [[nodiscard]] virtual std::string ModulePath() = 0;
  [[nodiscard]] virtual std::string CurrentDirectory() = 0;
  // The Windows folder with a trailing backslash; empty on failure.
  [[nodiscard]] virtual std::string WindowsFolder() = 0;

  // CreateProcessA with the command line and working folder (empty: inherit); both handles
  // closed at once.
  [[nodiscard]] virtual bool StartProcess(const std::string& commandLine,
                                          const std::string& folder) = 0;
  // ShellExecuteExA with the default verb; the process handle is closed. A non-empty
  // `fileType` (an extension such as ".pdf") opens the file as that type, whatever it holds:
  // otherwise Wine's shell first tries to run any file as a program.
  [[nodiscard]] virtual bool ShellOpen(const std::string& file, const std::string& parameters,
                                       const std::string& folder, const std::string& fileType) = 0;

  // Size in bytes, or one of the values below. Only "file not found" and "path not found" make
  // a file missing; any other failure (access denied, sharing violation) leaves an existing file
  // whose size is unknown.
  static constexpr std::int64_t kFileMissing = -1;
  static constexpr std::int64_t kFileIsDirectory = -2;
  static constexpr std::int64_t kFileSizeUnknown = -3;
  [[nodiscard]] virtual std::int64_t FileSize(const std::string& path) = 0;
  [[nodiscard]] virtual bool ReadWholeFile(const std::string& path, std::string& contents) = 0;
  // Creates or truncates the file, writes all bytes in one write and flushes them to disk.
  [[nodiscard]] virtual bool WriteFileFlushed(const std::string& path,
                                              std::string_view contents) = 0;
  // Moves `from` over `to` in one step, replacing it, and waits until the move is on disk.
  [[nodiscard]] virtual bool MoveFileOver(const std::string& from, const std::string& to) = 0;
  // The file's read-only attribute is set (false when it cannot be read).
  [[nodiscard]] virtual bool IsReadOnly(const std::string& path) = 0;
  [[nodiscard]] virtual bool RemoveFile(const std::string& path) = 0;

  // Sleep with the system timer resolution raised to 1 ms for its duration.
  virtual void SleepPrecise(int ms) = 0;
  virtual void Sleep(int ms) = 0;
  virtual void SendMouse(MouseAction action) = 0;
  [[nodiscard]] virtual bool CursorPos(Point& point) = 0;

  [[noreturn]] virtual void ExitProcess(int code) = 0;
};

}  // namespace glint
