#include "ledwindow/render.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/numbers.h"
#include "ledwindow/icon_metrics.h"
#include "ledwindow/icon_paint.h"
#include "settings/record_rules.h"

namespace glint {

namespace {

constexpr int kRegular = 400;
constexpr int kBold = 700;

void CreateFonts(App& app) {
  // Not checked: a font that cannot be made keeps the old one under its number, or none (the
  // letters are then not drawn, and controls keep the system's font).
  const auto create = [&app](int font, std::string_view face, int points, int weight, int dpi) {
    static_cast<void>(app.toolkit.CreateNumberedFont(font, face, points, weight, dpi));
  };
  Toolkit& toolkit = app.toolkit;
  // An icon is S pixels at every DPI, so its letter and the button's text are sized as at 96;
  // the configuration windows' text follows the display, and their layouts grow with it.
  create(kLetterFont, "Tahoma", app.settings.fontSize, kBold, kBaseDpi);
  // The other fonts never change; controls keep using the ones made at the first render.
  if (!toolkit.FontExists(kSmallButtonFont)) create(kSmallButtonFont, "Arial", 6, kBold, kBaseDpi);
  const int dpi = toolkit.DisplayDpi();
  if (!toolkit.FontExists(kUiFont)) create(kUiFont, "Tahoma", 8, kRegular, dpi);
  if (!toolkit.FontExists(kUiBoldFont)) create(kUiBoldFont, "Tahoma", 8, kBold, dpi);
  if (!toolkit.FontExists(kButtonFont)) create(kButtonFont, "Tahoma", 8, kRegular, kBaseDpi);
}

// The image under `number`, created anew unless it already has the size. Every pixel is painted
// afterwards, so an existing image of the right size serves as well as a new black one and
// spares re-allocating all the images at every colour or line change.
ImageView ImageOfSize(Toolkit& toolkit, int number, int edge) {
  ImageView view = toolkit.Image(number);
  if (view && view.width == edge && view.height == edge) return view;
  if (!toolkit.CreateImage(number, edge, edge)) return {};
  view = toolkit.Image(number);
  if (view.width != edge || view.height != edge) return {};
  return view;
}

}  // namespace

void RenderDriveIcons(App& app) {
  AppSettings& settings = app.settings;
  Toolkit& toolkit = app.toolkit;
  ComputeIconMetrics(settings);
  CreateFonts(app);

  const int edge = IconEdge(settings);
  const int top = LetterTop(edge, settings.fontSize);
  const IconColors colors = IconColorsOf(settings);
  const IconLines lines =
      IconLinesFor(settings.showIconLines, settings.verticalMode, settings.dualIconWindowMode);

  // The four backgrounds are the same for every letter.
  std::vector<IconBackground> backgrounds;
  backgrounds.reserve(4);
  for (int state = kIdleState; state <= kReadWriteState; ++state)
    backgrounds.emplace_back(edge, edge, state, colors, lines);

  for (int slot = 1; slot <= kDriveCount; ++slot) {
    const std::string letter(1, DriveLetter(slot));
    const int left = LetterLeft(edge, toolkit.TextWidth(kLetterFont, letter));
    for (int state = kIdleState; state <= kReadWriteState; ++state) {
      const int number = IconImageNumber(slot, state);
      const ImageView image = ImageOfSize(toolkit, number, edge);
      if (!image) continue;  // nothing to draw on; the other images still get drawn
      backgrounds[static_cast<std::size_t>(state)].Paint(image);
      toolkit.DrawString(number, kLetterFont, left, top, letter, colors.text);
      toolkit.ImageChanged(number);
    }
  }
}

void MarkPresentDrives(App& app) {
  const AppSettings& settings = app.settings;
  Toolkit& toolkit = app.toolkit;
  const IconColors colors = IconColorsOf(settings);

  app.presenceSnapshot.clear();
  for (int slot = 1; slot <= kDriveCount; ++slot) {
    const bool present = SlotInMask(app.presenceMask, slot);
    if (present && settings.showSmallSquare != 1) {
      app.presenceSnapshot += '1';
      continue;  // nothing drawn, the control left alone
    }
    for (int state = kIdleState; state <= kReadWriteState; ++state) {
      const int number = IconImageNumber(slot, state);
      const ImageView image = toolkit.Image(number);
      if (!image) continue;
      const Box square = PresenceSquare(image.width, settings.markerSize);
      if (present) {
        FillBox(image, square, colors.text);
      } else {
        // Row by row: the colour beneath depends on which half a row lies in.
        const int bottom = std::min(square.y + square.height, image.height);
        for (int y = square.y; y < bottom; ++y)
          FillBox(image, {square.x, y, square.width, 1},
                  FillColorAt(state, y, image.height, colors));
      }
      toolkit.ImageChanged(number);
    }
    toolkit.SetControlImage(slot, IconImageNumber(slot, kIdleState));
    app.presenceSnapshot += present ? '1' : '0';
  }
}

}  // namespace glint
