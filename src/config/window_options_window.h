#pragma once

namespace glint {

struct App;

// The Window Options window: built, run until "Save Changes" or a close request, then
// destroyed. The caller pauses the schedule around it.
void RunWindowOptionsWindow(App& app);

}  // namespace glint
