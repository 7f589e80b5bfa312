#pragma once

#include <string>

#include "app/menu.h"
#include "ledwindow/led_window.h"
#include "ledwindow/render.h"
#include "settings/defaults.h"
#include "settings/record_rules.h"
#include "support/fake_env.h"

namespace glint {

inline constexpr Color kBlack = MakeColor(0, 0, 0);
inline constexpr Color kWhite = MakeColor(255, 255, 255);
inline constexpr Color kRead = MakeColor(0x00, 0xD8, 0x00);
inline constexpr Color kWrite = MakeColor(0xFF, 0x26, 0x26);

// A mask with "1" at the given letters.
inline std::string MaskOf(const std::string& letters) {
  std::string mask(26, '0');
  for (char c : letters) mask[static_cast<std::size_t>(c - 'A')] = '1';
  return mask;
}

// Factory settings and, after Build, the LED window made as start-up makes it.
struct LedEnv : FakeEnv {
  explicit LedEnv(int iconSize = 1, int custom = 10) {
    ApplyDefaults(app.settings);
    app.settings.iconSize = iconSize;
    app.settings.customIconSize = custom;
    ComputeIconMetrics(app.settings);
  }
  void Build() {
    CreateLedWindow(app);
    BuildPopupMenu(app);
    CreateIconImagesAndControls(app);
    CreateFillerImage(app);
    RenderDriveIcons(app);
    CreateFillerControl(app);
    CreateMinimizeButton(app);
  }
  void SetBackAndText(Color back, Color text) {
    AppSettings& s = app.settings;
    s.backRed = ColorRed(back), s.backGreen = ColorGreen(back), s.backBlue = ColorBlue(back);
    s.textRed = ColorRed(text), s.textGreen = ColorGreen(text), s.textBlue = ColorBlue(text);
  }
  ImageView View(int image) { return toolkit.Image(image); }
};

}  // namespace glint
