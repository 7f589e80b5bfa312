#pragma once

#include <string_view>

namespace glint {

struct App;

inline constexpr int kOffscreenY = -65535;
inline constexpr std::string_view kEmptyMaskCaption = "All year merry-go-round easter egg";
inline constexpr std::string_view kEmptyMaskText =
    "You need at least 1 drive checked.\nThis is not a game :-)";

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
