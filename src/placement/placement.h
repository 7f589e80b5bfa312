#pragma once

namespace glint {

struct App;

// Pulls a window back inside the work area of its nearest monitor while snapping is on. Returns
// 1 when the window is inside afterwards, 0 when nothing could be done (no such window,
// snapping off, a failing query or move).
int LimitWindowToWorkArea(App& app, int window);
// Hands the LED window to the system's move loop, which follows the mouse until the button is
// released; limits it afterwards when snapping is on.
void MoveWindowWithMouse(App& app);
// Click-through: the LED window steps aside while a left click is replayed at the pointer, so
// that the click reaches whatever lies beneath it.
void ReplayClickBeneath(App& app);
// Puts the LED window into the topmost band (or takes it out) once; no setting changes.
void SetTopmostOnce(App& app, bool topmost);
// Makes the LED window a layered tool window with the alpha (255: opaque, yet layered). Where
// the system has no layered windows it stays as it was.
void ApplyTransparency(App& app, int alpha);

}  // namespace glint
