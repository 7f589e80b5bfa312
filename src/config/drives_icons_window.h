#pragma once

namespace glint {

struct App;

// The Drives and Icons window: built, run until "Save Changes", then destroyed. The caller
// pauses the schedule around it.
void RunDrivesAndIconsWindow(App& app);

}  // namespace glint
