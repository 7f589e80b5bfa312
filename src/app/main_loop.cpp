#include "app/main_loop.h"

#include "app/commands.h"
#include "app/loop_action.h"
#include "app/menu.h"
#include "app/timers.h"
#include "app/tray.h"
#include "core/app.h"
#include "core/event_loop.h"
#include "core/numbers.h"
#include "ledwindow/led_window.h"
#include "placement/placement.h"

namespace glint {

void RefreshSlotRootPaths(App& app) {
  for (int slot = 1; slot <= kDriveCount; ++slot) {
    if (!SlotInMask(app.presenceMask, slot)) continue;
    std::string& root = app.slotRootPaths[static_cast<std::size_t>(slot)];
    // Compare first: the loop runs 20 times a second and must not allocate.
    const char wanted[] = {DriveLetter(slot), ':', '\\', '\0'};
    if (root != wanted) root = wanted;
  }
}

void MainLoopPass(App& app) {
  const Event event = app.toolkit.WaitEvent();
  if (CarriesControlNumber(event)) app.lastControlNumber = event.number;

  RefreshSlotRootPaths(app);

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
    case LoopAction::kShowMenuTimersOff: {
      PausedSchedule pause(app, SamplingAround::kUntouched);
      ShowPopupMenu(app);
      break;
    }
    case LoopAction::kExploreByDoubleClick:
      ExploreByDoubleClick(app, event.number);
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
    // The pass that flagged the change limited the window at its old size (at start-up the
    // 8-pixel window that is yet to be laid out): keep the new layout inside as well.
    LimitWindowToWorkArea(app, kLedWindow);
  }
}

void MainLoop(App& app) {
  for (;;) MainLoopPass(app);
}

}  // namespace glint
