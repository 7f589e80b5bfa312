#include "platform/win32/win32_system.h"

#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <vector>

#include "platform/win32/raii.h"
#include "platform/win32/system_library.h"
#include "platform/win32/trace.h"

namespace glint {

namespace {

// Longest path any Windows API hands out (the \\?\ form), plus slack for the terminator.
constexpr DWORD kMaxPathChars = 32768 + 1;

// timeBeginPeriod and timeEndPeriod.
using TimerPeriodFunction = UINT(WINAPI*)(UINT);
constexpr UINT kTimerNoError = 0;  // TIMERR_NOERROR

// What tracedOnce_ has seen.
enum TracedOnce : unsigned { kTracedStart, kTracedShell, kTracedTimerPeriod };

// "File not found" and "path not found" are what a first start or a cleanup expects.
bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

Win32System::Win32System() = default;

Win32System::~Win32System() = default;

MutexResult Win32System::CreateInstanceMutex(std::string_view name) {
  const std::string mutexName(name);
  HANDLE handle = ::CreateMutexA(nullptr, TRUE, mutexName.c_str());
  // Read at once: anything in between may overwrite the last error.
  const DWORD error = ::GetLastError();
  if (handle == nullptr) {
    win32::FailureTrace("CreateMutexA", error) << "the instance mutex " << name;
    return MutexResult::kFailed;
  }
  // Keep the handle in either case so that Release/Close can give it back.
  mutex_.Reset(handle);
  return error == ERROR_SUCCESS ? MutexResult::kCreated : MutexResult::kAlreadyExists;
}

void Win32System::ReleaseInstanceMutex() {
  // Fails harmlessly when another process owns the mutex: not traced.
  if (mutex_) ::ReleaseMutex(mutex_.Get());
  CloseInstanceMutex();
}

void Win32System::CloseInstanceMutex() {
  mutex_.Reset();
}

#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996)  // GetVersionExA is deprecated, yet the call Windows 2000 answers
#endif
OsVersionInfo Win32System::VersionInfo() {
  OsVersionInfo info;
  OSVERSIONINFOA plain{};
  plain.dwOSVersionInfoSize = sizeof(plain);
  if (!::GetVersionExA(&plain)) {
    win32::FailureTrace("GetVersionExA") << "the version";
    return info;
  }
  info.ok = true;
  info.platformId = plain.dwPlatformId;
  info.major = plain.dwMajorVersion;
  info.minor = plain.dwMinorVersion;
  // The extended structure is refused by Windows 9x and NT 4.0 before SP6.
  if (plain.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof(extended);
    if (::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
      info.extendedOk = true;
      info.productType = extended.wProductType;
    } else {
      win32::FailureTrace("GetVersionExA") << "the extended version";
    }
  }
  return info;
}
#ifdef _MSC_VER
#pragma warning(pop)
#endif

std::string Win32System::ModulePath() {
  // GetModuleFileNameA cuts the path silently when the buffer is short (and then returns the
  // buffer size), so grow the buffer until the whole path fits.
  std::vector<char> buffer(MAX_PATH + 1);
  while (buffer.size() <= kMaxPathChars) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) break;
    // Some versions return size - 1 for a cut path, so only a shorter result surely fits.
    if (length < size - 1) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
  win32::FailureTrace("GetModuleFileNameA") << "the program's path";
  return {};
}

std::string Win32System::CurrentDirectory() {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
    if (needed == 0 || needed > kMaxPathChars) break;
    std::vector<char> buffer(needed);
    const DWORD length = ::GetCurrentDirectoryA(needed, buffer.data());
    if (length == 0) break;
    if (length < needed) return std::string(buffer.data(), length);
    // The directory changed between the two calls and grew; ask again.
  }
  win32::FailureTrace("GetCurrentDirectoryA") << "the current folder";
  return {};
}

std::string Win32System::WindowsFolder() {
  return win32::WindowsFolder();
}

bool Win32System::StartProcess(const std::string& commandLine, const std::string& folder) {
  // CreateProcessA may write into the command line, so it gets its own copy.
  std::vector<char> mutableCommand(commandLine.begin(), commandLine.end());
  mutableCommand.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, mutableCommand.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS, nullptr, folder.empty() ? nullptr : folder.c_str(),
                        &startup, &process)) {
    if (win32::FirstTime(tracedOnce_, kTracedStart))
      win32::FailureTrace("CreateProcessA") << "starting " << commandLine;
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

bool Win32System::ShellOpen(const std::string& file, const std::string& parameters,
                            const std::string& folder, const std::string& fileType) {
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof(execute);
  // No UI: a missing document or association must fail silently, not with a shell error box.
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  if (!fileType.empty()) {
    execute.fMask |= SEE_MASK_CLASSNAME;
    execute.lpClass = fileType.c_str();
  }
  execute.lpVerb = nullptr;
  execute.lpFile = file.c_str();
  execute.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  execute.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExA(&execute)) {
    if (win32::FirstTime(tracedOnce_, kTracedShell))
      win32::FailureTrace("ShellExecuteExA") << "opening " << file;
    return false;
  }
  if (execute.hProcess != nullptr) ::CloseHandle(execute.hProcess);
  return true;
}

std::int64_t Win32System::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    const DWORD error = ::GetLastError();
    if (IsMissing(error)) return kFileMissing;
    // Anything else (access denied, a sharing violation) may well hide an existing file.
    win32::FailureTrace("GetFileAttributesExA", error) << "the size of " << path;
    return kFileSizeUnknown;
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return kFileIsDirectory;
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                   data.nFileSizeLow);
}

bool Win32System::ReadWholeFile(const std::string& path, std::string& contents) {
  win32::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    win32::FailureTrace("CreateFileA") << "reading " << path;
    return false;
  }
  // GetFileSize, not GetFileSizeEx: Windows 98 and NT 4.0 lack that, and would not even load a
  // program that imports it.
  DWORD high = 0;
  const DWORD low = ::GetFileSize(file.Get(), &high);
  if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) {
    win32::FailureTrace("GetFileSize") << "reading " << path;
    return false;
  }
  const std::int64_t size =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
  if (size > kMaxReadBytes) return false;
  std::string data;
  data.reserve(static_cast<std::size_t>(size));
  // Read until the end rather than trusting the size: the file may change meanwhile.
  char chunk[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), chunk, sizeof(chunk), &got, nullptr)) {
      win32::FailureTrace("ReadFile") << "reading " << path;
      return false;
    }
    if (got == 0) break;
    if (static_cast<std::int64_t>(data.size()) + got > kMaxReadBytes) return false;
    data.append(chunk, got);
  }
  contents.swap(data);
  return true;
}

bool Win32System::WriteFileFlushed(const std::string& path, std::string_view contents) {
  if (contents.size() > MAXDWORD) return false;
  win32::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    win32::FailureTrace("CreateFileA") << "writing " << path;
    return false;
  }
  const DWORD size = static_cast<DWORD>(contents.size());
  DWORD written = 0;
  if (!::WriteFile(file.Get(), contents.data(), size, &written, nullptr) || written != size) {
    win32::FailureTrace("WriteFile") << "writing " << path;
    return false;
  }
  if (!::FlushFileBuffers(file.Get())) {
    win32::FailureTrace("FlushFileBuffers") << "writing " << path;
    return false;
  }
  // A failing close can lose data too.
  if (!::CloseHandle(file.Release())) {
    win32::FailureTrace("CloseHandle") << "writing " << path;
    return false;
  }
  return true;
}

bool Win32System::MoveFileOver(const std::string& from, const std::string& to) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  win32::FailureTrace("MoveFileExA") << "moving " << from << " over " << to;
  return false;
}

bool Win32System::IsReadOnly(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!IsMissing(::GetLastError()))
      win32::FailureTrace("GetFileAttributesA") << "the attributes of " << path;
    return false;
  }
  return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32System::RemoveFile(const std::string& path) {
  if (::DeleteFileA(path.c_str())) return true;
  if (!IsMissing(::GetLastError())) win32::FailureTrace("DeleteFileA") << "removing " << path;
  return false;
}

void Win32System::SleepPrecise(int ms) {
  // winmm.dll is no KnownDLL: imported by name, one planted beside the program would be loaded.
  // Without it the sleeps are only coarser.
  if (!winmm_) winmm_ = std::make_unique<win32::SystemLibrary>("winmm.dll");
  const auto begin = winmm_->Find<TimerPeriodFunction>("timeBeginPeriod");
  const auto end = winmm_->Find<TimerPeriodFunction>("timeEndPeriod");
  // The default timer resolution (10-16 ms) would stretch short sleeps.
  const bool found = begin != nullptr && end != nullptr;
  const bool raised = found && begin(1) == kTimerNoError;
  // It sets no last error; refused, it is refused on every sleep.
  if (found && !raised && win32::FirstTime(tracedOnce_, kTracedTimerPeriod))
    win32::FailureTrace("timeBeginPeriod", 0) << "a 1 ms timer period";
  ::Sleep(ms > 0 ? static_cast<DWORD>(ms) : 0);
  if (raised) end(1);
}

void Win32System::Sleep(int ms) {
  ::Sleep(ms > 0 ? static_cast<DWORD>(ms) : 0);
}

void Win32System::SendMouse(MouseAction action) {
  const DWORD flags = action == MouseAction::kLeftDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::mouse_event(flags, 0, 0, 0, 0);
}

bool Win32System::CursorPos(Point& point) {
  POINT cursor{};
  if (!::GetCursorPos(&cursor)) {
    win32::FailureTrace("GetCursorPos") << "the pointer";
    return false;
  }
  point = {cursor.x, cursor.y};
  return true;
}

void Win32System::ExitProcess(int code) {
  ::ExitProcess(static_cast<UINT>(code));
}

}  // namespace glint
