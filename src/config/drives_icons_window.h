#pragma once

#include <span>

#include "platform/toolkit.h"

namespace glint {

struct App;

// The Drives and Icons window: built, run until "Save Changes", then destroyed. The caller
// pauses the schedule around it.
void RunDrivesAndIconsWindow(App& app);

// Its controls in creation order, which is the keyboard order: the 26 drive boxes, then the rest.
std::span<const ControlDef> DrivesAndIconsControls();

}  // namespace glint
