#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glint {

// A colour as drawing uses it.
struct ColorComponents {
  std::int32_t red = 0;
  std::int32_t green = 0;
  std::int32_t blue = 0;
  friend bool operator==(const ColorComponents&, const ColorComponents&) = default;
};

// Hexadecimal digits to a number; every other character counts as 0, the low 32 bits are kept.
std::int32_t HexToValue(std::string_view text);
// RRGGBB to its components: red from the first two characters, green from the next two, blue
// from the last two.
ColorComponents SplitColor(std::string_view color);
// The components as RRGGBB, in capitals.
std::string FormatColor(std::int32_t red, std::int32_t green, std::int32_t blue);

}  // namespace glint
