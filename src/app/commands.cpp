#include "app/commands.h"

#include <string>

#include "app/run_program.h"
#include "app/startup.h"
#include "app/timers.h"
#include "app/tray.h"
#include "config/drives_icons_window.h"
#include "config/window_options_window.h"
#include "core/app.h"
#include "core/numbers.h"
#include "core/product.h"
#include "ledwindow/led_window.h"
#include "ledwindow/render.h"
#include "monitor/discovery.h"
#include "placement/placement.h"
#include "settings/defaults.h"
#include "settings/settings_file.h"

namespace glint {

namespace {

constexpr std::string_view kBoxCaption = "Glintbox";
constexpr unsigned kQuestion = mb::kYesNo | mb::kIconQuestion;
// Waited for after the settings file is deleted, before the uninstaller starts.
constexpr int kUninstallPauseMs = 300;
// The pauses around the synthetic click of a middle-click explore.
constexpr int kSyntheticClickMs = 15;

bool Confirmed(App& app, std::string_view question) {
  return app.toolkit.ShowMessageBox(kBoxCaption, question, kQuestion) == mb::kIdYes;
}

// Explorer on the drive of an icon (1..26) when its drive is selected for display. By its full
// path: a bare name is looked for in the program's folder first, where anyone may have put one.
void ExploreSlot(App& app, int slot) {
  if (slot < kFirstIconControl || slot > kLastIconControl) return;  // not an icon
  if (!SlotInMask(app.settings.drives, slot)) return;
  const std::string windows = app.system.WindowsFolder();
  if (windows.empty()) return;
  RunProgram(app, windows + "explorer.exe", std::string{DriveLetter(slot), ':', '\\'}, "");
}

}  // namespace

CommandFlow AboutCommand(App& app) {
  PausedSchedule pause(app, SamplingAround::kUntouched);
  app.toolkit.ShowMessageBox("About Glintbox " + std::string(kVersionString), app.aboutText,
                             mb::kOk);
  return CommandFlow::kContinue;
}

CommandFlow DocumentationCommand(App& app) {
  OpenDocument(app, app.programFolder + ManualFileName());
  return CommandFlow::kContinue;
}

CommandFlow ConfigureDrivesCommand(App& app) {
  PausedSchedule pause(app, SamplingAround::kSuspended);
  RunDrivesAndIconsWindow(app);
  return CommandFlow::kContinue;
}

CommandFlow ConfigureWindowCommand(App& app) {
  PausedSchedule pause(app, SamplingAround::kSuspended);
  RunWindowOptionsWindow(app);
  return CommandFlow::kContinue;
}

CommandFlow OnTopOnceCommand(App& app) {
  SetTopmostOnce(app, true);
  return CommandFlow::kContinue;
}

CommandFlow NotOnTopOnceCommand(App& app) {
  SetTopmostOnce(app, false);
  return CommandFlow::kContinue;
}

CommandFlow LockPositionCommand(App& app) {
  // The check mark decides, not the setting.
  const bool lock = !app.toolkit.IsMenuItemChecked(kPopupMenu, kMenuLockPosition);
  app.toolkit.SetMenuItemChecked(kPopupMenu, kMenuLockPosition, lock);
  app.settings.locked = lock ? 1 : 0;
  SaveSettings(app);
  return CommandFlow::kContinue;
}

CommandFlow SavePositionCommand(App& app) {
  SaveSettings(app);  // the whole file, with the window's current position
  return CommandFlow::kContinue;
}

CommandFlow MinimizeToTrayCommand(App& app) {
  DeactivateToTray(app);
  return CommandFlow::kBackToWait;
}

CommandFlow AlwaysShowTrayIconCommand(App& app) {
  const bool show = !app.toolkit.IsMenuItemChecked(kPopupMenu, kMenuAlwaysShowTrayIcon);
  app.toolkit.SetMenuItemChecked(kPopupMenu, kMenuAlwaysShowTrayIcon, show);
  app.settings.alwaysShowTrayIcon = show ? 1 : 0;
  if (show) {
    AddTrayIconWithTooltip(app, kTrayTooltipActive);
  } else {
    app.toolkit.RemoveTrayIcon(kTrayIcon);
  }
  SaveSettings(app);
  return CommandFlow::kContinue;
}

CommandFlow RestoreDefaultsCommand(App& app) {
  PausedSchedule pause(app, SamplingAround::kResumed);
  if (!Confirmed(app, "Do you want to restore Glintbox defaults?")) return CommandFlow::kBackToWait;
  ApplyDefaults(app.settings);
  // Snapping is on again: the window is pulled back inside its work area.
  LimitWindowToWorkArea(app, kLedWindow);
  ForgetDriveTypes(app);
  // The defaults have no tray icon: the icon and its tick go with the setting, or the menu would
  // show a setting the file no longer holds.
  app.toolkit.SetMenuItemChecked(kPopupMenu, kMenuAlwaysShowTrayIcon, false);
  app.toolkit.RemoveTrayIcon(kTrayIcon);
  SaveSettings(app);
  RenderDriveIcons(app);
  RebuildLedWindow(app);
  return CommandFlow::kBackToWait;
}

CommandFlow ExitCommand(App& app) {
  PausedSchedule pause(app, SamplingAround::kResumed);
  if (!Confirmed(app, "Do you want to exit?")) return CommandFlow::kBackToWait;
  pause.Abandon();
  SaveSettings(app);
  app.toolkit.DestroyWindow(kLedWindow);
  app.system.CloseInstanceMutex();
  ExitProgram(app);
}

CommandFlow UninstallCommand(App& app) {
  PausedSchedule pause(app, SamplingAround::kSuspended);
  if (!Confirmed(app,
                 "Do you want to uninstall Glintbox?\n\nProbably the first ever to appear from "
                 "within the software :-)")) {
    return CommandFlow::kBackToWait;
  }
  pause.Abandon();
  // The settings are not saved: the file goes with the program.
  app.toolkit.DestroyWindow(kLedWindow);
  // No file to delete (or one that will not go) changes nothing: the uninstall goes on.
  static_cast<void>(app.system.RemoveFile(SettingsPath(app)));
  app.system.Sleep(kUninstallPauseMs);
  const std::string folder = app.programFolder;
  RunProgram(app, "\"" + folder + "unins000.exe\"", " /NORESTART /SILENT", folder);
  app.system.CloseInstanceMutex();
  ExitProgram(app);
}

CommandFlow DonationCommand(App& app) {
  OpenMakerPage(app, kMakerWebPage);
  return CommandFlow::kContinue;
}

void OpenMakerPage(App& app, std::string_view page) {
  // Without an address, the manual stands for the page: opened as the documentation command does.
  if (page.empty()) {
    DocumentationCommand(app);
  } else {
    OpenDocument(app, std::string(page));
  }
}

void ExploreByDoubleClick(App& app, int control) {
  if (app.settings.exploreMouseButton != 1) return;
  ExploreSlot(app, control);
}

void ExploreByMiddleClick(App& app) {
  // The icon under the pointer is found by a synthetic left click there: its press is the one
  // pending message, and the icon reports it as its click. The release stays queued for the main
  // loop, where it completes a click on a button or is replayed in click-through mode.
  app.system.SendMouse(MouseAction::kLeftDown);
  app.system.SleepPrecise(kSyntheticClickMs);
  app.system.SendMouse(MouseAction::kLeftUp);
  app.system.SleepPrecise(kSyntheticClickMs);
  Event event;
  if (!app.toolkit.PollEvent(event)) return;
  // Soon after another click on the icon the press arrives as a double click: the icon's
  // double-click event, queued behind the raw message, names it, and taken here it starts no
  // move that would swallow the synthetic release.
  const bool onImage = event.number >= kFirstIconControl && event.number <= kFillerControl;
  if (event.kind == EventKind::kRaw && event.message == msg::kLButtonDblClk && onImage &&
      !app.toolkit.PollEvent(event))
    return;
  if (event.kind != EventKind::kControl) return;
  app.lastControlNumber = event.number;  // consumed here: it starts no window move
  if (app.settings.exploreMouseButton != 3) return;
  ExploreSlot(app, event.number);
}

}  // namespace glint
