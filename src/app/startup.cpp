#include "app/startup.h"

#include <cstdlib>

#include "app/main_loop.h"
#include "app/menu.h"
#include "app/timers.h"
#include "app/tray.h"
#include "core/app.h"
#include "core/numbers.h"
#include "core/product.h"
#include "ledwindow/led_window.h"
#include "ledwindow/render.h"
#include "monitor/discovery.h"
#include "settings/settings_file.h"

namespace glint {

namespace {

constexpr std::uint32_t kPlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t kPlatformNt = 2;       // VER_PLATFORM_WIN32_NT
constexpr int kWorkstation = 1;                // VER_NT_WORKSTATION

void RefuseSecondCopy(App& app) {
  app.system.ReleaseInstanceMutex();
  app.toolkit.ShowMessageBox("INFO", "Glintbox is already running!", mb::kOk);
  ExitProgram(app);
}

void RefuseOldWindows(App& app) {
  app.toolkit.ShowMessageBox(
      "Information",
      "This Operating System is not suitable for Glintbox!\nCheck Readme_vx.xx.pdf for details",
      mb::kOk);
  app.system.CloseInstanceMutex();
  ExitProgram(app);
}

}  // namespace

int OsVersionCode(const OsVersionInfo& info) {
  if (!info.ok) return 100;
  if (info.platformId == kPlatformWindows) {
    switch (info.minor) {
      case 0:
        return 10;  // 95
      case 10:
        return 30;  // 98
      case 90:
        return 40;  // Me
      default:
        return 100;
    }
  }
  if (info.platformId != kPlatformNt) return 100;
  const bool workstation = info.extendedOk && info.productType == kWorkstation;
  if (info.major == 3) return 5;
  if (info.major == 4) return 20;
  if (info.major == 5) {
    if (info.minor == 0) return 50;
    if (info.minor == 1) return 60;
    if (info.minor == 2) return workstation ? 60 : 65;
    return 100;
  }
  if (info.major == 6) {
    if (info.minor == 0) return workstation ? 70 : 75;
    if (info.minor == 1) return workstation ? 80 : 75;
  }
  return 100;
}

bool IsUnsupportedVersion(int code) {
  return code == 5 || code == 10 || code == 20 || code == 30 || code == 40;
}

namespace {

// The folder part of the module path, with its trailing separator; empty when there is none.
std::string ModuleFolder(std::string_view modulePath) {
  if (!modulePath.empty() && modulePath.front() == '"') modulePath.remove_prefix(1);
  const auto cut = modulePath.find_last_of("\\/");
  if (cut == std::string_view::npos) return {};
  return std::string(modulePath.substr(0, cut + 1));
}

// Without a folder (the module path could not be read) the current directory is the only place
// left; so it is for a program run from a temporary folder. The test is case-sensitive.
bool UsesCurrentDirectory(const std::string& folder) {
  return folder.empty() || folder.find("\\Temp\\") != std::string::npos;
}

std::string WithBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

std::string ProgramFolderFor(std::string_view modulePath, std::string_view currentDirectory) {
  std::string folder = ModuleFolder(modulePath);
  if (UsesCurrentDirectory(folder)) return WithBackslash(std::string(currentDirectory));
  return folder;
}

void ResolveProgramFolder(App& app) {
  std::string folder = ModuleFolder(app.system.ModulePath());
  if (UsesCurrentDirectory(folder)) folder = WithBackslash(app.system.CurrentDirectory());
  app.programFolder = folder;
}

std::string BuildAboutText() {
  std::string text;
  text += std::string(kProductName) + " " + std::string(kVersionString) + "\n\n";
  text +=
      "Disk activity lights for every drive letter: green while a drive reads, red while "
      "it writes.\n\n";
  text += "Written and maintained by the Glintbox developers.\n";
  text += MakerPageText();
  return text;
}

void StartUp(App& app) {
  // 1. The toolkit first: the refusals below already show message boxes.
  app.toolkit.Initialize();

  // 2. One copy at a time.
  if (app.system.CreateInstanceMutex(kProductName) != MutexResult::kCreated) RefuseSecondCopy(app);

  // 3. Old systems.
  app.osVersionCode = OsVersionCode(app.system.VersionInfo());
  if (IsUnsupportedVersion(app.osVersionCode)) RefuseOldWindows(app);
  app.vistaOrSeven = (app.osVersionCode == 70 || app.osVersionCode == 80) ? 1 : 0;

  // 4. and 5.
  ResolveProgramFolder(app);
  app.aboutText = BuildAboutText();

  // 6. Settings before any window: they give its position and the icon size.
  LoadSettings(app);

  // 7. to 11. The LED window, hidden, with everything it holds.
  CreateLedWindow(app);
  BuildPopupMenu(app);
  LoadTrayImage(app);
  CreateIconImagesAndControls(app);
  CreateFillerImage(app);
  RenderDriveIcons(app);
  CreateFillerControl(app);
  CreateMinimizeButton(app);

  // 12. and 13. The first discovery pass flags a changed drive set, so the first pass of the
  // main loop builds and shows the window.
  StartTimers(app);
  app.samplingEnabled = 1;
  DiscoverDrives(app);

  // 14. and 15.
  if (app.settings.minimizeButton == 0) app.toolkit.ShowControl(kMinimizeButtonControl, false);
  if (app.settings.alwaysShowTrayIcon == 1) {
    app.toolkit.SetMenuItemChecked(kPopupMenu, kMenuAlwaysShowTrayIcon, true);
    AddTrayIconWithTooltip(app, kTrayTooltipActive);
  }
}

void RunGlintbox(App& app) {
  StartUp(app);
  MainLoop(app);
}

void ExitProgram(App& app) {
  app.toolkit.ReleaseAll();
  app.system.ExitProcess(0);
  // Not reached: the call above ends the process (or, in tests, throws).
  std::abort();
}

}  // namespace glint
