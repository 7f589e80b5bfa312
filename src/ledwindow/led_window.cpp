#include "ledwindow/led_window.h"

#include <string>

#include "core/app.h"
#include "core/numbers.h"
#include "core/product.h"
#include "ledwindow/icon_paint.h"
#include "ledwindow/layout.h"
#include "ledwindow/render.h"
#include "placement/placement.h"

namespace glint {

namespace {
constexpr int kInitialClientEdge = 8;
}  // namespace

// The window, its images and its controls are not checked: the program goes on without any of
// them, and later calls on a missing number do nothing.

void CreateLedWindow(App& app) {
  static_cast<void>(app.toolkit.CreatePopupWindow(kLedWindow, kProductName, app.settings.winX,
                                                  app.settings.winY, kInitialClientEdge,
                                                  kInitialClientEdge));
}

void CreateIconImagesAndControls(App& app) {
  const int s = app.settings.iconPixels;
  for (int slot = 1; slot <= kDriveCount; ++slot)
    for (int state = 0; state < kIconStates; ++state)
      static_cast<void>(app.toolkit.CreateImage(IconImageNumber(slot, state), s, s));
  for (int slot = 1; slot <= kDriveCount; ++slot) {
    static_cast<void>(
        app.toolkit.CreateImageControl(kLedWindow, slot, (slot - 1) * s, kOffscreenY, s, s, slot));
  }
}

void CreateFillerImage(App& app) {
  const int s = app.settings.iconPixels;
  static_cast<void>(app.toolkit.CreateImage(kFillerImage, s, s));
}

void CreateFillerControl(App& app) {
  const int s = app.settings.iconPixels;
  static_cast<void>(
      app.toolkit.CreateImageControl(kLedWindow, kFillerControl, 0, 0, s, s, kFillerImage));
  app.toolkit.ShowControl(kFillerControl, false);
}

void CreateMinimizeButton(App& app) {
  const int s = app.settings.iconPixels;
  if (app.settings.verticalMode == 1) {
    static_cast<void>(app.toolkit.CreateButton(kLedWindow, kMinimizeButtonControl, 0,
                                               kInitialClientEdge - kMinimizeButtonWidth, s,
                                               kMinimizeButtonWidth, "--"));
  } else {
    static_cast<void>(app.toolkit.CreateButton(kLedWindow, kMinimizeButtonControl,
                                               kInitialClientEdge - kMinimizeButtonWidth, 0,
                                               kMinimizeButtonWidth, s, "|"));
  }
  app.toolkit.SetControlFont(kMinimizeButtonControl, kSmallButtonFont);
  app.toolkit.SetControlTooltip(kMinimizeButtonControl,
                                "Click to minimize to tray and disable activity");
}

namespace {

// The letters the window shows: the selected drives, or in auto-hide mode every present drive.
std::string_view ShownMask(const App& app) {
  return app.settings.autoHideDisconnected == 1 ? std::string_view(app.presenceMask)
                                                : std::string_view(app.settings.drives);
}

// Clearing the last drive box in the Drives and Icons window: warn, give the drive back and keep
// the layout. True when the rebuild must stop here.
bool GuardEmptyMask(App& app) {
  if (app.settings.drives != kNoDrivesMask || app.configEventPending != 1) return false;
  app.toolkit.ShowMessageBox(kEmptyMaskCaption, kEmptyMaskText, mb::kOk);
  app.configEventPending = 0;
  // Only a drive box names a drive; any other control must not index the mask.
  const int slot = DriveBoxSlot(app.lastConfigControl);
  if (slot == 0 || !app.toolkit.ControlExists(app.lastConfigControl)) return false;
  app.toolkit.SetControlChecked(app.lastConfigControl, true);
  app.settings.drives[static_cast<std::size_t>(slot - 1)] = '1';
  app.toolkit.SetForegroundWindow(kDrivesAndIconsWindow);
  return true;
}

// Style, transparency, the top of the z-order and the topmost band are re-derived by every
// rebuild; the window is then hidden while its controls move.
void ResetWindow(App& app, int edge) {
  Toolkit& toolkit = app.toolkit;
  const AppSettings& settings = app.settings;
  toolkit.SetToolWindowStyle(kLedWindow);
  if (settings.windowTransparency < 255) ApplyTransparency(app, settings.windowTransparency);
  toolkit.SetWindowPos(kLedWindow, ZOrder::kTop, 0, 0, kInitialClientEdge, edge,
                       swp::kNoMove | swp::kShowWindow);
  if (settings.ignoreOnTopFirstRun != 1)
    toolkit.SetWindowPos(kLedWindow, ZOrder::kTopmost, 0, 0, 0, 0, swp::kNoMove | swp::kNoSize);
  toolkit.ShowWindow(kLedWindow, ShowMode::kHide);
}

void PlaceButton(Toolkit& toolkit, const LedLayout& layout) {
  if (!layout.buttonShown) {
    toolkit.ShowControl(kMinimizeButtonControl, false);
    return;
  }
  const Box& b = layout.button;
  toolkit.MoveControl(kMinimizeButtonControl, b.x, b.y, b.width, b.height);
  toolkit.SetControlText(kMinimizeButtonControl, layout.buttonCaption);
  toolkit.SetControlFont(kMinimizeButtonControl, kButtonFont);
  toolkit.ShowControl(kMinimizeButtonControl, true);
}

void PlaceIcons(Toolkit& toolkit, const LayoutInput& input, std::string_view shownMask) {
  const int edge = input.iconPixels;
  int k = 0;
  for (int slot = 1; slot <= kDriveCount; ++slot) {
    // Every rebuild shows idle: the images may have been re-created since the last one.
    toolkit.SetControlImage(slot, IconImageNumber(slot, kIdleState));
    if (!SlotInMask(shownMask, slot)) {
      toolkit.ShowControl(slot, false);
      continue;
    }
    const Cell cell = IconCell(input, k++);
    toolkit.MoveControl(slot, cell.column * edge, cell.row * edge, edge, edge);
    toolkit.ShowControl(slot, true);
  }
}

void PlaceFiller(App& app, const LedLayout& layout, int edge) {
  Toolkit& toolkit = app.toolkit;
  if (!layout.fillerShown) {
    toolkit.ShowControl(kFillerControl, false);
    return;
  }
  // Re-created each time, so that it always has the current size and background.
  if (toolkit.CreateImage(kFillerImage, edge, edge)) {
    FillBox(toolkit.Image(kFillerImage), {0, 0, edge, edge}, IconColorsOf(app.settings).back);
    toolkit.ImageChanged(kFillerImage);
  }
  const Box& f = layout.filler;
  toolkit.MoveControl(kFillerControl, f.x, f.y, f.width, f.height);
  toolkit.SetControlImage(kFillerControl, kFillerImage);
  toolkit.ShowControl(kFillerControl, true);
}

// The shown letters come from one mask for both the count and the placement.
LayoutInput LayoutInputFor(const App& app) {
  const std::string_view shownMask = ShownMask(app);
  int shown = 0;
  for (int slot = 1; slot <= kDriveCount; ++slot) shown += SlotInMask(shownMask, slot) ? 1 : 0;
  const AppSettings& settings = app.settings;
  return {IconEdge(settings), shown, settings.verticalMode, settings.dualIconWindowMode,
          settings.minimizeButton};
}

}  // namespace

void RebuildLedWindow(App& app) {
  if (GuardEmptyMask(app)) return;

  Toolkit& toolkit = app.toolkit;
  const LayoutInput input = LayoutInputFor(app);
  const int edge = input.iconPixels;
  ResetWindow(app, edge);

  const LedLayout layout = ComputeLedLayout(input);
  toolkit.SetWindowPos(kLedWindow, ZOrder::kNone, 0, 0, layout.clientWidth, layout.clientHeight,
                       swp::kNoMove);
  PlaceButton(toolkit, layout);
  PlaceIcons(toolkit, input, ShownMask(app));
  PlaceFiller(app, layout, edge);

  toolkit.ShowWindow(kLedWindow, ShowMode::kShowNormal);
  toolkit.SetMenuItemChecked(kPopupMenu, kMenuLockPosition, app.settings.locked == 1);
  MarkPresentDrives(app);
}

}  // namespace glint
