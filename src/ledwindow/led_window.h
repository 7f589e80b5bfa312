#pragma once

namespace glint {

struct App;

inline constexpr int kMinimizeButtonWidth = 8;
inline constexpr int kOffscreenY = -65535;

// The LED window, hidden, at the stored position with an 8 x 8 client area.
void CreateLedWindow(App& app);
// The four images of every drive, then the 26 icon controls showing their idle image, placed
// outside the client area until the window is laid out.
void CreateIconImagesAndControls(App& app);
void CreateFillerImage(App& app);
void CreateFillerControl(App& app);
void CreateMinimizeButton(App& app);
// Lays the window out for the settings and the drives present, and shows it.
void RebuildLedWindow(App& app);

}  // namespace glint
