#include "config/window_options_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/config_env.h"

namespace glint {
namespace {

namespace wo = window_options;

// Opens the window over `setUp`'s settings, runs `script` on it (posting clicks), then saves,
// and hands the state seen at the first event to `seen`.
void RunWindow(ConfigEnv& env, const std::function<void(ConfigEnv&)>& script,
               const std::function<void(ConfigEnv&)>& seen = {}) {
  env.toolkit.Post(Event::Raw(msg::kPaint), [&env, seen] {
    if (seen) seen(env);
  });
  script(env);
  env.toolkit.PostClick(wo::kSaveButton);
  RunWindowOptionsWindow(env.app);
}

TEST(WindowOptionsTest, ControlsInOrderInACaptionOnlyToolWindow) {
  const std::vector<int> order = {300, 316, 299, 315, 303, 304, 321, 314, 322, 310, 311, 312, 301};
  EXPECT_EQ(NumbersOf(WindowOptionsControls()), order);
  for (const ControlDef& def : WindowOptionsControls())
    EXPECT_EQ(def.groupStart, def.number == wo::kLeftDoubleClick) << def.number;

  ConfigEnv env;
  RunWindow(
      env, [](ConfigEnv&) {},
      [&order](ConfigEnv& e) {
        const FakeToolkit::Window& w = e.toolkit.windows.at(kWindowOptionsWindow);
        EXPECT_EQ(w.title, "  Window Options");
        EXPECT_EQ(w.client, (Rect{0, 0, 305, 275}));  // at 96 DPI, as the table stands
        EXPECT_EQ(e.ControlOf(wo::kClickThrough).rect, (Rect{10, 64, 295, 80}));
        EXPECT_TRUE(w.captioned && w.toolWindow && w.topmost && w.visible);
        EXPECT_EQ(w.owner, kLedWindow);
        EXPECT_EQ(e.toolkit.ControlsOf(kWindowOptionsWindow), order);
        EXPECT_EQ(e.ControlOf(wo::kTransparencyLabel).font, kUiBoldFont);
        EXPECT_EQ(e.ControlOf(wo::kVertical).font, kUiFont);
      });
}

TEST(WindowOptionsTest, TheControlsShowTheSettingsWithoutChangingThem) {
  struct Shown {
    bool minimize, vertical, dual, clickThrough, snap, persistent, ignore;
    bool left, middle, leftEnabled, persistentEnabled;
    std::string value;
  };
  const struct {
    const char* what;
    std::function<void(AppSettings&)> set;
    Shown shown;
  } cases[] = {
      {"factory settings",
       [](AppSettings&) {},
       {false, false, false, false, true, false, false, false, true, true, false, "255"}},
      {"everything on, snapping off",
       [](AppSettings& s) {
         s.minimizeButton = 8, s.verticalMode = 1, s.dualIconWindowMode = 1;
         s.windowSnapAndLimiting = 0, s.persistentWindow = 1, s.ignoreOnTopFirstRun = 1;
         s.exploreMouseButton = 3, s.windowTransparency = 77;
       },
       {true, true, true, false, false, true, true, false, true, true, true, "77"}},
      // Click-through shows the middle click chosen, but the field stays 1 until touched.
      {"click-through with the left double click",
       [](AppSettings& s) { s.clickThrough = 1, s.exploreMouseButton = 1; },
       {false, false, false, true, true, false, false, false, true, false, false, "255"}},
      {"left double click",
       [](AppSettings& s) { s.exploreMouseButton = 1; },
       {false, false, false, false, true, false, false, true, false, true, false, "255"}},
  };
  for (const auto& c : cases) {
    ConfigEnv env;
    c.set(env.app.settings);
    const AppSettings before = env.app.settings;
    Shown got{};
    int position = 0;
    RunWindow(
        env, [](ConfigEnv&) {},
        [&](ConfigEnv& e) {
          got = {e.Checked(wo::kMinimizeButton),
                 e.Checked(wo::kVertical),
                 e.Checked(wo::kDualMode),
                 e.Checked(wo::kClickThrough),
                 e.Checked(wo::kSnap),
                 e.Checked(wo::kPersistent),
                 e.Checked(wo::kIgnoreOnTop),
                 e.Checked(wo::kLeftDoubleClick),
                 e.Checked(wo::kMiddleClick),
                 e.ControlOf(wo::kLeftDoubleClick).enabled,
                 e.ControlOf(wo::kPersistent).enabled,
                 e.toolkit.ControlText(wo::kTransparencyValue)};
          position = e.toolkit.TrackbarPos(wo::kTransparencyTrackbar);
        });
    const Shown& want = c.shown;
    EXPECT_EQ(std::vector<bool>({got.minimize, got.vertical, got.dual, got.clickThrough, got.snap,
                                 got.persistent, got.ignore, got.left, got.middle, got.leftEnabled,
                                 got.persistentEnabled}),
              std::vector<bool>({want.minimize, want.vertical, want.dual, want.clickThrough,
                                 want.snap, want.persistent, want.ignore, want.left, want.middle,
                                 want.leftEnabled, want.persistentEnabled}))
        << c.what;
    EXPECT_EQ(got.value, want.value) << c.what;
    EXPECT_EQ(std::to_string(position), want.value) << c.what;
    EXPECT_EQ(env.app.settings.exploreMouseButton, before.exploreMouseButton) << c.what;
  }
}

TEST(WindowOptionsTest, EveryChangeTakesEffectAtOnce) {
  const struct {
    const char* what;
    std::function<void(AppSettings&)> set;
    std::function<void(ConfigEnv&)> act;
    std::function<void(ConfigEnv&)> check;  // right after the action, inside the window
  } cases[] = {
      {"vertical",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kVertical); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.verticalMode, 1);
         EXPECT_EQ(e.Renders(), 1);
         EXPECT_EQ(e.Rebuilds(), 1);
         EXPECT_EQ(e.toolkit.windows.at(kLedWindow).rect.Width(), 17);
         EXPECT_EQ(e.journal.Matching("ActivateWindow 3").size(), 2u);  // opening, then again
       }},
      {"dual",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kDualMode); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.dualIconWindowMode, 1);
         EXPECT_EQ(e.Renders(), 1);
       }},
      {"minimize button",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kMinimizeButton); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.minimizeButton, 8);
         EXPECT_EQ(e.Renders(), 0);  // the images do not change
         EXPECT_EQ(e.Rebuilds(), 1);
         EXPECT_TRUE(e.ControlOf(kMinimizeButtonControl).visible);
       }},
      {"click-through on", [](AppSettings& s) { s.exploreMouseButton = 1; },
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kClickThrough); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.clickThrough, 1);
         EXPECT_EQ(e.app.settings.exploreMouseButton, 3);
         EXPECT_TRUE(e.Checked(wo::kMiddleClick));
         EXPECT_FALSE(e.Checked(wo::kLeftDoubleClick));
         EXPECT_FALSE(e.ControlOf(wo::kLeftDoubleClick).enabled);
       }},
      {"click-through off", [](AppSettings& s) { s.clickThrough = 1, s.exploreMouseButton = 1; },
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kClickThrough); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.clickThrough, 0);
         EXPECT_EQ(e.app.settings.exploreMouseButton, 1);  // untouched
         EXPECT_TRUE(e.Checked(wo::kMiddleClick));
         EXPECT_TRUE(e.ControlOf(wo::kLeftDoubleClick).enabled);
       }},
      {"left double click",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kLeftDoubleClick); },
       [](ConfigEnv& e) { EXPECT_EQ(e.app.settings.exploreMouseButton, 1); }},
      {"middle click", [](AppSettings& s) { s.exploreMouseButton = 1; },
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kMiddleClick); },
       [](ConfigEnv& e) { EXPECT_EQ(e.app.settings.exploreMouseButton, 3); }},
      {"snap on", [](AppSettings& s) { s.windowSnapAndLimiting = 0, s.persistentWindow = 1; },
       [](ConfigEnv& e) {
         e.toolkit.SetWindowPos(kLedWindow, ZOrder::kNone, 1100, 10, 0, 0, swp::kNoSize);
         e.toolkit.PostClick(wo::kSnap);
       },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.windowSnapAndLimiting, 1);
         EXPECT_EQ(e.app.settings.persistentWindow, 0);
         EXPECT_FALSE(e.Checked(wo::kPersistent));
         EXPECT_FALSE(e.ControlOf(wo::kPersistent).enabled);
         EXPECT_EQ(e.toolkit.windows.at(kLedWindow).rect.right, 1280);  // pulled inside
       }},
      {"snap off",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kSnap); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.windowSnapAndLimiting, 0);
         EXPECT_TRUE(e.ControlOf(wo::kPersistent).enabled);
         EXPECT_FALSE(e.Checked(wo::kPersistent));  // persistence does not come back
         EXPECT_EQ(e.app.settings.persistentWindow, 0);
       }},
      {"persistent on", [](AppSettings& s) { s.windowSnapAndLimiting = 0; },
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kPersistent); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.persistentWindow, 1);
         EXPECT_FALSE(e.Checked(wo::kSnap));
         EXPECT_EQ(e.app.settings.windowSnapAndLimiting, 0);
       }},
      {"persistent off",
       [](AppSettings& s) { s.windowSnapAndLimiting = 0, s.persistentWindow = 1; },
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kPersistent); },
       [](ConfigEnv& e) { EXPECT_EQ(e.app.settings.persistentWindow, 0); }},
      {"on top at first run ignored",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(wo::kIgnoreOnTop); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.ignoreOnTopFirstRun, 1);
         EXPECT_FALSE(e.toolkit.windows.at(kLedWindow).topmost);  // at once, before any save
         EXPECT_EQ(e.journal.Matching("SetWindowPos 0"),          // neither moved nor sized
                   std::vector<std::string>{"SetWindowPos 0 notopmost 0 0 0 0 3"});
       }},
      {"on top at first run again", [](AppSettings& s) { s.ignoreOnTopFirstRun = 1; },
       [](ConfigEnv& e) {
         e.toolkit.windows.at(kLedWindow).topmost = false;
         e.toolkit.PostClick(wo::kIgnoreOnTop);
       },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.ignoreOnTopFirstRun, 0);
         EXPECT_TRUE(e.toolkit.windows.at(kLedWindow).topmost);
       }},
      {"transparency",
       {},
       [](ConfigEnv& e) {
         e.toolkit.PostScroll(wo::kTransparencyTrackbar, 140);
         e.toolkit.PostScroll(wo::kTransparencyTrackbar, 3);  // the thumb stops at 10
       },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.windowTransparency, 10);
         EXPECT_EQ(e.toolkit.ControlText(wo::kTransparencyValue), "10");
         EXPECT_EQ(e.journal.Matching("SetWindowAlpha"),
                   (std::vector<std::string>{"SetWindowAlpha 0 140", "SetWindowAlpha 0 10"}));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ConfigEnv env;
    if (c.set) c.set(env.app.settings);
    bool checked = false;
    RunWindow(env, [&](ConfigEnv& e) {
      c.act(e);
      e.toolkit.Post(Event::Raw(msg::kPaint), [&] {
        c.check(e);
        checked = true;
      });
    });
    EXPECT_TRUE(checked);
  }
}

TEST(WindowOptionsTest, TheBoxesSetTheirFieldsBothWays) {
  const struct {
    int box;
    std::int32_t AppSettings::*field;
    std::int32_t on;
  } boxes[] = {{wo::kVertical, &AppSettings::verticalMode, 1},
               {wo::kDualMode, &AppSettings::dualIconWindowMode, 1},
               {wo::kMinimizeButton, &AppSettings::minimizeButton, 8},  // the button's width
               {wo::kIgnoreOnTop, &AppSettings::ignoreOnTopFirstRun, 1}};
  for (const auto& b : boxes) {
    ConfigEnv env;
    std::vector<std::int32_t> seen;
    RunWindow(env, [&](ConfigEnv& e) {
      for (int click = 0; click < 2; ++click) {
        e.toolkit.PostClick(b.box);
        e.toolkit.Post(Event::Raw(msg::kPaint), [&] { seen.push_back(e.app.settings.*b.field); });
      }
    });
    EXPECT_EQ(seen, (std::vector<std::int32_t>{b.on, 0})) << b.box;
  }
}

TEST(WindowOptionsTest, SaveWritesEverythingCloseKeepsTheChangesInMemoryOnly) {
  ConfigEnv saved;
  RunWindow(saved, [](ConfigEnv& e) { e.toolkit.PostClick(wo::kVertical); });
  EXPECT_FALSE(saved.toolkit.WindowExists(kWindowOptionsWindow));
  EXPECT_NE(saved.system.files.at(kConfigIni).find("Vertical Mode = Yes"), std::string::npos);
  const std::string path = kConfigIni;
  EXPECT_EQ(
      saved.Finishing(kWindowOptionsWindow),
      (std::vector<std::string>{"DestroyWindow 3", "CreateNumberedFont 1", "ShowWindow 0 show",
                                "MoveFileOver " + path + ".tmp -> " + path}));

  // Saving without any change still renders, lays out and writes.
  ConfigEnv unchanged;
  unchanged.system.files.erase(kConfigIni);
  RunWindow(unchanged, [](ConfigEnv&) {});
  EXPECT_EQ(unchanged.system.files.count(kConfigIni), 1u);
  EXPECT_EQ(unchanged.Renders(), 1);

  for (int window : {kWindowOptionsWindow, kLedWindow}) {  // whichever window it is for
    ConfigEnv closed;
    const std::string ini = closed.system.files.at(kConfigIni);
    closed.toolkit.PostClick(wo::kVertical);
    closed.toolkit.PostScroll(wo::kTransparencyTrackbar, 99);
    closed.toolkit.Post(Event::Close(window));
    RunWindowOptionsWindow(closed.app);
    EXPECT_FALSE(closed.toolkit.WindowExists(kWindowOptionsWindow));
    EXPECT_EQ(closed.system.files.at(kConfigIni), ini);
    EXPECT_EQ(closed.app.settings.verticalMode, 1);
    // The trackbar's value once more as the window closes, then the window goes.
    EXPECT_EQ(closed.journal.Matching("SetWindowAlpha"),
              std::vector<std::string>(2, "SetWindowAlpha 0 99"));
    EXPECT_EQ(closed.journal.lines.back(), "DestroyWindow 3");
  }
}

}  // namespace
}  // namespace glint
