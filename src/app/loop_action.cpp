#include "app/loop_action.h"

#include "core/app_settings.h"
#include "core/numbers.h"

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
      // A click's event comes while the press is down, and a double click's while its second
      // press is, so the move loop takes that release and an unlocked window passes nothing
      // beneath it. Nothing else starts a move: a right click comes with the left button up.
      if (event.number > 0 && settings.locked == 0 &&
          (event.detail == kControlClicked || event.detail == kControlDoubleClick))
        return LoopAction::kMoveWindow;
      return LoopAction::kNothing;
    case EventKind::kMenu:
      return LoopAction::kMenuCommand;
    case EventKind::kClose:  // the LED window cannot be closed
      return LoopAction::kNothing;
  }
  return LoopAction::kNothing;
}

}  // namespace glint
