// The program's entry on Windows: the real platform under the portable logic. The one file above
// the shell; built twice, into Glintbox.exe and into the test build with file-driven counters.
#include "platform/win32/windows_api.h"

#include "app/startup.h"
#include "core/app.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_disk.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_toolkit.h"
#ifdef GLINTBOX_FILE_COUNTERS
#include "platform/win32/file_counters_disk.h"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything can load a DLL by name.
  glint::win32::RestrictDllSearch();
  // The command line is ignored: everything comes from the settings file.
  static glint::Win32Toolkit toolkit;
  static glint::Win32System system;
#ifdef GLINTBOX_FILE_COUNTERS
  // The test build: drive counters come from a file that the tests write.
  static glint::FileCountersDisk disk(glint::FileCountersDisk::DefaultCountersPath());
#else
  static glint::Win32Disk disk;
#endif
  static glint::App app(toolkit, disk, system);
  glint::RunGlintbox(app);
}
