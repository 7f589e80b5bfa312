#include "app/main_loop.h"

#include "app/app.h"
#include "app/commands.h"
#include "app/timers.h"
#include "ledwindow/led_window.h"
#include "placement/placement.h"

namespace glint {

LoopAction ChooseLoopAction(const AppSettings& settings, const Event& event) {
  switch (event.kind) {
    case EventKind::kRaw:
      switch (event.message) {
        case msg::kLButtonUp:
          return settings.clickThrough == 1 ? LoopAction::kReplayClick : LoopAction::kNothing;
        case msg::kLButtonDblClk:
          return LoopAction::kExploreByDoubleClick;
        case msg::kMButtonUp:
          return LoopAction::kExploreByMiddleClick;
        case msg::kRButtonDown:
          return settings.persistentWindow == 1 ? LoopAction::kShowMenuTimersOff
                                                : LoopAction::kShowMenu;
        default:
          return LoopAction::kNothing;
      }
    case EventKind::kTray:
      return LoopAction::kShowMenu;
    case EventKind::kControl:
      if (event.number == kMinimizeButtonControl) return LoopAction::kDeactivate;
      if (event.number > 0 && settings.locked == 0) return LoopAction::kMoveWindow;
      return LoopAction::kNothing;
    case EventKind::kMenu:
      return LoopAction::kMenuCommand;
  }
  return LoopAction::kNothing;
}

void RefreshSlotRootPaths(App& app) {
  const std::string& mask = app.presenceMask;
  for (int slot = 1; slot <= kDriveCount && slot <= static_cast<int>(mask.size()); ++slot) {
    if (mask[static_cast<std::size_t>(slot - 1)] != '1') continue;
    std::string& root = app.slotRootPaths[static_cast<std::size_t>(slot)];
    // Compare first: the loop runs 20 times a second and must not allocate.
    const char letter = kDriveLetters[static_cast<std::size_t>(slot - 1)];
    if (root.size() != 3 || root[0] != letter) root = std::string{letter, ':', '\\'};
  }
}

void MainLoopPass(App& app) {
  const Event event = app.toolkit.WaitEvent();
  if (event.kind != EventKind::kRaw) app.lastControlNumber = event.number;

  RefreshSlotRootPaths(app);
  if (app.settings.persistentWindow == 0 && app.settings.windowSnapAndLimiting == 0)
    KeepOffTaskbar(app);

  // Deactivation and the confirmations go straight back to the wait; a pending rebuild is then
  // done at the end of the next pass.
  bool backToWait = false;
  switch (ChooseLoopAction(app.settings, event)) {
    case LoopAction::kNothing:
      break;
    case LoopAction::kReplayClick:
      ReplayClickBeneath(app);
      break;
    case LoopAction::kShowMenu:
      ShowPopupMenu(app);
      break;
    case LoopAction::kShowMenuTimersOff:
      StopTimers(app);
      ShowPopupMenu(app);
      StartTimers(app);
      break;
    case LoopAction::kExploreByDoubleClick:
      ExploreByDoubleClick(app);
      break;
    case LoopAction::kExploreByMiddleClick:
      ExploreByMiddleClick(app);
      break;
    case LoopAction::kDeactivate:
      DeactivateToTray(app);
      backToWait = true;
      break;
    case LoopAction::kMoveWindow:
      MoveWindowWithMouse(app);
      break;
    case LoopAction::kMenuCommand:
      backToWait = RunMenuCommand(app, event.number) == CommandFlow::kBackToWait;
      break;
  }
  if (backToWait) return;

  if (app.driveSetChanged == 1) {
    app.driveSetChanged = 0;
    RebuildLedWindow(app);
  }
}

void MainLoop(App& app) {
  for (;;) MainLoopPass(app);
}

}  // namespace glint
