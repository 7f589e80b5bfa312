#include "app/tray.h"

#include "app/timers.h"
#include "core/app.h"
#include "core/event_loop.h"
#include "core/numbers.h"
#include "ledwindow/led_window.h"

namespace glint {

void LoadTrayImage(App& app) {
  // Without the image the tray icon cannot be added, which AddTrayIcon's callers handle.
  static_cast<void>(app.toolkit.LoadEmbeddedIcon(kTrayImage, kProgramIconResource, kTrayImageEdge));
}

bool AddTrayIconWithTooltip(App& app, std::string_view tooltip) {
  // The tooltip also when the shell refused the icon: it shows it later, tooltip and all.
  const bool shown =
      app.toolkit.AddTrayIcon(kTrayIcon, kLedWindow, kTrayImage, kTrayCallbackMessage);
  app.toolkit.SetTrayTooltip(kTrayIcon, tooltip);
  return shown;
}

void DeactivateToTray(App& app) {
  Toolkit& toolkit = app.toolkit;
  toolkit.ShowWindow(kLedWindow, ShowMode::kHide);
  if (app.settings.alwaysShowTrayIcon == 1) {
    toolkit.SetTrayTooltip(kTrayIcon, kTrayTooltipDeactivated);
  } else if (!AddTrayIconWithTooltip(app, kTrayTooltipDeactivated)) {
    // Without the icon nothing could ever bring the window back: stay active, and no icon may
    // turn up later with the deactivated tooltip.
    toolkit.RemoveTrayIcon(kTrayIcon);
    toolkit.ShowWindow(kLedWindow, ShowMode::kShowNormal);
    return;
  }

  {
    PausedSchedule pause(app, SamplingAround::kSuspended);
    // Only a left double-click on the tray icon ends the wait; everything else is dropped.
    RunModalLoop(app, {.sleepMsAfterEach = 1}, [](const Event& event) {
      return event.kind == EventKind::kTray && event.detail == kTrayLeftDoubleClick;
    });
    toolkit.ShowWindow(kLedWindow, ShowMode::kShowNormal);
    RebuildLedWindow(app);
    if (app.settings.alwaysShowTrayIcon == 1) {
      toolkit.SetTrayTooltip(kTrayIcon, kTrayTooltipActive);
    } else {
      toolkit.RemoveTrayIcon(kTrayIcon);
    }
  }
}

}  // namespace glint
