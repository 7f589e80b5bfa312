#pragma once

#include <memory>

#include "platform/system.h"

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

  MutexResult CreateInstanceMutex(std::string_view name) override;
  void ReleaseInstanceMutex() override;
  void CloseInstanceMutex() override;

  OsVersionInfo VersionInfo() override;
  std::string ModulePath() override;
  std::string CurrentDirectory() override;
  std::string WindowsFolder() override;

  bool StartProcess(const std::string& commandLine, const std::string& folder) override;
  bool ShellOpen(const std::string& file, const std::string& parameters,
                 const std::string& folder, const std::string& fileType) override;

  std::int64_t FileSize(const std::string& path) override;
  bool ReadWholeFile(const std::string& path, std::string& contents) override;
  bool WriteFileFlushed(const std::string& path, std::string_view contents) override;
  bool MoveFileOver(const std::string& from, const std::string& to) override;
  bool IsReadOnly(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;

  void SleepPrecise(int ms) override;
  void Sleep(int ms) override;
  void SendMouse(MouseAction action) override;
  bool CursorPos(Point& point) override;

  [[noreturn]] void ExitProcess(int code) override;

  // Files larger than this are refused by ReadWholeFile rather than read into memory.
  static constexpr std::int64_t kMaxReadBytes = 64 * 1024 * 1024;

 private:
  void* mutex_ = nullptr;  // HANDLE, kept opaque so that this header needs no <windows.h>
  // winmm.dll, for the timer period around the short sleeps; loaded at the first of them.
  std::unique_ptr<win32::SystemLibrary> winmm_;
};

}  // namespace glint
