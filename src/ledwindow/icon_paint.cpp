#include "ledwindow/icon_paint.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/app_settings.h"

namespace glint {

IconColors IconColorsOf(const AppSettings& s) {
  return {MakeColor(s.readRed, s.readGreen, s.readBlue),
          MakeColor(s.writeRed, s.writeGreen, s.writeBlue),
          MakeColor(s.backRed, s.backGreen, s.backBlue),
          MakeColor(s.textRed, s.textGreen, s.textBlue)};
}

void FillBox(const ImageView& image, const Box& box, Color color) {
  if (!image) return;
  // 64-bit edges: a box of absurd size must clip, not overflow.
  const std::int64_t x0 = std::max<std::int64_t>(box.x, 0);
  const std::int64_t y0 = std::max<std::int64_t>(box.y, 0);
  const std::int64_t x1 =
      std::min<std::int64_t>(static_cast<std::int64_t>(box.x) + box.width, image.width);
  const std::int64_t y1 =
      std::min<std::int64_t>(static_cast<std::int64_t>(box.y) + box.height, image.height);
  if (x0 >= x1) return;  // no columns; a box of no rows never enters the loop below

  // Paint the first row pixel by pixel, then copy it: rows of large icons are filled with
  // memcpy rather than one call per pixel.
  const auto blue = static_cast<std::uint8_t>(ColorBlue(color));
  const auto green = static_cast<std::uint8_t>(ColorGreen(color));
  const auto red = static_cast<std::uint8_t>(ColorRed(color));
  const std::size_t rowBytes = static_cast<std::size_t>(x1 - x0) * 3;
  const std::uint8_t* first = nullptr;
  for (std::int64_t y = y0; y < y1; ++y) {
    std::uint8_t* row = image.bits + y * image.stride + x0 * 3;
    if (first != nullptr) {
      std::memcpy(row, first, rowBytes);
      continue;
    }
    for (std::size_t i = 0; i < rowBytes; i += 3) {
      row[i] = blue;
      row[i + 1] = green;
      row[i + 2] = red;
    }
    first = row;
  }
}

Color FillColorAt(int state, int y, int height, const IconColors& colors) {
  if (y < height / 2) return (state & kReadState) != 0 ? colors.read : colors.back;
  return (state & kWriteState) != 0 ? colors.write : colors.back;
}

namespace {

std::vector<std::uint8_t> RowOf(int width, Color fill, Color edge, bool rightLine) {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    const Color c = rightLine && x == width - 1 ? edge : fill;
    row[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(ColorBlue(c));
    row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(ColorGreen(c));
    row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>(ColorRed(c));
  }
  return row;
}

}  // namespace

IconBackground::IconBackground(int width, int height, int state, const IconColors& colors,
                               IconLines lines)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  upper_ = RowOf(width_, FillColorAt(state, 0, height_, colors), colors.text, lines.right);
  lower_ =
      RowOf(width_, FillColorAt(state, height_ / 2, height_, colors), colors.text, lines.right);
  if (lines.bottom) bottom_ = RowOf(width_, colors.text, colors.text, false);
}

void IconBackground::Paint(const ImageView& image) const {
  if (!image || image.width != width_ || image.height != height_) return;
  for (int y = 0; y < height_; ++y) {
    const std::vector<std::uint8_t>& row =
        y == height_ - 1 && !bottom_.empty() ? bottom_ : (y < height_ / 2 ? upper_ : lower_);
    std::memcpy(image.bits + static_cast<std::ptrdiff_t>(y) * image.stride, row.data(), row.size());
  }
}

}  // namespace glint
