#pragma once

// Helpers of the Windows-side tests: scratch folders, the test binary's own path and the helper
// modes that the binary runs when a test starts it as a second process.
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/win32/win32_toolkit.h"

namespace glint {

inline void PrintTo(const Event& event, std::ostream* out) {
  static const char* const kKinds[] = {"Raw", "Control", "Menu", "Tray", "Close"};
  *out << kKinds[static_cast<int>(event.kind)] << "{message 0x" << std::hex << event.message
       << std::dec << ", number " << event.number << ", detail " << event.detail << "}";
}

}  // namespace glint

namespace glint::wintest {

// The helper modes of the test binary (handled in main before GoogleTest starts).
inline constexpr char kHoldMutexMode[] = "--hold-mutex";    // NAME READY-EVENT DONE-EVENT
inline constexpr char kWriteStateMode[] = "--write-state";  // FILE
// FOLDER (without its final backslash) READY-EVENT STATE-MAPPING
inline constexpr char kSaveLoopMode[] = "--save-loop";
// 0|1 NAME: loads the DLL NAME by name (after the program's search restriction when 1); exits
// with 1 when the one beside the binary was loaded, 2 when another, 0 when none.
inline constexpr char kDllSearchMode[] = "--dll-search";

// A fresh folder under %TEMP%, removed with everything in it at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }  // ends with a backslash
  std::string Path(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& folder);
std::string SelfPath();
std::string Quoted(const std::string& text);
bool WaitForFile(const std::string& path, DWORD timeoutMs);
std::string ReadText(const std::string& path);

// Polls until nothing is pending (bounded), returning what came out.
std::vector<Event> Drain(Win32Toolkit& toolkit);

// Drain, keeping only the events other than raw messages.
std::vector<Event> DrainDecoded(Win32Toolkit& toolkit);

// Polls (with short sleeps) for about the given time.
void PumpFor(Win32Toolkit& toolkit, DWORD ms);

// The lines this process sends to the debugger while it lives: OutputDebugStringA raises
// DBG_PRINTEXCEPTION_C, which a vectored handler sees first.
class DebugLines {
 public:
  DebugLines();
  ~DebugLines();
  DebugLines(const DebugLines&) = delete;
  DebugLines& operator=(const DebugLines&) = delete;
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  static LONG CALLBACK Handler(EXCEPTION_POINTERS* pointers);
  void* handler_;
  std::vector<std::string> lines_;
};

// A toolkit with window 0: a hidden 8 x 8 popup at (100, 120).
class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit_.Initialize();
    ASSERT_TRUE(toolkit_.CreatePopupWindow(0, "Glintbox test", 100, 120, 8, 8));
  }
  HWND Window(int window = 0) const { return static_cast<HWND>(toolkit_.NativeWindow(window)); }
  HWND Control(int control) const { return static_cast<HWND>(toolkit_.NativeControl(control)); }

  Win32Toolkit toolkit_;
};

int RunHoldMutex(const char* name, const char* readyEvent, const char* doneEvent);
int RunWriteState(const char* file);
// Saves the settings into FOLDER in a loop until killed (save_kill_test.cpp).
int RunSaveLoop(const char* folder, const char* readyEvent, const char* stateMapping);
int RunDllSearch(const char* restrict, const char* name);

}  // namespace glint::wintest
