#pragma once

#include "platform/win32/windows_api.h"

#include <string>

namespace glint::win32 {

// The system folder with a trailing backslash; empty when Windows does not tell it.
std::string SystemFolder();
// The Windows folder with a trailing backslash; empty when Windows does not tell it.
std::string WindowsFolder();

// DLLs loaded by name from now on (those the system's own DLLs load for the program later) come
// from the system folder only, never from the program's: SetDefaultDllDirectories where the
// system has it (8 and later; 7 and Vista with their update). Elsewhere SetDllDirectoryA("") (XP
// SP1 and later) takes only the current folder out of the search. Called first thing.
void RestrictDllSearch();

// A DLL of the system folder, loaded by its full path: never one that lies beside the program
// (the loader searches the program's folder first for a bare name that is not a KnownDLL).
class SystemLibrary {
 public:
  explicit SystemLibrary(const char* name);
  ~SystemLibrary();
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  explicit operator bool() const { return module_ != nullptr; }
  // The named function as a pointer of type Function, or null.
  template <typename Function>
  Function Find(const char* function) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(module_, function)));
  }

 private:
  HMODULE module_ = nullptr;
};

}  // namespace glint::win32
