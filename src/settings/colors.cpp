#include "settings/colors.h"

#include <cstdio>

#include "settings/ini.h"

namespace glint {

namespace {

// "0" is absent on purpose: it and every non-hex character count as 0 alike.
constexpr std::string_view kHexDigits = "123456789ABCDEF";

// Up to two characters from `start`, empty past the end.
std::string_view Pair(std::string_view text, std::size_t start) {
  if (start >= text.size()) return {};
  return text.substr(start, 2);
}

}  // namespace

std::int32_t HexToValue(std::string_view text) {
  // Unsigned so that long texts wrap instead of overflowing; the low 32 bits are the result.
  std::uint32_t value = 0;
  for (char c : text) {
    const std::size_t pos = kHexDigits.find(ini::AsciiUpper(c));
    const std::uint32_t digit =
        pos == std::string_view::npos ? 0 : static_cast<std::uint32_t>(pos + 1);
    value = value * 16u + digit;
  }
  return static_cast<std::int32_t>(value);
}

ColorComponents SplitColor(std::string_view color) {
  ColorComponents c;
  c.red = HexToValue(Pair(color, 0));
  c.green = HexToValue(Pair(color, 2));
  // Blue is the last two characters whatever the length.
  c.blue = HexToValue(color.size() >= 2 ? color.substr(color.size() - 2) : color);
  return c;
}

std::string FormatColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
  std::string out;
  for (std::int32_t component : {red, green, blue}) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(component));
    out += buffer;
  }
  return out;
}

}  // namespace glint
