#include "platform/win32/system_library.h"

#include <vector>

namespace glint::win32 {

namespace {

// Asks a folder query twice: once for the length, once for the text.
template <typename Query>
std::string FolderFrom(Query query) {
  const UINT needed = query(nullptr, 0);
  if (needed == 0) return {};
  std::vector<char> buffer(needed + 1);
  const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
  if (length == 0 || length >= buffer.size()) return {};
  std::string folder(buffer.data(), length);
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

std::string SystemFolder() {
  return FolderFrom([](char* buffer, UINT size) { return ::GetSystemDirectoryA(buffer, size); });
}

std::string WindowsFolder() {
  return FolderFrom([](char* buffer, UINT size) { return ::GetWindowsDirectoryA(buffer, size); });
}

void RestrictDllSearch() {
  // Looked up at run time: Windows 2000 and XP before SP1 have neither call.
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return;
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault != nullptr && setDefault(kSearchSystem32)) return;
  const auto setDirectory = reinterpret_cast<SetDllDirectoryFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDllDirectoryA")));
  if (setDirectory != nullptr) setDirectory("");
}

SystemLibrary::SystemLibrary(const char* name) {
  const std::string folder = SystemFolder();
  // The DLLs it imports itself are searched from its own folder first, not from the program's.
  if (!folder.empty())
    module_ = ::LoadLibraryExA((folder + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

SystemLibrary::~SystemLibrary() {
  if (module_ != nullptr) ::FreeLibrary(module_);
}

}  // namespace glint::win32
