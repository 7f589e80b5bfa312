#include "app/run_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_env.h"

namespace glint {
namespace {

TEST(RunProgramTest, CommandLines) {
  struct Case {
    const char* file;
    const char* parameters;
    const char* commandLine;
  };
  const std::vector<Case> cases = {
      {"explorer.exe", "C:\\", "\"explorer.exe\" C:\\"},
      {"C:\\P\\ReadMe_v1.12.pdf", "", "\"C:\\P\\ReadMe_v1.12.pdf\""},
      // The uninstaller: already quoted, and its parameters start with a blank.
      {"\"C:\\P\\unins000.exe\"", " /NORESTART /SILENT",
       "\"C:\\P\\unins000.exe\"  /NORESTART /SILENT"},
      {"", "", "\"\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BuildCommandLine(c.file, c.parameters), c.commandLine) << c.file;
}

TEST(RunProgramTest, ProgramsStartDirectly) {
  FakeEnv env;
  RunProgram(env.app, "explorer.exe", "D:\\", "");
  ASSERT_EQ(env.system.launches.size(), 1u);
  EXPECT_EQ(env.system.launches[0].how, "process");
  EXPECT_EQ(env.system.launches[0].commandOrFile, "\"explorer.exe\" D:\\");
  EXPECT_EQ(env.system.launches[0].folder, "");
}

TEST(RunProgramTest, DocumentsAndAddressesGoThroughTheShell) {
  struct Case {
    const char* file;
    const char* folder;
    bool document;
    const char* how;  // null: nothing opened
    const char* shellFile;
    const char* shellFolder;
  };
  const std::vector<Case> cases = {
      // Never started as a program, though one of that name would start: opened as its type.
      {"C:\\P.1\\ReadMe_v1.12.pdf", "", true, "shell as .pdf", "C:\\P.1\\ReadMe_v1.12.pdf",
       "C:\\P.1\\"},
      {"C:\\P.1\\Missing.pdf", "", true, nullptr, "", ""},  // silent
      {"https://glintbox.example.org/", "", true, "shell", "https://glintbox.example.org/", ""},
      // A program that does not start is handed to the shell.
      {"\"C:\\P\\unins000.exe\"", "C:\\P\\", false, "shell", "C:\\P\\unins000.exe", "C:\\P\\"},
  };
  for (const auto& c : cases) {
    FakeEnv env;
    env.system.processStarts = c.document;
    env.system.files["C:\\P.1\\ReadMe_v1.12.pdf"] = "%PDF";
    if (c.document) {
      OpenDocument(env.app, c.file);
    } else {
      RunProgram(env.app, c.file, "", c.folder);
    }
    ASSERT_EQ(env.system.launches.size(), c.how ? 1u : 0u) << c.file;
    if (c.how == nullptr) continue;
    EXPECT_EQ(env.system.launches[0].how, c.how);
    EXPECT_EQ(env.system.launches[0].commandOrFile, c.shellFile);
    EXPECT_EQ(env.system.launches[0].parameters, "");
    EXPECT_EQ(env.system.launches[0].folder, c.shellFolder);
  }
}

TEST(RunProgramTest, WhenNothingStartsEachWayIsTriedOnceAndNothingIsShown) {
  FakeEnv env;
  env.system.processStarts = false;
  env.system.shellOpens = false;
  RunProgram(env.app, "C:\\P\\unins000.exe", " /NORESTART /SILENT", "C:\\P\\");
  EXPECT_EQ(env.journal.lines,
            (std::vector<std::string>{"StartProcess \"C:\\P\\unins000.exe\"  /NORESTART /SILENT",
                                      "ShellOpen C:\\P\\unins000.exe"}));
  EXPECT_TRUE(env.toolkit.messageBoxes.empty());
}

}  // namespace
}  // namespace glint
