// A save killed at any moment: a child process saves the settings in a loop and is terminated at
// random times. The file must always be one whole save, and the next start must read it and save
// again even over a temporary file that the killed save left behind.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/app.h"
#include "platform/win32/raii.h"
#include "platform/win32/win32_disk.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_toolkit.h"
#include "settings/settings_file.h"
#include "win_test_support.h"

namespace glint {
namespace wintest {
namespace {

// Where the child was when it was killed: in memory shared with the parent, which reads it after
// the kill.
enum SavePhase : LONG { kElsewhere, kInWriteFileFlushed, kInMoveFileOver, kPhaseCount };
struct SaveLoopState {
  volatile LONG phase;
};

// Win32System, publishing which of the save's two file calls is under way.
class PhaseMarkingSystem final : public System {
 public:
  explicit PhaseMarkingSystem(SaveLoopState& state) : state_(state) {}

  bool WriteFileFlushed(const std::string& path, std::string_view contents) override {
    state_.phase = kInWriteFileFlushed;
    const bool ok = real_.WriteFileFlushed(path, contents);
    state_.phase = kElsewhere;
    return ok;
  }
  bool MoveFileOver(const std::string& from, const std::string& to) override {
    state_.phase = kInMoveFileOver;
    const bool ok = real_.MoveFileOver(from, to);
    state_.phase = kElsewhere;
    return ok;
  }

  MutexResult CreateInstanceMutex(std::string_view name) override {
    return real_.CreateInstanceMutex(name);
  }
  void ReleaseInstanceMutex() override { real_.ReleaseInstanceMutex(); }
  void CloseInstanceMutex() override { real_.CloseInstanceMutex(); }
  OsVersionInfo VersionInfo() override { return real_.VersionInfo(); }
  std::string ModulePath() override { return real_.ModulePath(); }
  std::string CurrentDirectory() override { return real_.CurrentDirectory(); }
  std::string WindowsFolder() override { return real_.WindowsFolder(); }
  bool StartProcess(const std::string& commandLine, const std::string& folder) override {
    return real_.StartProcess(commandLine, folder);
  }
  bool ShellOpen(const std::string& file, const std::string& parameters,
                 const std::string& folder, const std::string& fileType) override {
    return real_.ShellOpen(file, parameters, folder, fileType);
  }
  std::int64_t FileSize(const std::string& path) override { return real_.FileSize(path); }
  bool ReadWholeFile(const std::string& path, std::string& contents) override {
    return real_.ReadWholeFile(path, contents);
  }
  bool IsReadOnly(const std::string& path) override { return real_.IsReadOnly(path); }
  bool RemoveFile(const std::string& path) override { return real_.RemoveFile(path); }
  void SleepPrecise(int ms) override { real_.SleepPrecise(ms); }
  void Sleep(int ms) override { real_.Sleep(ms); }
  void SendMouse(MouseAction action) override { real_.SendMouse(action); }
  bool CursorPos(Point& point) override { return real_.CursorPos(point); }
  [[noreturn]] void ExitProcess(int code) override { real_.ExitProcess(code); }

 private:
  SaveLoopState& state_;
  Win32System real_;
};

// The two records the child alternates between, as the loader gives them. Their files differ in
// length, so that a file cut short or mixed from both would show.
AppSettings SaveLoopRecord(int which) {
  AppSettings s;
  ReadSettingsText(which == 0 ? "[Settings]\r\nWinX = 400\r\nWinY = 10\r\nShow Icon Lines = Yes\r\n"
                              : "[Settings]\r\nWinX = -1234\r\nLocked = Yes\r\n"
                                "Drives = 00111111111111111111111100\r\nReadColor = ABCDEF\r\n"
                                "IconSize = 4\r\nCustom IconSize = 1024\r\n"
                                "Device Detect Interval (seconds) = 10000000\r\n"
                                "Minimize Button = Yes\r\n",
                   s);
  return s;
}

std::string SaveLoopFile(int which) {
  const AppSettings s = SaveLoopRecord(which);
  return SettingsText(s, s.winX, s.winY);
}

std::string UniqueName(const char* what) {
  return std::string("GlintboxSaveKill") + what + std::to_string(GetCurrentProcessId());
}

int KillCount() {
  const char* value = std::getenv("GLINTBOX_SAVE_KILLS");
  const int kills = value != nullptr ? std::atoi(value) : 0;
  return kills > 0 ? kills : 12;  // CI: each kill costs a process start under Wine (~0.2 s)
}

// Busy-waits, so that delays well under the scheduler's tick are possible.
void SpinFor(std::chrono::microseconds delay) {
  const auto end = std::chrono::steady_clock::now() + delay;
  while (std::chrono::steady_clock::now() < end) {
  }
}

TEST(SaveKillTest, EveryKillLeavesOneWholeSaveThatTheNextStartReadsAndReplaces) {
  const int kills = KillCount();
  ScratchFolder folder;
  const std::string path = folder.Path("Glintbox.ini");
  const std::string temp = path + std::string(kSettingsTempSuffix);
  const std::string files[2] = {SaveLoopFile(0), SaveLoopFile(1)};
  const AppSettings records[2] = {SaveLoopRecord(0), SaveLoopRecord(1)};
  ASSERT_NE(files[0].size(), files[1].size());

  const std::string readyName = UniqueName("Ready");
  const std::string stateName = UniqueName("State");
  const win32::UniqueHandle ready(CreateEventA(nullptr, FALSE, FALSE, readyName.c_str()));
  const win32::UniqueHandle mapping(CreateFileMappingA(
      INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SaveLoopState), stateName.c_str()));
  ASSERT_TRUE(ready && mapping);
  auto* state = static_cast<SaveLoopState*>(
      MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SaveLoopState)));
  ASSERT_NE(state, nullptr);

  std::mt19937 random(std::random_device{}());
  Win32Toolkit toolkit;
  Win32Disk disk;
  Win32System system;
  int temporaryLeft = 0;
  int phases[kPhaseCount] = {};
  // Without its final backslash, which would escape the closing quote.
  const std::string folderArgument = folder.Path().substr(0, folder.Path().size() - 1);
  const std::string command = Quoted(SelfPath()) + " " + kSaveLoopMode + " " +
                              Quoted(folderArgument) + " " + readyName + " " + stateName;
  // Part of a save, as a kill may leave it: the first child's first save must go over it too.
  ASSERT_TRUE(system.WriteFileFlushed(temp, files[1].substr(0, files[1].size() / 2)));
  const auto start = std::chrono::steady_clock::now();
  for (int kill = 0; kill < kills; ++kill) {
    std::string commandLine = command;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child))
        << "kill " << kill << ": error " << GetLastError();
    CloseHandle(child.hThread);
    const win32::UniqueHandle process(child.hProcess);
    // The child signals once its first save is on disk; before that no file need exist.
    HANDLE waits[2] = {ready.Get(), process.Get()};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 30000);
    if (woke != WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process.Get(), &code);
      TerminateProcess(process.Get(), 9);
      FAIL() << "kill " << kill << ": the child's first save failed (exit code " << code
             << ", wait " << woke << ")";
    }

    // A quarter at once, a quarter within a fifth of a millisecond, the rest within a few saves.
    const int choice = static_cast<int>(random() % 4);
    if (choice == 1) SpinFor(std::chrono::microseconds(random() % 200));
    if (choice >= 2) SpinFor(std::chrono::microseconds(random() % 5000));
    ASSERT_TRUE(TerminateProcess(process.Get(), 9));
    ASSERT_EQ(WaitForSingleObject(process.Get(), 30000), WAIT_OBJECT_0);
    ++phases[state->phase >= 0 && state->phase < kPhaseCount ? state->phase : kElsewhere];

    std::string text;
    ASSERT_TRUE(system.ReadWholeFile(path, text)) << "kill " << kill << " left no file";
    const int which = text == files[0] ? 0 : text == files[1] ? 1 : -1;
    ASSERT_NE(which, -1) << "kill " << kill << " left a file of " << text.size() << " bytes:\n"
                         << text;
    if (system.FileSize(temp) >= 0) ++temporaryLeft;

    // The next start reads what is there; the next child's first save goes over the temporary.
    App app(toolkit, disk, system);
    app.programFolder = folder.Path();
    LoadSettings(app);
    ASSERT_EQ(app.settings, records[which]) << "kill " << kill;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  // The program's own next save of the other record, over whatever the last kill left.
  App app(toolkit, disk, system);
  app.programFolder = folder.Path();
  LoadSettings(app);
  const int other = app.settings == records[0] ? 1 : 0;
  app.settings = records[other];
  SaveSettings(app);
  std::string text;
  ASSERT_TRUE(system.ReadWholeFile(path, text));
  EXPECT_EQ(text, files[other]);
  EXPECT_EQ(system.FileSize(temp), System::kFileMissing);

  std::printf(
      "%d kills in %.1f s: %d left a temporary; killed in WriteFileFlushed %d, in MoveFileOver "
      "%d, elsewhere %d\n",
      kills, seconds, temporaryLeft, phases[kInWriteFileFlushed], phases[kInMoveFileOver],
      phases[kElsewhere]);
  UnmapViewOfFile(state);
}

}  // namespace

int RunSaveLoop(const char* folder, const char* readyEvent, const char* stateMapping) {
  const win32::UniqueHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent));
  const win32::UniqueHandle mapping(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, stateMapping));
  if (!ready || !mapping) return 2;
  auto* state = static_cast<SaveLoopState*>(
      MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SaveLoopState)));
  if (state == nullptr) return 2;

  PhaseMarkingSystem system(*state);
  Win32Toolkit toolkit;
  Win32Disk disk;
  App app(toolkit, disk, system);
  app.programFolder = std::string(folder) + "\\";
  const std::string path = SettingsPath(app);
  const AppSettings records[2] = {SaveLoopRecord(0), SaveLoopRecord(1)};

  // The first save must succeed over anything a killed one left, and leave no temporary.
  int which = 0;
  app.settings = records[which];
  SaveSettings(app);
  std::string text;
  if (!system.ReadWholeFile(path, text) || text != SaveLoopFile(which) ||
      system.FileSize(path + std::string(kSettingsTempSuffix)) != System::kFileMissing) {
    return 3;
  }
  SetEvent(ready.Get());
  // Bounded, so that a parent that failed never leaves this process behind.
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 60000) {
    which ^= 1;
    app.settings = records[which];
    SaveSettings(app);
  }
  return 4;
}

}  // namespace wintest
}  // namespace glint
