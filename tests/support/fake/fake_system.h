#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"
#include "support/fake/journal.h"

namespace glint {

// Thrown by FakeSystem::ExitProcess so that a test can catch the end of the program.
struct FakeExit {
  int code = 0;
};

// An in-memory System: files in a map, a virtual clock, scripted versions and launches.
class FakeSystem : public System {
 public:
  explicit FakeSystem(Journal& journal) : journal_(journal) {}

  // --- What the test sets up ---
  MutexResult mutexResult = MutexResult::kCreated;
  OsVersionInfo version{true, 2, 6, 1, true, 1};  // Windows 7 workstation
  std::string modulePath = "C:\\Program Files\\Glintbox\\Glintbox.exe";
  std::string currentDirectory = "C:\\Users\\user";
  std::string windowsFolder = "C:\\WINDOWS\\";
  bool processStarts = true;                 // StartProcess succeeds
  bool shellOpens = true;                    // ShellOpen succeeds
  std::map<std::string, std::string> files;  // full path -> bytes
  std::set<std::string> directories;         // full paths that are directories
  std::set<std::string> unreadable;          // exist but cannot be opened for reading
  std::set<std::string> sizeUnknown;         // exist but their attributes cannot be read
  std::set<std::string> readOnlyFolders;     // folder paths (with trailing backslash)
  // Read-only files, which a move replaces all the same, as Wine does.
  std::set<std::string> readOnlyFiles;
  bool failReplace = false;  // MoveFileOver fails
  Point cursor{};

  // --- What the program did ---
  struct Launch {
    std::string how;  // "process" or "shell"
    std::string commandOrFile;
    std::string parameters;
    std::string folder;
  };
  std::vector<Launch> launches;
  std::uint64_t clockMs = 0;  // advanced by the sleeps
  int writes = 0;             // successful WriteFileFlushed calls

  // --- System ---
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

 private:
  bool InReadOnlyFolder(const std::string& path) const;
  Journal& journal_;
};

}  // namespace glint
