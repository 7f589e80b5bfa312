#include "platform/win32/system_library.h"

#include <vector>

#include "platform/win32/trace.h"

namespace glint::win32 {

namespace {

// Asks a folder query twice: once for the length, once for the text.
template <typename Query>
std::string FolderFrom(const char* call, Query query) {
  const UINT needed = query(nullptr, 0);
  std::vector<char> buffer(needed + 1);
  const UINT length = needed == 0 ? 0 : query(buffer.data(), static_cast<UINT>(buffer.size()));
  if (length == 0 || length >= buffer.size()) {
    FailureTrace(call) << "the folder";
    return {};
  }
  std::string folder(buffer.data(), length);
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

std::string SystemFolder() {
  return FolderFrom("GetSystemDirectoryA",
                    [](char* buffer, UINT size) { return ::GetSystemDirectoryA(buffer, size); });
}

std::string WindowsFolder() {
  return FolderFrom("GetWindowsDirectoryA",
                    [](char* buffer, UINT size) { return ::GetWindowsDirectoryA(buffer, size); });
}

void RestrictDllSearch() {
  // Looked up at run time: Windows 2000 and XP before SP1 have neither call.
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) {
    FailureTrace("GetModuleHandleA") << "kernel32.dll";
    return;
  }
  // A missing function is no failure: the systems named above lack them.
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault != nullptr) {
    if (setDefault(kSearchSystem32)) return;
    FailureTrace("SetDefaultDllDirectories") << "the DLL search";
  }
  const auto setDirectory = reinterpret_cast<SetDllDirectoryFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDllDirectoryA")));
  if (setDirectory != nullptr && !setDirectory(""))
    FailureTrace("SetDllDirectoryA") << "the DLL search";
}

SystemLibrary::SystemLibrary(const char* name) {
  const std::string folder = SystemFolder();
  // The DLLs it imports itself are searched from its own folder first, not from the program's.
  if (!folder.empty())
    module_ = ::LoadLibraryExA((folder + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module_ == nullptr && !folder.empty()) FailureTrace("LoadLibraryExA") << folder << name;
}

SystemLibrary::~SystemLibrary() {
  if (module_ != nullptr) ::FreeLibrary(module_);
}

}  // namespace glint::win32
