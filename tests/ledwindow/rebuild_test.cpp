#include <gtest/gtest.h>

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
  const Color back = MakeColor(0x10, 0x20, 0x30);
  struct Case {
    std::string drives;
    int vertical, dual, button;
    Rect window;
    std::vector<Rect> icons;
    Rect filler, buttonRect;
  } cases[] = {
      {"CDE",
       0,
       0,
       8,
       At(400, 10, 61, 18),
       {At(0, 0, 18, 18), At(18, 0, 18, 18), At(36, 0, 18, 18)},
       {},
       At(53, 0, 8, 18)},
      {"BCDXZ",
       1,
       1,
       0,
       At(400, 10, 35, 54),
       {At(0, 0, 18, 18), At(0, 18, 18, 18), At(0, 36, 18, 18), At(18, 0, 18, 18),
        At(18, 18, 18, 18)},
       At(18, 36, 18, 18),
       {}},
      {"CDEF",
       1,
       1,
       8,
       At(400, 10, 35, 44),
       {At(0, 0, 18, 18), At(0, 18, 18, 18), At(18, 0, 18, 18), At(18, 18, 18, 18)},
       {},
       At(0, 36, 36, 8)},
  };
  for (const Case& c : cases) {
    RebuildEnv env(c.drives);
    env.app.settings.verticalMode = c.vertical;
    env.app.settings.dualIconWindowMode = c.dual;
    env.app.settings.minimizeButton = c.button;
    env.SetBackAndText(back, kWhite);
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
      EXPECT_EQ(button.font, kUiFont);
    }
  }
}

TEST(RebuildLedWindowTest, StyleBandLockMarkIdleImagesAndSquares) {
  RebuildEnv env;
  env.app.settings.windowTransparency = 128;
  env.app.settings.locked = 1;
  for (int p = 1; p <= 26; ++p) env.toolkit.SetControlImage(p, 78 + p);
  RebuildLedWindow(env.app);
  EXPECT_TRUE(env.Window().toolWindow);
  EXPECT_TRUE(env.Window().topmost);
  EXPECT_EQ(env.Window().alpha, 128);
  EXPECT_TRUE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuLockPosition));
  for (int p = 1; p <= 26; ++p) EXPECT_EQ(env.ControlOf(p).image, p) << p;
  EXPECT_EQ(env.app.presenceSnapshot, MaskOf("CD"));
  EXPECT_EQ(env.View(3).Pixel(14, 0), kWhite);

  env.app.settings.windowTransparency = 255;
  env.app.settings.locked = 0;
  RebuildLedWindow(env.app);
  EXPECT_EQ(env.Window().alpha, 255);
  EXPECT_FALSE(env.toolkit.IsMenuItemChecked(kPopupMenu, kMenuLockPosition));

  RebuildEnv notOnTop;
  notOnTop.app.settings.ignoreOnTopFirstRun = 1;
  RebuildLedWindow(notOnTop.app);
  EXPECT_FALSE(notOnTop.Window().topmost);
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
    toolkit.CreatePopupWindow(kDrivesAndIconsWindow, "Drives and Icons", 0, 0, 300, 300);
    for (int slot = 1; slot <= 26; ++slot)
      toolkit.CreateButton(kDrivesAndIconsWindow, 250 + slot, 0, 0, 10, 10, "");
    app.settings.drives = std::string(kNoDrivesMask);
    app.configEventPending = 1;
    app.lastConfigControl = lastControl;
  }
};

TEST(RebuildLedWindowTest, ClearingTheLastDriveGivesItBack) {
  GuardEnv env(253);  // the box of C
  const Rect window = env.Window().rect;
  const std::vector<Rect> icons = env.VisibleIcons();
  RebuildLedWindow(env.app);
  ASSERT_EQ(env.toolkit.messageBoxes.size(), 1u);
  EXPECT_EQ(env.toolkit.messageBoxes[0].caption, "All year merry-go-round easter egg");
  EXPECT_EQ(env.toolkit.messageBoxes[0].text,
            "You need at least 1 drive checked.\nThis is not a game :-)");
  EXPECT_EQ(env.app.configEventPending, 0);
  EXPECT_EQ(env.app.settings.drives, MaskOf("C"));
  EXPECT_TRUE(env.toolkit.controls.at(253).checked);  // the box is ticked again
  EXPECT_EQ(env.Window().rect, window);
  EXPECT_EQ(env.VisibleIcons(), icons);
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
      {-2147483647, MaskOf("")},
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
