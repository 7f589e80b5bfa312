#include "app/tray.h"

#include "app/timers.h"
#include "core/app.h"
#include "core/event_loop.h"
#include "core/numbers.h"
#include "ledwindow/led_window.h"

namespace glint {

void LoadTrayImage(App& app) {
  app.toolkit.LoadEmbeddedIcon(kTrayImage, kProgramIconResource, kTrayImageEdge);
}

bool AddTrayIconWithTooltip(App& app, std::string_view tooltip) {
  if (!app.toolkit.AddTrayIcon(kTrayIcon, kLedWindow, kTrayImage, kTrayCallbackMessage))
    return false;
  app.toolkit.SetTrayTooltip(kTrayIcon, tooltip);
  return true;
}

void DeactivateToTray(App& app) {
  Toolkit& toolkit = app.toolkit;
  toolkit.ShowWindow(kLedWindow, ShowMode::kHide);
  if (app.settings.alwaysShowTrayIcon == 1) {
    toolkit.SetTrayTooltip(kTrayIcon, kTrayTooltipDeactivated);
  } else if (!AddTrayIconWithTooltip(app, kTrayTooltipDeactivated)) {
    // Without the icon nothing could ever bring the window back: stay active.
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
