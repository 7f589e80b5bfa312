#pragma once

#include <memory>

#include "platform/system.h"
#include "platform/win32/unique_handle.h"

namespace glint {

namespace win32 {
class SystemLibrary;
}

// System on the Windows kernel: every call is the Windows call with its types translated.
class Win32System final : public System {
 public:
  Win32System();
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  [[nodiscard]] MutexResult CreateInstanceMutex(std::string_view name) override;
  void ReleaseInstanceMutex() override;
  void CloseInstanceMutex() override;

  [[nodiscard]] OsVersionInfo VersionInfo() override;
  [[nodiscard]] std::string ModulePath() override;
  [[nodiscard]] std::string CurrentDirectory() override;
  [[nodiscard]] std::string WindowsFolder() override;

  [[nodiscard]] bool StartProcess(const std::string& commandLine,
                                  const std::string& folder) override;
  [[nodiscard]] bool ShellOpen(const std::string& file, const std::string& parameters,
                               const std::string& folder, const std::string& fileType) override;

  [[nodiscard]] std::int64_t FileSize(const std::string& path) override;
  [[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& contents) override;
  [[nodiscard]] bool WriteFileFlushed(const std::string& path, std::string_view contents) override;
  [[nodiscard]] bool MoveFileOver(const std::string& from, const std::string& to) override;
  [[nodiscard]] bool IsReadOnly(const std::string& path) override;
  [[nodiscard]] bool RemoveFile(const std::string& path) override;

  void SleepPrecise(int ms) override;
  void Sleep(int ms) override;
  void SendMouse(MouseAction action) override;
  [[nodiscard]] bool CursorPos(Point& point) override;

  [[noreturn]] void ExitProcess(int code) override;

  // Files larger than this are refused by ReadWholeFile rather than read into memory.
  static constexpr std::int64_t kMaxReadBytes = 64 * 1024 * 1024;

 private:
  win32::UniqueHandle mutex_;
  // winmm.dll, for the timer period around the short sleeps; loaded at the first of them.
  std::unique_ptr<win32::SystemLibrary> winmm_;
  // Launches and the timer period fail alike every time (a missing document, no uninstaller):
  // traced once each.
  std::uint64_t tracedOnce_ = 0;
};

}  // namespace glint
