#pragma once

#include "platform/events.h"

namespace glint {

struct App;
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
// Every drive the latest discovery found present gets its root; absent ones keep theirs.
void RefreshSlotRootPaths(App& app);
// One pass: wait for an event, act on it, rebuild the window when the drive set changed.
void MainLoopPass(App& app);
[[noreturn]] void MainLoop(App& app);

}  // namespace glint
