// Processes, the instance mutex and what the system reports about itself.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_system.h"
#include "win_test_support.h"

namespace glint {
namespace {

using wintest::Quoted;

std::string UniqueName(const char* what) {
  return std::string("GlintboxTest") + what + std::to_string(GetCurrentProcessId());
}

TEST(SystemProcessTest, MutexHeldByAnotherProcessIsReportedAndFreedWithIt) {
  const std::string name = UniqueName("Mutex");
  const std::string readyName = UniqueName("Ready");
  const std::string doneName = UniqueName("Done");
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, doneName.c_str());
  ASSERT_TRUE(ready && done);

  std::string command = Quoted(wintest::SelfPath()) + " " + wintest::kHoldMutexMode + " " + name +
                        " " + readyName + " " + doneName;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &child));
  ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0);

  Win32System system;
  EXPECT_EQ(system.CreateInstanceMutex(name), MutexResult::kAlreadyExists);
  system.ReleaseInstanceMutex();  // not the owner: must not disturb the child

  SetEvent(done);
  ASSERT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
  DWORD exitCode = 99;
  GetExitCodeProcess(child.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);  // the child created the mutex itself
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  CloseHandle(ready);
  CloseHandle(done);

  EXPECT_EQ(system.CreateInstanceMutex(name), MutexResult::kCreated);
  system.CloseInstanceMutex();
}

// A DLL that the program's system DLLs would load by name later, planted beside the program: the
// probe lies beside this binary, and no DLL of its name lies in the system folder.
TEST(SystemProcessTest, LaterLoadsByNameSkipTheProgramsFolder) {
  const std::string self = Quoted(wintest::SelfPath());
  for (const char* restrict : {"0", "1"}) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    std::string command =
        self + " " + wintest::kDllSearchMode + " " + restrict + " glintbox_probe.dll";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child));
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    // Unrestricted, the planted one is loaded: the probe works.
    EXPECT_EQ(exitCode, std::string(restrict) == "1" ? 0u : 1u) << "restricted: " << restrict;
  }
  const std::string path = wintest::SelfPath();
  DeleteFileA((path.substr(0, path.rfind('\\') + 1) + "glintbox_probe-loaded.txt").c_str());
}

TEST(SystemProcessTest, VersionOfThePrefix) {
  // Wine's default prefix: Windows 7, NT 6.1, workstation.
  const OsVersionInfo info = Win32System().VersionInfo();
  EXPECT_TRUE(info.ok);
  EXPECT_EQ(info.platformId, 2u);
  EXPECT_EQ(info.major, 6u);
  EXPECT_EQ(info.minor, 1u);
  EXPECT_TRUE(info.extendedOk);
  EXPECT_EQ(info.productType, 1);
}

TEST(SystemProcessTest, ModulePathAndCurrentDirectory) {
  Win32System system;
  const std::string path = system.ModulePath();
  const std::string name = "\\glintbox_win_tests.exe";
  ASSERT_GT(path.size(), name.size());
  EXPECT_EQ(path.substr(path.size() - name.size()), name);
  EXPECT_EQ(path.substr(1, 2), ":\\");

  char current[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(system.CurrentDirectory(), current);
}

TEST(SystemProcessTest, StartProcessAndShellOpen) {
  wintest::ScratchFolder scratch;
  Win32System system;
  const std::string self = Quoted(wintest::SelfPath());

  // The working folder reaches the new process; a folder given with its backslash is accepted.
  const std::string first = scratch.Path("first.txt");
  ASSERT_TRUE(system.StartProcess(self + " " + wintest::kWriteStateMode + " " + Quoted(first),
                                  scratch.Path()));
  ASSERT_TRUE(wintest::WaitForFile(first, 30000));
  const std::string state = wintest::ReadText(first);
  const std::string folder = scratch.Path().substr(0, scratch.Path().size() - 1);
  EXPECT_EQ(state.substr(state.find('\n') + 1), folder + "\n");

  const std::string second = scratch.Path("second.txt");
  ASSERT_TRUE(system.ShellOpen(wintest::SelfPath(),
                               std::string(wintest::kWriteStateMode) + " " + Quoted(second), "", ""));
  EXPECT_TRUE(wintest::WaitForFile(second, 30000));

  // Failures are reported, and the shell shows no error box (it would block this test).
  EXPECT_FALSE(system.StartProcess(Quoted(scratch.Path("missing.exe")), ""));
  EXPECT_FALSE(system.StartProcess("", ""));
  EXPECT_FALSE(system.ShellOpen(scratch.Path("missing.pdf"), "", "", ""));
}

}  // namespace
}  // namespace glint
