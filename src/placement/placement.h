#pragma once

namespace glint {

struct App;

// Keeps a window inside the work area of its monitor while snapping is on. Returns 1 when the
// window is inside afterwards, 0 when nothing could be done.
int LimitWindowToWorkArea(App& app, int window);
// Hands the LED window to the system's move loop; limits it afterwards when snapping is on.
void MoveWindowWithMouse(App& app);
// Click-through: replays the left click on whatever lies beneath the LED window.
void ReplayClickBeneath(App& app);
// Taskbar test of the main loop (no effect while the limiter is off).
void KeepOffTaskbar(App& app);
// Puts the LED window into the topmost band (or takes it out) once; no setting changes.
void SetTopmostOnce(App& app, bool topmost);

}  // namespace glint
