#pragma once

#include <cstddef>
#include <cstdint>

namespace glint {

// A colour as drawing uses it: red in the low byte (the Windows RGB rule).
using Color = std::uint32_t;

constexpr Color MakeColor(int red, int green, int blue) {
  return static_cast<Color>(red & 0xFF) | (static_cast<Color>(green & 0xFF) << 8) |
         (static_cast<Color>(blue & 0xFF) << 16);
}
constexpr int ColorRed(Color c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int ColorGreen(Color c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int ColorBlue(Color c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

// Pixels of a numbered image: 24-bit, top-down, bytes blue-green-red, rows padded to 4 bytes.
// This is exactly a DIB section's memory, so the Windows side shares it with GDI.
struct ImageView {
  std::uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  explicit operator bool() const { return bits != nullptr; }
  static constexpr int StrideFor(int width) { return (width * 3 + 3) & ~3; }

  Color Pixel(int x, int y) const {
    const std::uint8_t* p = bits + static_cast<std::ptrdiff_t>(y) * stride + x * 3;
    return MakeColor(p[2], p[1], p[0]);
  }
  void SetPixel(int x, int y, Color c) const {
    std::uint8_t* p = bits + static_cast<std::ptrdiff_t>(y) * stride + x * 3;
    p[0] = static_cast<std::uint8_t>(ColorBlue(c));
    p[1] = static_cast<std::uint8_t>(ColorGreen(c));
    p[2] = static_cast<std::uint8_t>(ColorRed(c));
  }
};

}  // namespace glint
