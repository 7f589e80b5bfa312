#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "ledwindow/led_env.h"

namespace glint {
namespace {

Rect At(int x, int y, int w, int h) {
  return {x, y, x + w, y + h};
}

struct RebuildEnv : LedEnv {
  explicit RebuildEnv(const std::string& drives = "CDE") {
    app.settings.drives = MaskOf(drives);
    app.presenceMask = MaskOf("CD");
    Build();
  }
  const FakeToolkit::Window& Window() { return toolkit.windows.at(kLedWindow); }
  const FakeToolkit::Control& ControlOf(int n) { return toolkit.controls.at(n); }
  std::vector<Rect> VisibleIcons() {
    std::vector<Rect> out;
    for (int p = 1; p <= 26; ++p)
      if (ControlOf(p).visible) out.push_back(ControlOf(p).rect);
    return out;
  }
};

TEST(RebuildLedWindowTest, PlacesIconsFillerAndButton) {
  using Rects = std::vector<Rect>;
  const Color back = MakeColor(0x10, 0x20, 0x30);
  struct Case {
    std::string drives;
    int vertical, dual, button;
    Rect window;
    std::vector<Rect> icons;
    Rect filler, buttonRect;
  } cases[] = {
      {"CDE", 0, 0, 8, At(400, 10, 61, 18),
       Rects{At(0, 0, 18, 18), At(18, 0, 18, 18), At(36, 0, 18, 18)}, Rect{}, At(53, 0, 8, 18)},
      {"BCDXZ", 1, 1, 0, At(400, 10, 35, 54),
       Rects{At(0, 0, 18, 18), At(0, 18, 18, 18), At(0, 36, 18, 18), At(18, 0, 18, 18),
             At(18, 18, 18, 18)},
       At(18, 36, 18, 18), Rect{}},
      {"CDEF", 1, 1, 8, At(400, 10, 35, 44),
       Rects{At(0, 0, 18, 18), At(0, 18, 18, 18), At(18, 0, 18, 18), At(18, 18, 18, 18)}, Rect{},
       At(0, 36, 36, 8)},
  };
  for (const Case& c : cases) {
    RebuildEnv env(c.drives);
    env.app.settings.verticalMode = c.vertical;
    env.app.settings.dualIconWindowMode = c.dual;
    env.app.settings.minimizeButton = c.button;
    env.SetBackAndText(back, kWhite);
    // As an earlier layout may have left them.
    env.toolkit.ShowControl(kFillerControl, true);
    env.toolkit.CreateImage(kFillerImage, 5, 5);
    for (int p = 1; p <= 26; ++p) env.toolkit.ShowControl(p, false);
    RebuildLedWindow(env.app);

    EXPECT_EQ(env.Window().rect, c.window) << c.drives;  // the top left corner is kept
    EXPECT_TRUE(env.Window().visible);
    EXPECT_EQ(env.VisibleIcons(), c.icons) << c.drives;
    const auto& filler = env.ControlOf(kFillerControl);
    ASSERT_EQ(filler.visible, c.filler.Width() != 0) << c.drives;
    if (filler.visible) {
      EXPECT_EQ(filler.rect, c.filler);
      EXPECT_EQ(filler.image, kFillerImage);
      EXPECT_EQ(env.View(kFillerImage).Pixel(17, 17), back);
      EXPECT_EQ(env.View(kFillerImage).Pixel(0, 0), back);
    }
    const auto& button = env.ControlOf(kMinimizeButtonControl);
    ASSERT_EQ(button.visible, c.button != 0) << c.drives;
    if (button.visible) {
      EXPECT_EQ(button.rect, c.buttonRect) << c.drives;
      EXPECT_EQ(button.text, c.vertical ? "--" : "|");
      EXPECT_EQ(button.font, kButtonFont);
    }
  }
}

TEST(RebuildLedWindowTest, StyleBandLockMarkAndSquares) {
  RebuildEnv env;
  env.app.settings.windowTransparency = 254;  // the least transparency there is
  env.app.settings.locked = 1;
  RebuildLedWindow(env.app);
  EXPECT_TRUE(env.Window().toolWindow);
  EXPECT_TRUE(env.Window().topmost);
  EXPECT_EQ(env.journal.Matching("SetWindowAlpha"),
            std::vector<std::string>{"SetWindowAlpha 0 254"});
  EXPECT_TRUE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuLockPosition));
  EXPECT_EQ(env.app.presenceSnapshot, MaskOf("CD"));
  EXPECT_EQ(env.View(3).Pixel(14, 0), kWhite);

  // Opaque: no layering at all, and still no taskbar button.
  env.journal.lines.clear();
  env.app.settings.windowTransparency = 255;
  env.app.settings.locked = 0;
  env.toolkit.windows.at(kLedWindow).toolWindow = false;
  RebuildLedWindow(env.app);
  EXPECT_TRUE(env.journal.Matching("SetWindowAlpha").empty());
  EXPECT_TRUE(env.Window().toolWindow);
  EXPECT_FALSE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuLockPosition));
}

TEST(RebuildLedWindowTest, IgnoringOnTopLeavesTheBandAlone) {
  for (bool topmostBefore : {false, true}) {
    RebuildEnv env;
    env.app.settings.ignoreOnTopFirstRun = 1;
    env.toolkit.windows.at(kLedWindow).topmost = topmostBefore;  // e.g. by "Set Window On Top"
    RebuildLedWindow(env.app);
    EXPECT_EQ(env.Window().topmost, topmostBefore);
    EXPECT_TRUE(env.journal.Matching("SetWindowPos 0 topmost").empty());
  }
}

TEST(RebuildLedWindowTest, HiddenWhileControlsMoveThenEveryIconIdle) {
  RebuildEnv env("CDEFG");
  // Square off and every drive present: the presence pass leaves the controls alone, so the idle
  // images can only come from the layout.
  env.app.settings.showSmallSquare = 0;
  env.app.presenceMask = std::string(kAllDrivesMask);
  for (int p = 1; p <= 26; ++p) env.toolkit.SetControlImage(p, IconImageNumber(p, 3));
  env.journal.lines.clear();
  RebuildLedWindow(env.app);
  for (int p = 1; p <= 26; ++p) EXPECT_EQ(env.ControlOf(p).image, p) << p;

  const auto& lines = env.journal.lines;
  const auto isMove = [](const std::string& l) { return l.rfind("MoveControl", 0) == 0; };
  const auto firstMove = std::find_if(lines.begin(), lines.end(), isMove) - lines.begin();
  const auto lastMove = lines.rend() - std::find_if(lines.rbegin(), lines.rend(), isMove) - 1;
  const auto at = [&](const std::string& l) {
    return std::find(lines.begin(), lines.end(), l) - lines.begin();
  };
  // Reset to the width of the window's creation, raised and shown, before it hides.
  const auto reset = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string& l) {
                                    return l.rfind("SetWindowPos 0 top 0 0 8 18 ", 0) == 0;
                                  }) -
                     lines.begin();
  EXPECT_LT(reset, at("ShowWindow 0 hide"));
  EXPECT_LT(at("ShowWindow 0 hide"), firstMove);
  EXPECT_LT(lastMove, at("ShowWindow 0 show"));
  EXPECT_LT(at("ShowWindow 0 show"), static_cast<std::ptrdiff_t>(lines.size()));
}

TEST(RebuildLedWindowTest, AutoHideFollowsPresenceWhateverDrivesSays) {
  struct Case {
    std::string drives, present;
    std::vector<Rect> icons;
  } cases[] = {
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "CE", {At(0, 0, 18, 18), At(18, 0, 18, 18)}},
      {"B", "Z", {At(0, 0, 18, 18)}},
      {"C", "", {}},  // nothing present: one empty cell under the filler
  };
  for (const Case& c : cases) {
    RebuildEnv env(c.drives);
    env.app.settings.autoHideDisconnected = 1;
    env.app.presenceMask = MaskOf(c.present);
    RebuildLedWindow(env.app);
    EXPECT_EQ(env.VisibleIcons(), c.icons) << c.present;
    const int cells = c.icons.empty() ? 1 : static_cast<int>(c.icons.size());
    EXPECT_EQ(env.Window().rect, At(400, 10, cells * 18 - 1, 18)) << c.present;
    EXPECT_EQ(env.ControlOf(kFillerControl).visible, c.icons.empty()) << c.present;
    EXPECT_TRUE(env.Window().visible);
  }
}

// The Drives and Icons window has just cleared its last drive box.
struct GuardEnv : RebuildEnv {
  explicit GuardEnv(int lastControl) : RebuildEnv("C") {
    RebuildLedWindow(app);
    toolkit.CreateCaptionWindow(kDrivesAndIconsWindow, "Drives and Icons", 555, 240, kLedWindow);
    for (int slot = 1; slot <= 26; ++slot)
      toolkit.CreateControl(
          kDrivesAndIconsWindow,
          {.number = 250 + slot, .kind = ControlKind::kCheckBox, .width = 40, .height = 20});
    app.settings.drives = std::string(kNoDrivesMask);
    app.configEventPending = 1;
    app.lastConfigControl = lastControl;
  }
};

TEST(RebuildLedWindowTest, ClearingTheLastDriveGivesItBack) {
  GuardEnv env(253);  // the box of C
  const Rect window = env.Window().rect;
  const std::vector<Rect> icons = env.VisibleIcons();
  env.app.settings.verticalMode = 1;  // a rebuild would turn the window
  env.journal.lines.clear();
  RebuildLedWindow(env.app);
  ASSERT_EQ(env.toolkit.messageBoxes.size(), 1u);
  EXPECT_EQ(env.toolkit.messageBoxes[0].caption, "All year merry-go-round easter egg");
  EXPECT_EQ(env.toolkit.messageBoxes[0].text,
            "You need at least 1 drive checked.\nThis is not a game :-)");
  EXPECT_EQ(env.app.configEventPending, 0);
  EXPECT_EQ(env.app.settings.drives, MaskOf("C"));
  EXPECT_TRUE(env.toolkit.controls.at(253).checked);  // the box is ticked again
  // No rebuild: the layout it had, never hidden.
  EXPECT_EQ(env.Window().rect, window);
  EXPECT_EQ(env.VisibleIcons(), icons);
  EXPECT_TRUE(env.journal.Matching("ShowWindow 0").empty());
  EXPECT_TRUE(env.journal.Contains("SetForegroundWindow 2"));

  RebuildLedWindow(env.app);  // no second message
  EXPECT_EQ(env.toolkit.messageBoxes.size(), 1u);
}

TEST(RebuildLedWindowTest, GuardWritesOnlyTheDriveOfADriveBox) {
  struct Case {
    int control;
    std::string drives;
  } cases[] = {
      {251, MaskOf("A")},
      {276, MaskOf("Z")},
      // Not drive boxes (5000 is the minimize button, which exists): nothing written.
      {250, MaskOf("")},
      {277, MaskOf("")},
      {5000, MaskOf("")},
      {0, MaskOf("")},
      {std::numeric_limits<int>::min(), MaskOf("")},
      {std::numeric_limits<int>::max(), MaskOf("")},
  };
  for (const Case& c : cases) {
    GuardEnv env(c.control);
    RebuildLedWindow(env.app);
    EXPECT_EQ(env.toolkit.messageBoxes.size(), 1u) << c.control;
    EXPECT_EQ(env.app.settings.drives, c.drives) << c.control;
    if (c.drives == MaskOf("")) EXPECT_EQ(env.Window().rect, At(400, 10, 17, 18)) << c.control;
  }

  GuardEnv closed(276);  // the box's window is gone
  closed.toolkit.DestroyWindow(kDrivesAndIconsWindow);
  RebuildLedWindow(closed.app);
  EXPECT_EQ(closed.app.settings.drives, MaskOf(""));

  GuardEnv quiet(253);  // no event of that window pending: no message
  quiet.app.configEventPending = 0;
  RebuildLedWindow(quiet.app);
  EXPECT_TRUE(quiet.toolkit.messageBoxes.empty());
  EXPECT_TRUE(quiet.Window().visible);
}

}  // namespace
}  // namespace glint
