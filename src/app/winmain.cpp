// The program's entry on Windows: the real platform under the portable logic.
#include "platform/win32/windows_api.h"

#include "app/app.h"
#include "app/startup.h"
#include "platform/win32/win32_disk.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The command line is ignored: everything comes from the settings file.
  static glint::Win32Toolkit toolkit;
  static glint::Win32System system;
  static glint::Win32Disk disk;
  static glint::App app(toolkit, disk, system);
  glint::RunGlintbox(app);
}
