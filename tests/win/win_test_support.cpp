#include "win_test_support.h"

#include <fstream>
#include <iterator>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_system.h"

namespace glint::wintest {

namespace {
DebugLines* debugLines = nullptr;
constexpr DWORD kPrintException = 0x40010006;  // DBG_PRINTEXCEPTION_C
}  // namespace

DebugLines::DebugLines() : handler_(AddVectoredExceptionHandler(1, &Handler)) {
  debugLines = this;
}

DebugLines::~DebugLines() {
  debugLines = nullptr;
  RemoveVectoredExceptionHandler(handler_);
}

LONG CALLBACK DebugLines::Handler(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  // The parameters: the length with the terminator, then the text.
  if (debugLines != nullptr && record.ExceptionCode == kPrintException &&
      record.NumberParameters >= 2 && record.ExceptionInformation[0] > 0) {
    const auto* text = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    debugLines->lines_.emplace_back(text, record.ExceptionInformation[0] - 1);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  path_ = std::string(temp) + "glintbox_test_" + std::to_string(GetCurrentProcessId()) + "_" +
          std::to_string(++counter) + "\\";
  RemoveTree(path_);  // left over by an earlier run whose process had the same number
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  RemoveTree(path_);
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + name + "\\");
      } else {
        DeleteFileA((folder + name).c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string SelfPath() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

bool WaitForFile(const std::string& path, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    // The writer shares nothing while the file is open, so an open that succeeds on a
    // non-empty file means the writing is done.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      const DWORD size = GetFileSize(file, nullptr);
      CloseHandle(file);
      if (size != 0 && size != INVALID_FILE_SIZE) return true;
    }
    Sleep(20);
  }
  return false;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<Event> Drain(Win32Toolkit& toolkit) {
  std::vector<Event> events;
  Event event;
  for (int i = 0; i < 1000 && toolkit.PollEvent(event); ++i) events.push_back(event);
  return events;
}

std::vector<Event> DrainDecoded(Win32Toolkit& toolkit) {
  std::vector<Event> events = Drain(toolkit);
  std::erase_if(events, [](const Event& event) { return event.kind == EventKind::kRaw; });
  return events;
}

void PumpFor(Win32Toolkit& toolkit, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    Drain(toolkit);
    Sleep(5);
  }
}

int RunHoldMutex(const char* name, const char* readyEvent, const char* doneEvent) {
  Win32System system;
  const MutexResult result = system.CreateInstanceMutex(name);
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent);
  HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, doneEvent);
  if (ready == nullptr || done == nullptr) return 2;
  SetEvent(ready);
  // Bounded, so that a failing parent never leaves this process behind.
  WaitForSingleObject(done, 30000);
  CloseHandle(ready);
  CloseHandle(done);
  system.CloseInstanceMutex();
  return result == MutexResult::kCreated ? 0 : 1;
}

int RunDllSearch(const char* restrict, const char* name) {
  if (std::string(restrict) == "1") win32::RestrictDllSearch();
  HMODULE module = LoadLibraryA(name);
  if (module == nullptr) return 0;
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  const std::string self = SelfPath();
  const std::string loaded = path;
  return loaded.substr(0, loaded.rfind('\\')) == self.substr(0, self.rfind('\\')) ? 1 : 2;
}

int RunWriteState(const char* file) {
  Win32System system;
  const std::string state = system.ModulePath() + "\n" + system.CurrentDirectory() + "\n";
  return system.WriteFileFlushed(file, state) ? 0 : 1;
}

}  // namespace glint::wintest
