#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/app_settings.h"
#include "platform/image.h"
#include "settings/colors.h"

namespace glint {

struct App;

// The four colour rows of the Drives and Icons window (read, write, background, text): a button
// that picks the colour, a swatch that shows it and a "U" that takes it back to what it was when
// the window opened; with them the three size previews, which show the read and write colours.
class ColorRows {
 public:
  enum Row { kRead, kWrite, kBack, kText };

  explicit ColorRows(App& app) : app_(app) {}

  // The previews and swatches, drawn before the controls that show them are made.
  void CreateImages();
  // They live only as long as the window.
  void DestroyImages();
  // The colours as they are now are what the undo buttons go back to.
  void TakeSnapshot();

  // The colour dialog, opened at the row's colour; true when a colour was picked (and set).
  bool Pick(Row row);
  // Back to the colour of the opening.
  void Undo(Row row);

 private:
  // One colour as the window edits it: its text, its components and its swatch.
  struct Fields {
    std::string AppSettings::*text;
    std::int32_t AppSettings::*red;
    std::int32_t AppSettings::*green;
    std::int32_t AppSettings::*blue;
    int swatch;   // image
    int control;  // the swatch's image control
  };
  static const std::array<Fields, 4> kFields;

  Color ColorOf(Row row) const;
  // The components and text from a colour value; the swatch and the previews redrawn.
  void Set(Row row, Color color);
  void DrawSwatch(Row row);
  void DrawPreviews();

  App& app_;
  std::array<ColorComponents, 4> snapshot_{};
};

}  // namespace glint
