#include "placement/placement.h"

#include "core/app.h"
#include "core/numbers.h"
#include "placement/work_area.h"

namespace glint {

namespace {

// The synthetic click of click-through: down, a pause, up, a pause, at 1 ms timer resolution.
constexpr int kReplayPauseMs = 10;

}  // namespace

int LimitWindowToWorkArea(App& app, int window) {
  Toolkit& toolkit = app.toolkit;
  if (app.settings.windowSnapAndLimiting != 1) return 0;
  Rect outer;
  Rect workArea;
  // A window that does not exist has no rectangle.
  if (!toolkit.WindowRect(window, outer) || !toolkit.WorkAreaNearWindow(window, workArea)) return 0;
  const std::optional<Point> inside = PositionInWorkArea(outer, workArea);
  if (!inside) return 1;
  // HWND_TOP also raises the window within its band; a topmost window stays topmost.
  return toolkit.SetWindowPos(window, ZOrder::kTop, inside->x, inside->y, 0, 0,
                              swp::kNoSize | swp::kNoActivate)
             ? 1
             : 0;
}

void MoveWindowWithMouse(App& app) {
  app.toolkit.MoveWindowWithMouse(kLedWindow);
  if (app.settings.windowSnapAndLimiting == 1) LimitWindowToWorkArea(app, kLedWindow);
}

void ReplayClickBeneath(App& app) {
  Toolkit& toolkit = app.toolkit;
  System& system = app.system;
  // Hidden, the window is no target: the click lands on the window beneath the pointer.
  toolkit.ShowWindow(kLedWindow, ShowMode::kHide);
  system.SendMouse(MouseAction::kLeftDown);
  system.SleepPrecise(kReplayPauseMs);
  system.SendMouse(MouseAction::kLeftUp);
  system.SleepPrecise(kReplayPauseMs);
  toolkit.ShowWindow(kLedWindow, ShowMode::kShowNormal);
}

void SetTopmostOnce(App& app, bool topmost) {
  // Without SWP_NOACTIVATE, as every on-top call of the program.
  app.toolkit.SetWindowPos(kLedWindow, topmost ? ZOrder::kTopmost : ZOrder::kNoTopmost, 0, 0, 0, 0,
                           swp::kNoSize | swp::kNoMove);
}

void ApplyTransparency(App& app, int alpha) {
  app.toolkit.SetWindowAlpha(kLedWindow, alpha);
}

}  // namespace glint
