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

SystemLibrary::SystemLibrary(const char* name) {
  const std::string folder = SystemFolder();
  if (!folder.empty()) module_ = ::LoadLibraryA((folder + name).c_str());
}

SystemLibrary::~SystemLibrary() {
  if (module_ != nullptr) ::FreeLibrary(module_);
}

}  // namespace glint::win32
