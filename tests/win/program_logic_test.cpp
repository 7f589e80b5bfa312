// The program's own rules over the real Win32 API: the settings file, the version code and the
// program folder as the running system gives them.
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "core/app.h"
#include "core/numbers.h"
#include "platform/win32/win32_disk.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_toolkit.h"
#include "settings/defaults.h"
#include "settings/record_rules.h"
#include "settings/settings_file.h"

namespace glint {
namespace {

class ProgramLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ProgramFolderFor(system_.ModulePath(), system_.CurrentDirectory()) + "logic_" +
              std::to_string(GetCurrentProcessId()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    app_.programFolder = folder_;
  }
  void TearDown() override {
    DeleteFileA((folder_ + "Glintbox.ini").c_str());
    DeleteFileA((folder_ + "Glintbox.ini.tmp").c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Read(const std::string& name) {
    std::string contents;
    EXPECT_TRUE(system_.ReadWholeFile(folder_ + name, contents)) << name;
    return contents;
  }
  void Write(const std::string& name, const std::string& contents) {
    ASSERT_TRUE(system_.WriteFileFlushed(folder_ + name, contents));
  }

  Win32Toolkit toolkit_;
  Win32System system_;
  Win32Disk disk_;
  App app_{toolkit_, disk_, system_};
  std::string folder_;
};

AppSettings Defaults(App& app) {
  ApplyDefaults(app.settings);
  ComputeIconMetrics(app.settings);
  return app.settings;
}

TEST_F(ProgramLogicTest, FirstRunWritesTheDefaultFile) {
  LoadSettings(app_);
  const std::string text = Read("Glintbox.ini");
  AppSettings defaults = app_.settings;
  EXPECT_EQ(text, SettingsText(Defaults(app_), 400, 10));
  EXPECT_EQ(app_.settings, defaults);
  EXPECT_EQ(system_.FileSize(folder_ + "Glintbox.ini.tmp"), -1);
}

TEST_F(ProgramLogicTest, ShortFileIsReplacedLongFileIsKept) {
  Write("Glintbox.ini", "[Settings]\r\nIconSize = 3\r\n");
  LoadSettings(app_);
  EXPECT_EQ(app_.settings.iconSize, 1);
  EXPECT_EQ(Read("Glintbox.ini"), SettingsText(app_.settings, 400, 10));

  const std::string odd = "[settings]\r\niconsize = 7\r\nWinX = -20\r\n; " + std::string(220, 'x');
  Write("Glintbox.ini", odd);
  LoadSettings(app_);
  EXPECT_EQ(app_.settings.iconSize, 3);
  EXPECT_EQ(app_.settings.winX, -20);
  EXPECT_EQ(Read("Glintbox.ini"), odd);
}

TEST_F(ProgramLogicTest, SaveReplacesTheFileWhole) {
  Write("Glintbox.ini", std::string(5000, ';'));  // longer than what replaces it
  Defaults(app_);
  app_.settings.locked = 1;
  SaveSettings(app_);
  const std::string text = Read("Glintbox.ini");
  EXPECT_EQ(text, SettingsText(app_.settings, app_.settings.winX, app_.settings.winY));
  EXPECT_NE(text.find("Locked = Yes\r\n"), std::string::npos);
  EXPECT_EQ(system_.FileSize(folder_ + "Glintbox.ini.tmp"), -1);
}

TEST_F(ProgramLogicTest, UnwritableFolderWritesNothingAndLoads) {
  app_.programFolder = folder_ + "missing\\";
  LoadSettings(app_);  // must not crash
  SaveSettings(app_);
  EXPECT_EQ(system_.FileSize(app_.programFolder + "Glintbox.ini"), -1);
  EXPECT_GE(app_.settings.iconPixels, 10);
  EXPECT_GE(app_.settings.windowTransparency, 10);
}

TEST_F(ProgramLogicTest, FileThatIsAFolderIsLeftAlone) {
  ASSERT_TRUE(CreateDirectoryA((folder_ + "Glintbox.ini").c_str(), nullptr));
  LoadSettings(app_);
  SaveSettings(app_);
  EXPECT_EQ(system_.FileSize(folder_ + "Glintbox.ini"), -2);
  RemoveDirectoryA((folder_ + "Glintbox.ini").c_str());
}

TEST(PrefixTest, VersionCodeAndProgramFolder) {
  Win32System system;
  // Wine's default prefix reports Windows 7 (NT 6.1 workstation).
  EXPECT_EQ(OsVersionCode(system.VersionInfo()), 80);

  Win32Toolkit toolkit;
  Win32Disk disk;
  App app(toolkit, disk, system);
  ResolveProgramFolder(app);
  const std::string module = system.ModulePath();
  ASSERT_FALSE(app.programFolder.empty());
  EXPECT_EQ(app.programFolder.back(), '\\');
  EXPECT_EQ(module.rfind(app.programFolder, 0), 0u) << module;
  EXPECT_EQ(module.substr(app.programFolder.size()), "glintbox_win_tests.exe");
}

}  // namespace
}  // namespace glint
