#include "app/commands.h"

#include <string>

#include "app/app.h"
#include "app/startup.h"
#include "app/timers.h"
#include "settings/settings_file.h"

namespace glint {

void BuildPopupMenu(App& app) {
  Toolkit& tk = app.toolkit;
  tk.CreatePopupMenu(kPopupMenu);
  tk.AppendMenuItem(kPopupMenu, kMenuAbout, "About Glintbox " + std::string(kVersionString));
  tk.AppendMenuItem(kPopupMenu, kMenuDocumentation, "View Glintbox Documentation");
  tk.AppendMenuSeparator(kPopupMenu);
  tk.AppendMenuItem(kPopupMenu, kMenuConfigureDrives, "Configure Drives and Icons");
  tk.AppendMenuItem(kPopupMenu, kMenuConfigureWindow, "Configure Window Options");
  tk.AppendMenuSeparator(kPopupMenu);
  tk.AppendMenuItem(kPopupMenu, kMenuOnTopOnce, "Set Window On Top (once)");
  tk.AppendMenuItem(kPopupMenu, kMenuNotOnTopOnce, "Disable Window On Top (once)");
  tk.AppendMenuItem(kPopupMenu, kMenuLockPosition, "Lock/Unlock Window Position");
  tk.AppendMenuItem(kPopupMenu, kMenuSavePosition, "Save Window Position");
  tk.AppendMenuItem(kPopupMenu, kMenuMinimizeToTray, "Minimize To Tray and Disable Activity");
  tk.AppendMenuItem(kPopupMenu, kMenuAlwaysShowTrayIcon, "Always Show TrayIcon");
  tk.AppendMenuSeparator(kPopupMenu);
  tk.AppendMenuItem(kPopupMenu, kMenuRestoreDefaults, "Restore Glintbox defaults");
  tk.AppendMenuItem(kPopupMenu, kMenuExit, "Exit");
  tk.AppendMenuSeparator(kPopupMenu);
  tk.AppendMenuItem(kPopupMenu, kMenuUninstall, "Uninstall Glintbox");
  tk.AppendMenuSeparator(kPopupMenu);
  tk.AppendMenuItem(kPopupMenu, kMenuDonation, "Make a donation through PayPal");
}

void LoadTrayImage(App& app) {
  constexpr int kEdge = 32;
  if (!app.toolkit.CreateImage(kTrayImage, kEdge, kEdge)) return;
  const ImageView image = app.toolkit.Image(kTrayImage);
  const Color black = MakeColor(0, 0, 0), red = MakeColor(255, 0, 0);
  const Color white = MakeColor(255, 255, 255);
  // Distances are doubled so the centre (15.5, 15.5) stays on whole numbers.
  constexpr int kOuter2 = 2 * 12, kInner2 = 2 * 8, kGap2 = 2 * 5;
  for (int y = 0; y < kEdge; ++y) {
    for (int x = 0; x < kEdge; ++x) {
      const int dx = 2 * x + 1 - kEdge, dy = 2 * y + 1 - kEdge;
      const int d2 = dx * dx + dy * dy;
      const bool ring = d2 <= kOuter2 * kOuter2 && d2 >= kInner2 * kInner2;
      const bool opening = dx > 0 && dy < kGap2 && dy > -kGap2;
      Color c = y < kEdge / 2 ? black : red;
      if (ring && !opening) c = white;
      image.SetPixel(x, y, c);
    }
  }
}

void AddTrayIconWithTooltip(App& app, std::string_view tooltip) {
  app.toolkit.AddTrayIcon(kTrayIcon, kLedWindow, kTrayImage);
  app.toolkit.SetTrayTooltip(kTrayIcon, tooltip);
}

void ShowPopupMenu(App& app) {
  Point pointer;
  app.system.CursorPos(pointer);
  app.toolkit.SetForegroundWindow(kLedWindow);
  app.toolkit.TrackPopupMenu(kPopupMenu, kLedWindow, pointer.x - 1, pointer.y - 1);
}

namespace {

void ExitCommand(App& app) {
  StopTimers(app);
  const int answer = app.toolkit.ShowMessageBox("Glintbox", "Do you want to exit?",
                                                mb::kYesNo | mb::kIconQuestion);
  if (answer == mb::kIdYes) {
    SaveSettings(app);
    app.toolkit.DestroyWindow(kLedWindow);
    app.system.CloseInstanceMutex();
    ExitProgram(app);
  }
  StartTimers(app);
  app.samplingEnabled = 1;
}

}  // namespace

CommandFlow RunMenuCommand(App& app, int item) {
  // The other commands arrive with the tray and configuration work.
  switch (item) {
    case kMenuExit:
      ExitCommand(app);
      return CommandFlow::kBackToWait;
    case kMenuMinimizeToTray:
      DeactivateToTray(app);
      return CommandFlow::kBackToWait;
    case kMenuRestoreDefaults:
    case kMenuUninstall:
      return CommandFlow::kBackToWait;
    default:
      return CommandFlow::kContinue;
  }
}

void DeactivateToTray(App& app) {
  (void)app;
}

void ExploreByDoubleClick(App& app) {
  (void)app;
}

void ExploreByMiddleClick(App& app) {
  (void)app;
}

}  // namespace glint
