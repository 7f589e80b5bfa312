#include "config/drives_icons_window.h"

namespace glint {

void RunDrivesAndIconsWindow(App& app) {
  // Arrives with the configuration windows.
  (void)app;
}

}  // namespace glint
