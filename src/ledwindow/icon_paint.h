#pragma once

#include <cstdint>
#include <vector>

#include "ledwindow/icon_metrics.h"
#include "platform/image.h"

namespace glint {

struct AppSettings;

// The four colours an icon is drawn with, as drawing values.
struct IconColors {
  Color read = 0;
  Color write = 0;
  Color back = 0;
  Color text = 0;
};
IconColors IconColorsOf(const AppSettings& settings);

// Activity states of an icon image: bit 0 reading, bit 1 writing.
inline constexpr int kIdleState = 0;
inline constexpr int kReadState = 1;
inline constexpr int kWriteState = 2;
inline constexpr int kReadWriteState = 3;

// Solid fill of the box, clipped to the image.
void FillBox(const ImageView& image, const Box& box, Color color);

// The fill of an icon in `state` at row y, before lines, letter and square: the upper half
// (height / 2 rows) shows the read colour while reading, the rest the write colour while writing.
Color FillColorAt(int state, int y, int height, const IconColors& colors);

// Everything of an icon image below its letter: the fill of its state, then the lines. Rows are
// prepared once and copied into each image, so painting writes every pixel exactly once.
class IconBackground {
 public:
  IconBackground(int width, int height, int state, const IconColors& colors, IconLines lines);
  // Paints an image of the size given above; other sizes are left alone.
  void Paint(const ImageView& image) const;

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> upper_;   // rows 0 .. height / 2 - 1
  std::vector<std::uint8_t> lower_;   // the rows below
  std::vector<std::uint8_t> bottom_;  // the last row when it carries the bottom line
};

}  // namespace glint
