#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/numbers.h"
#include "platform/toolkit.h"

// The vocabulary of the configuration windows' control tables: one line per control, in
// creation order, as the windows are described.
namespace glint::config {

constexpr ControlDef Def(ControlKind kind, int number, int x, int y, int width, int height,
                         std::string_view caption, int font) {
  ControlDef def;
  def.kind = kind, def.number = number, def.caption = caption, def.font = font;
  def.x = x, def.y = y, def.width = width, def.height = height;
  return def;
}

constexpr ControlDef CheckBox(int number, int x, int y, int width, int height,
                              std::string_view caption, int font = kUiFont) {
  return Def(ControlKind::kCheckBox, number, x, y, width, height, caption, font);
}

constexpr ControlDef RadioButton(int number, int x, int y, int width, int height,
                                 std::string_view caption, int font = kUiFont) {
  return Def(ControlKind::kRadioButton, number, x, y, width, height, caption, font);
}

// The first radio button of a group.
constexpr ControlDef FirstRadioButton(int number, int x, int y, int width, int height,
                                      std::string_view caption, int font = kUiFont) {
  ControlDef def = RadioButton(number, x, y, width, height, caption, font);
  def.groupStart = true;
  return def;
}

constexpr ControlDef Label(int number, int x, int y, int width, int height,
                           std::string_view caption, int font = kUiFont) {
  return Def(ControlKind::kLabel, number, x, y, width, height, caption, font);
}

constexpr ControlDef Button(int number, int x, int y, int width, int height,
                            std::string_view caption, int font = kUiFont,
                            std::string_view tooltip = {}) {
  ControlDef def = Def(ControlKind::kButton, number, x, y, width, height, caption, font);
  def.tooltip = tooltip;
  return def;
}

constexpr ControlDef Trackbar(int number, int x, int y, int width, int height, int minimum,
                              int maximum) {
  ControlDef def = Def(ControlKind::kTrackbar, number, x, y, width, height, {}, 0);
  def.rangeMin = minimum, def.rangeMax = maximum;
  return def;
}

constexpr ControlDef Picture(int number, int x, int y, int width, int height, int image) {
  ControlDef def = Def(ControlKind::kImage, number, x, y, width, height, {}, 0);
  def.image = image;
  return def;
}

// An icon as the LED window shows it: the same pixels at every DPI.
constexpr ControlDef IconPicture(int number, int x, int y, int edge, int image) {
  ControlDef def = Picture(number, x, y, edge, edge, image);
  def.fixedSize = true;
  return def;
}

constexpr ControlDef ReportList(int number, int x, int y, int width, int height,
                                int font = kUiFont) {
  return Def(ControlKind::kListView, number, x, y, width, height, {}, font);
}

// A window's handlers: what a control's event does, by the control's number.
template <typename Window>
struct Handler {
  int control = 0;
  void (*handle)(Window&) = nullptr;
};

template <typename Window>
const Handler<Window>* FindHandler(std::span<const Handler<Window>> handlers, int control) {
  for (const Handler<Window>& handler : handlers)
    if (handler.control == control) return &handler;
  return nullptr;
}

// The tables are laid out at 96 DPI, where every rectangle stays as it stands. Their text
// follows the display's DPI, so elsewhere the rectangles grow with it, rounded as MulDiv rounds
// their sizes and places, which are never negative: halves up.
constexpr int ScaleToDpi(int pixels, int dpi) {
  return static_cast<int>((std::int64_t{pixels} * dpi + kBaseDpi / 2) / kBaseDpi);
}

ControlDef ScaledToDpi(ControlDef def, int dpi);

// The caption-only tool window both configuration windows are, with its client size scaled to
// the display: made hidden and centred, then topmost, a tool window with its frame applied,
// active, and shown.
bool OpenConfigWindow(Toolkit& toolkit, int window, std::string_view title, int clientWidth,
                      int clientHeight);

// Creates a table's controls in order, scaled to the display; false when any could not be made.
bool CreateScaledControls(Toolkit& toolkit, int window, std::span<const ControlDef> defs);

}  // namespace glint::config
