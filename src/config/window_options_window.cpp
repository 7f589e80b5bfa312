#include "config/window_options_window.h"

namespace glint {

void RunWindowOptionsWindow(App& app) {
  // Arrives with the configuration windows.
  (void)app;
}

}  // namespace glint
