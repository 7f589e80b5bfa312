#include "config/window_options_window.h"

#include <array>
#include <string>

#include "config/control_table.h"
#include "core/app.h"
#include "core/event_loop.h"
#include "ledwindow/led_window.h"
#include "ledwindow/render.h"
#include "placement/placement.h"
#include "settings/settings_file.h"

namespace glint {

namespace {

using namespace config;
namespace wo = window_options;

constexpr std::array kControls = {
    CheckBox(wo::kVertical, 10, 10, 150, 16, "Vertical Window Mode"),
    CheckBox(wo::kDualMode, 10, 28, 150, 16, "Dual Icon Window Mode"),
    CheckBox(wo::kMinimizeButton, 10, 46, 150, 16, "Show Minimize Button"),
    CheckBox(wo::kClickThrough, 10, 64, 285, 16,
             "Enable Click-Through (disables 'Left Double Click' below)"),
    FirstRadioButton(wo::kLeftDoubleClick, 9, 85, 200, 16,
                     "Use Left Double Click to Explore Drive"),
    RadioButton(wo::kMiddleClick, 9, 105, 210, 16, "Use Middle Single Click to Explore Drive"),
    CheckBox(wo::kSnap, 10, 125, 230, 20, "Enable Automatic Window Snap and Limiting"),
    CheckBox(wo::kPersistent, 10, 145, 275, 20,
             "Make window always persistant on-top (each 0.5sec)"),
    CheckBox(wo::kIgnoreOnTop, 10, 165, 270, 20, "Prevent window on-top upon first-time run"),
    Label(wo::kTransparencyLabel, 10, 190, 200, 16, "Set Window Transperancy:", kUiBoldFont),
    Trackbar(wo::kTransparencyTrackbar, 9, 215, 260, 20, 10, 255),
    Label(wo::kTransparencyValue, 275, 215, 30, 20, "255"),
    Button(wo::kSaveButton, 200, 245, 95, 20, "Save Changes", kUiBoldFont),
};

struct WindowOptions {
  App& app;
  Toolkit& toolkit;
  int saveRequested = 0;

  bool Ticked(int control) const { return toolkit.IsControlChecked(control); }
  // Every change is shown at once on the LED window; the rebuild activates that window, so this
  // one takes the focus back.
  void Refresh(bool render) {
    if (render) RenderDriveIcons(app);
    RebuildLedWindow(app);
    toolkit.ActivateWindow(kWindowOptionsWindow);
  }
};

int Flag(bool on) {
  return on ? 1 : 0;
}

void OnVertical(WindowOptions& w) {
  w.app.settings.verticalMode = Flag(w.Ticked(wo::kVertical));
  w.Refresh(true);
}

void OnDualMode(WindowOptions& w) {
  w.app.settings.dualIconWindowMode = Flag(w.Ticked(wo::kDualMode));
  w.Refresh(true);
}

void OnMinimizeButton(WindowOptions& w) {
  w.app.settings.minimizeButton = w.Ticked(wo::kMinimizeButton) ? 8 : 0;
  w.Refresh(false);  // the images do not change
}

void OnClickThrough(WindowOptions& w) {
  AppSettings& s = w.app.settings;
  if (w.Ticked(wo::kClickThrough)) {
    // The left click is taken by click-through: exploring moves to the middle button.
    s.clickThrough = 1;
    w.toolkit.SelectRadioButton(wo::kMiddleClick);
    w.toolkit.EnableControl(wo::kLeftDoubleClick, false);
    s.exploreMouseButton = 3;
  } else {
    s.clickThrough = 0;
    w.toolkit.EnableControl(wo::kLeftDoubleClick, true);
  }
}

void OnLeftDoubleClick(WindowOptions& w) {
  w.app.settings.exploreMouseButton = 1;
}

void OnMiddleClick(WindowOptions& w) {
  w.app.settings.exploreMouseButton = 3;
}

void OnSnap(WindowOptions& w) {
  AppSettings& s = w.app.settings;
  if (w.Ticked(wo::kSnap)) {
    // Snapping and the on-top timer fight each other: snapping wins and locks the other out.
    s.windowSnapAndLimiting = 1;
    w.toolkit.EnableControl(wo::kPersistent, false);
    w.toolkit.SetControlChecked(wo::kPersistent, false);
    LimitWindowToWorkArea(w.app, kLedWindow);
    s.persistentWindow = 0;
  } else {
    s.windowSnapAndLimiting = 0;
    w.toolkit.EnableControl(wo::kPersistent, true);
  }
}

void OnPersistent(WindowOptions& w) {
  if (w.Ticked(wo::kPersistent)) {
    // Only reachable while snapping is off, so its setting is 0 already.
    w.app.settings.persistentWindow = 1;
    w.toolkit.SetControlChecked(wo::kSnap, false);
  } else {
    w.app.settings.persistentWindow = 0;
  }
}

void OnIgnoreOnTop(WindowOptions& w) {
  const bool ignore = w.Ticked(wo::kIgnoreOnTop);
  w.app.settings.ignoreOnTopFirstRun = Flag(ignore);
  w.toolkit.SetWindowPos(kLedWindow, ignore ? ZOrder::kNoTopmost : ZOrder::kTopmost, 0, 0, 0, 0,
                         swp::kNoMove | swp::kNoSize);
}

void OnTransparency(WindowOptions& w) {
  const int alpha = w.toolkit.TrackbarPos(wo::kTransparencyTrackbar);
  ApplyTransparency(w.app, alpha);
  w.app.settings.windowTransparency = alpha;
  w.toolkit.SetControlText(wo::kTransparencyValue, std::to_string(alpha));
}

void OnSave(WindowOptions& w) {
  w.saveRequested = 1;
}

constexpr std::array<Handler<WindowOptions>, 11> kHandlers = {{
    {wo::kVertical, &OnVertical},
    {wo::kDualMode, &OnDualMode},
    {wo::kMinimizeButton, &OnMinimizeButton},
    {wo::kClickThrough, &OnClickThrough},
    {wo::kLeftDoubleClick, &OnLeftDoubleClick},
    {wo::kMiddleClick, &OnMiddleClick},
    {wo::kSnap, &OnSnap},
    {wo::kPersistent, &OnPersistent},
    {wo::kIgnoreOnTop, &OnIgnoreOnTop},
    {wo::kTransparencyTrackbar, &OnTransparency},
    {wo::kSaveButton, &OnSave},
}};

// The controls from the settings; a field is only shown here, never changed.
void ShowSettings(WindowOptions& w) {
  const AppSettings& s = w.app.settings;
  Toolkit& tk = w.toolkit;
  tk.SetControlChecked(wo::kMinimizeButton, s.minimizeButton == 8);
  tk.SetControlChecked(wo::kVertical, s.verticalMode == 1);
  if (s.exploreMouseButton == 1) tk.SelectRadioButton(wo::kLeftDoubleClick);
  if (s.exploreMouseButton == 3) tk.SelectRadioButton(wo::kMiddleClick);
  if (s.persistentWindow == 1) {
    tk.SetControlChecked(wo::kPersistent, true);
    tk.SetControlChecked(wo::kSnap, false);
  }
  if (s.clickThrough == 1) {
    // Shown as the middle click even where the field still says 1: it stays so until touched.
    tk.SetControlChecked(wo::kClickThrough, true);
    tk.EnableControl(wo::kLeftDoubleClick, false);
    tk.SelectRadioButton(wo::kMiddleClick);
  }
  if (s.dualIconWindowMode == 1) tk.SetControlChecked(wo::kDualMode, true);
  if (s.windowSnapAndLimiting == 1) {
    tk.SetControlChecked(wo::kSnap, true);
    tk.EnableControl(wo::kPersistent, false);
    tk.SetControlChecked(wo::kPersistent, false);
  }
  if (s.ignoreOnTopFirstRun == 1) tk.SetControlChecked(wo::kIgnoreOnTop, true);
  tk.SetControlText(wo::kTransparencyValue, std::to_string(s.windowTransparency));
  tk.SetTrackbarPos(wo::kTransparencyTrackbar, s.windowTransparency);
}

}  // namespace

std::span<const ControlDef> WindowOptionsControls() {
  return kControls;
}

void RunWindowOptionsWindow(App& app) {
  WindowOptions w{app, app.toolkit};
  // A window that could not open could never be left: back at once, nothing changed.
  if (!OpenConfigWindow(w.toolkit, kWindowOptionsWindow, "  Window Options", 305, 275)) return;
  // Nor could one without its Save button: back the same way.
  if (!CreateScaledControls(w.toolkit, kWindowOptionsWindow, kControls)) {
    w.toolkit.DestroyWindow(kWindowOptionsWindow);
    return;
  }
  ShowSettings(w);

  RunModalLoop(app, {}, [&w](const Event& event) {
    // A close request of any of the program's windows ends the window at once.
    if (event.kind == EventKind::kClose) return true;
    if (event.kind != EventKind::kControl) return false;
    const Handler<WindowOptions>* handler =
        FindHandler(std::span<const Handler<WindowOptions>>(kHandlers), event.number);
    if (handler == nullptr) return false;
    handler->handle(w);
    return w.saveRequested == 1;
  });

  if (w.saveRequested == 1) {
    w.toolkit.DestroyWindow(kWindowOptionsWindow);
    RenderDriveIcons(app);
    RebuildLedWindow(app);
    SaveSettings(app);
  } else {
    // Nothing is reverted: the changes stay in force until saved some other way.
    ApplyTransparency(app, app.settings.windowTransparency);
    w.toolkit.DestroyWindow(kWindowOptionsWindow);
  }
}

}  // namespace glint
