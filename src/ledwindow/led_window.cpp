#include "ledwindow/led_window.h"

#include "app/app.h"

namespace glint {

namespace {
constexpr int kInitialClientEdge = 8;
}  // namespace

void CreateLedWindow(App& app) {
  app.toolkit.CreatePopupWindow(kLedWindow, kProductName, app.settings.winX, app.settings.winY,
                                kInitialClientEdge, kInitialClientEdge);
}

void CreateIconImagesAndControls(App& app) {
  const int s = app.settings.iconPixels;
  for (int slot = 1; slot <= kDriveCount; ++slot)
    for (int state = 0; state < 4; ++state) app.toolkit.CreateImage(slot + 26 * state, s, s);
  for (int slot = 1; slot <= kDriveCount; ++slot)
    app.toolkit.CreateImageControl(kLedWindow, slot, (slot - 1) * s, kOffscreenY, s, s, slot);
}

void CreateFillerImage(App& app) {
  const int s = app.settings.iconPixels;
  app.toolkit.CreateImage(kFillerImage, s, s);
}

void CreateFillerControl(App& app) {
  const int s = app.settings.iconPixels;
  app.toolkit.CreateImageControl(kLedWindow, kFillerControl, 0, 0, s, s, kFillerImage);
  app.toolkit.ShowControl(kFillerControl, false);
}

void CreateMinimizeButton(App& app) {
  const int s = app.settings.iconPixels;
  if (app.settings.verticalMode == 1) {
    app.toolkit.CreateButton(kLedWindow, kMinimizeButtonControl, 0,
                             kInitialClientEdge - kMinimizeButtonWidth, s, kMinimizeButtonWidth,
                             "--");
  } else {
    app.toolkit.CreateButton(kLedWindow, kMinimizeButtonControl,
                             kInitialClientEdge - kMinimizeButtonWidth, 0, kMinimizeButtonWidth,
                             s, "|");
  }
  app.toolkit.SetControlFont(kMinimizeButtonControl, kSmallButtonFont);
  app.toolkit.SetControlTooltip(kMinimizeButtonControl,
                                "Click to minimize to tray and disable activity");
}

// The layout arrives with the LED window work; until then the window stays hidden.
void RebuildLedWindow(App& app) { (void)app; }

}  // namespace glint
