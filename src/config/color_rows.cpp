#include "config/color_rows.h"

#include "config/control_table.h"
#include "core/app.h"
#include "core/numbers.h"
#include "ledwindow/icon_paint.h"

namespace glint {

namespace {

namespace di = drives_and_icons;

struct Preview {
  int image;
  int control;
  int edge;
};
constexpr std::array<Preview, 3> kPreviews = {{{kSmallPreviewImage, di::kSmallPreview, 18},
                                               {kMediumPreviewImage, di::kMediumPreview, 24},
                                               {kLargePreviewImage, di::kLargePreview, 30}}};

constexpr int kSwatchWidth = 10;
constexpr int kSwatchHeight = 20;

// An image filled in two halves, then handed to its control again.
void Fill(Toolkit& toolkit, int image, int control, Color upper, Color lower) {
  const ImageView view = toolkit.Image(image);
  if (!view) return;
  FillBox(view, {0, 0, view.width, view.height / 2}, upper);
  FillBox(view, {0, view.height / 2, view.width, view.height - view.height / 2}, lower);
  toolkit.ImageChanged(image);
  toolkit.SetControlImage(control, image);
}

}  // namespace

const std::array<ColorRows::Fields, 4> ColorRows::kFields = {{
    {&AppSettings::readColor, &AppSettings::readRed, &AppSettings::readGreen,
     &AppSettings::readBlue, kReadSwatchImage, di::kReadSwatch},
    {&AppSettings::writeColor, &AppSettings::writeRed, &AppSettings::writeGreen,
     &AppSettings::writeBlue, kWriteSwatchImage, di::kWriteSwatch},
    {&AppSettings::backColor, &AppSettings::backRed, &AppSettings::backGreen,
     &AppSettings::backBlue, kBackSwatchImage, di::kBackSwatch},
    {&AppSettings::textColor, &AppSettings::textRed, &AppSettings::textGreen,
     &AppSettings::textBlue, kTextSwatchImage, di::kTextSwatch},
}};

void ColorRows::CreateImages() {
  Toolkit& toolkit = app_.toolkit;
  // Not checked: a missing image is drawn as nothing, and its control stays blank.
  for (const Preview& p : kPreviews)
    static_cast<void>(toolkit.CreateImage(p.image, p.edge, p.edge));
  // A swatch fills its control, which grows with the display's DPI; a preview keeps its pixels.
  const int dpi = toolkit.DisplayDpi();
  for (const Fields& f : kFields) {
    static_cast<void>(toolkit.CreateImage(f.swatch, config::ScaleToDpi(kSwatchWidth, dpi),
                                          config::ScaleToDpi(kSwatchHeight, dpi)));
  }
  DrawPreviews();
  for (Row row : {kRead, kWrite, kBack, kText}) DrawSwatch(row);
}

void ColorRows::DestroyImages() {
  for (const Preview& p : kPreviews) app_.toolkit.DestroyImage(p.image);
  for (const Fields& f : kFields) app_.toolkit.DestroyImage(f.swatch);
}

void ColorRows::TakeSnapshot() {
  const AppSettings& s = app_.settings;
  for (std::size_t i = 0; i < kFields.size(); ++i)
    snapshot_[i] = {s.*kFields[i].red, s.*kFields[i].green, s.*kFields[i].blue};
}

bool ColorRows::Pick(Row row) {
  Color picked = 0;
  if (!app_.toolkit.ChooseColor(kDrivesAndIconsWindow, ColorOf(row), picked)) return false;
  Set(row, picked);
  return true;
}

void ColorRows::Undo(Row row) {
  const ColorComponents& c = snapshot_[row];
  Set(row, MakeColor(c.red, c.green, c.blue));
}

Color ColorRows::ColorOf(Row row) const {
  const AppSettings& s = app_.settings;
  const Fields& f = kFields[row];
  return MakeColor(s.*f.red, s.*f.green, s.*f.blue);
}

void ColorRows::Set(Row row, Color color) {
  AppSettings& s = app_.settings;
  const Fields& f = kFields[row];
  s.*f.red = ColorRed(color);
  s.*f.green = ColorGreen(color);
  s.*f.blue = ColorBlue(color);
  s.*f.text = FormatColor(s.*f.red, s.*f.green, s.*f.blue);
  DrawSwatch(row);
  DrawPreviews();
}

void ColorRows::DrawSwatch(Row row) {
  const Color color = ColorOf(row);
  Fill(app_.toolkit, kFields[row].swatch, kFields[row].control, color, color);
}

void ColorRows::DrawPreviews() {
  for (const Preview& p : kPreviews)
    Fill(app_.toolkit, p.image, p.control, ColorOf(kRead), ColorOf(kWrite));
}

}  // namespace glint
