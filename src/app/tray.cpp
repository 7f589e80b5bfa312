#include "app/tray.h"

#include "core/app.h"
#include "core/numbers.h"

namespace glint {

void LoadTrayImage(App& app) {
  constexpr int kEdge = 32;
  if (!app.toolkit.CreateImage(kTrayImage, kEdge, kEdge)) return;
  const ImageView image = app.toolkit.Image(kTrayImage);
  const Color black = MakeColor(0, 0, 0), red = MakeColor(255, 0, 0);
  const Color white = MakeColor(255, 255, 255);
  // Distances are doubled so the centre (15.5, 15.5) stays on whole numbers.
  constexpr int kOuter2 = 2 * 12, kInner2 = 2 * 8, kGap2 = 2 * 5;
  for (int y = 0; y < kEdge; ++y) {
    for (int x = 0; x < kEdge; ++x) {
      const int dx = 2 * x + 1 - kEdge, dy = 2 * y + 1 - kEdge;
      const int d2 = dx * dx + dy * dy;
      const bool ring = d2 <= kOuter2 * kOuter2 && d2 >= kInner2 * kInner2;
      const bool opening = dx > 0 && dy < kGap2 && dy > -kGap2;
      Color c = y < kEdge / 2 ? black : red;
      if (ring && !opening) c = white;
      image.SetPixel(x, y, c);
    }
  }
}

void AddTrayIconWithTooltip(App& app, std::string_view tooltip) {
  app.toolkit.AddTrayIcon(kTrayIcon, kLedWindow, kTrayImage, kTrayCallbackMessage);
  app.toolkit.SetTrayTooltip(kTrayIcon, tooltip);
}

void DeactivateToTray(App& app) {
  // Arrives with the tray work.
  (void)app;
}

}  // namespace glint
