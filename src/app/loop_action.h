#pragma once

#include "platform/events.h"

namespace glint {

struct AppSettings;

// What the main loop does with one event.
enum class LoopAction {
  kNothing,
  kReplayClick,        // click-through
  kShowMenu,           // popup menu, timers keep running
  kShowMenuTimersOff,  // popup menu with the timers stopped around it
  kExploreByDoubleClick,
  kExploreByMiddleClick,
  kDeactivate,  // the minimize button
  kMoveWindow,  // drag by an icon
  kMenuCommand,
};

LoopAction ChooseLoopAction(const AppSettings& settings, const Event& event);

}  // namespace glint
