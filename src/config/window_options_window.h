#pragma once

#include <span>

#include "platform/toolkit.h"

namespace glint {

struct App;

// The Window Options window: built, run until "Save Changes" or a close request, then
// destroyed. The caller pauses the schedule around it.
void RunWindowOptionsWindow(App& app);

// Its controls in creation order, which is the keyboard order.
std::span<const ControlDef> WindowOptionsControls();

}  // namespace glint
