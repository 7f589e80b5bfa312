#include "placement/placement.h"

#include "core/app.h"
#include "core/numbers.h"

namespace glint {

// Placement, dragging and click-through arrive with the window-behaviour work; until then the
// window stays where it was created.
int LimitWindowToWorkArea(App& app, int window) {
  (void)app;
  (void)window;
  return 0;
}

void MoveWindowWithMouse(App& app) {
  (void)app;
}

void ReplayClickBeneath(App& app) {
  (void)app;
}

void KeepOffTaskbar(App& app) {
  (void)app;
}

void SetTopmostOnce(App& app, bool topmost) {
  // Without SWP_NOACTIVATE, as every on-top call of the program.
  app.toolkit.SetWindowPos(kLedWindow, topmost ? ZOrder::kTopmost : ZOrder::kNoTopmost, 0, 0, 0, 0,
                           swp::kNoSize | swp::kNoMove);
}

}  // namespace glint
