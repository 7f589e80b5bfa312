#pragma once

namespace glint {

struct App;

// Every drive the latest discovery found present gets its root; absent ones keep theirs.
void RefreshSlotRootPaths(App& app);
// One pass: wait for an event, act on it, rebuild the window when the drive set changed.
void MainLoopPass(App& app);
[[noreturn]] void MainLoop(App& app);

}  // namespace glint
