// The configuration windows' captions, measured in the fonts they are drawn with at the DPI this
// process is given: what fits at 96 DPI fits at every DPI, since the layout grows with the text.
// scripts/test runs it in prefixes at 96, 120, 144 and 192 DPI.
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <span>
#include <string>

#include "config/control_table.h"
#include "config/drives_icons_window.h"
#include "config/window_options_window.h"
#include "core/app.h"
#include "core/numbers.h"
#include "ledwindow/render.h"
#include "platform/win32/win32_disk.h"
#include "platform/win32/win32_system.h"
#include "settings/defaults.h"
#include "win_test_support.h"

namespace glint {
namespace {

// Too long for their rectangles already at 96 DPI in Wine's Tahoma; the README lists them.
const std::set<std::string> kClippedAt96 = {
    "Enable Click-Through (disables 'Left Double Click' below)",
};

// Whether the control's caption, in the control's own font, fits its client area: a box or a
// radio button draws its glyph and a gap of half a '0' before the text, on one line; a push
// button centres one line inside its edges; a label wraps at words.
bool CaptionFits(HWND control, ControlKind kind, std::string& why) {
  char text[256] = {};
  GetWindowTextA(control, text, sizeof(text));
  RECT client{};
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  int room = client.right;
  UINT format = DT_CALCRECT | DT_SINGLELINE;
  if (kind == ControlKind::kCheckBox || kind == ControlKind::kRadioButton) {
    INT zero = 0;
    GetCharWidth32A(dc, '0', '0', &zero);
    room -= GetSystemMetrics(SM_CXMENUCHECK) + zero / 2;
  } else if (kind == ControlKind::kButton) {
    room -= 2 * GetSystemMetrics(SM_CXEDGE);
  } else {
    format = DT_CALCRECT | DT_WORDBREAK;
  }
  RECT needed{0, 0, room, 0};
  DrawTextA(dc, text, -1, &needed, format);
  // A line's last letter may end before its advance does: what is cut is ink, not space.
  ABC last{};
  if ((format & DT_SINGLELINE) != 0 && text[0] != '\0' &&
      GetCharABCWidthsA(dc, static_cast<unsigned char>(text[strlen(text) - 1]),
                        static_cast<unsigned char>(text[strlen(text) - 1]), &last) &&
      last.abcC > 0)
    needed.right -= last.abcC;
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  why = std::to_string(needed.right) + " x " + std::to_string(needed.bottom) + " in " +
        std::to_string(room) + " x " + std::to_string(client.bottom);
  return needed.right <= room && needed.bottom <= client.bottom;
}

class CaptionFit : public wintest::ToolkitTest {
 protected:
  Win32Disk disk_;
  Win32System system_;
  App app_{toolkit_, disk_, system_};
};

TEST_F(CaptionFit, WhatFitsAt96DpiFitsAtTheDpiGiven) {
  // The fonts as the program makes them.
  ApplyDefaults(app_.settings);
  RenderDriveIcons(app_);
  const int dpi = toolkit_.DisplayDpi();
  const struct {
    int window;
    std::span<const ControlDef> controls;
  } windows[] = {{kWindowOptionsWindow, WindowOptionsControls()},
                 {kDrivesAndIconsWindow, DrivesAndIconsControls()}};
  std::set<std::string> clipped;
  int measured = 0;
  for (const auto& w : windows) {
    ASSERT_TRUE(config::OpenConfigWindow(toolkit_, w.window, "Captions", 600, 300));
    ASSERT_TRUE(config::CreateScaledControls(toolkit_, w.window, w.controls));
    for (const ControlDef& def : w.controls) {
      if (def.caption.empty() || def.kind == ControlKind::kImage) continue;
      std::string why;
      ++measured;
      if (!CaptionFits(Control(def.number), def.kind, why)) {
        clipped.insert(std::string(def.caption));
        EXPECT_EQ(kClippedAt96.count(std::string(def.caption)), 1u)
            << "\"" << def.caption << "\" clipped at " << dpi << " DPI: " << why;
      }
    }
    toolkit_.DestroyWindow(w.window);
  }
  // At 96 DPI the list is exact, so that it stays true.
  if (dpi == kBaseDpi) {
    EXPECT_EQ(clipped, kClippedAt96);
  }
  std::printf("[ CaptionFit ] %d DPI: %d captions, %zu clipped\n", dpi, measured, clipped.size());
}

}  // namespace
}  // namespace glint
