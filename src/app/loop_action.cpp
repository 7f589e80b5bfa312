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
      // A right click comes with the left button up: it starts no move. A double click's
      // event comes while its second press is down, so the move loop takes that release and
      // an unlocked window passes nothing beneath it.
      if (event.number > 0 && event.detail != kControlRightClick && settings.locked == 0)
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
