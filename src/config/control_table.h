#pragma once

#include <span>
#include <string_view>

#include "core/numbers.h"
#include "platform/toolkit.h"

// The vocabulary of the configuration windows' control tables: one line per control, in
// creation order, as the windows are described.
namespace glint::config {

constexpr ControlSpec Spec(ControlKind kind, int number, int x, int y, int width, int height,
                           std::string_view caption, int font) {
  ControlSpec spec;
  spec.kind = kind, spec.number = number, spec.caption = caption, spec.font = font;
  spec.x = x, spec.y = y, spec.width = width, spec.height = height;
  return spec;
}

constexpr ControlSpec CheckBox(int number, int x, int y, int width, int height,
                               std::string_view caption, int font = kUiFont) {
  return Spec(ControlKind::kCheckBox, number, x, y, width, height, caption, font);
}

constexpr ControlSpec RadioButton(int number, int x, int y, int width, int height,
                                  std::string_view caption, int font = kUiFont) {
  return Spec(ControlKind::kRadioButton, number, x, y, width, height, caption, font);
}

// The first radio button of a group.
constexpr ControlSpec FirstRadioButton(int number, int x, int y, int width, int height,
                                       std::string_view caption, int font = kUiFont) {
  ControlSpec spec = RadioButton(number, x, y, width, height, caption, font);
  spec.groupStart = true;
  return spec;
}

constexpr ControlSpec Label(int number, int x, int y, int width, int height,
                            std::string_view caption, int font = kUiFont) {
  return Spec(ControlKind::kLabel, number, x, y, width, height, caption, font);
}

constexpr ControlSpec Button(int number, int x, int y, int width, int height,
                             std::string_view caption, int font = kUiFont,
                             std::string_view tooltip = {}) {
  ControlSpec spec = Spec(ControlKind::kButton, number, x, y, width, height, caption, font);
  spec.tooltip = tooltip;
  return spec;
}

constexpr ControlSpec Trackbar(int number, int x, int y, int width, int height, int minimum,
                               int maximum) {
  ControlSpec spec = Spec(ControlKind::kTrackbar, number, x, y, width, height, {}, 0);
  spec.rangeMin = minimum, spec.rangeMax = maximum;
  return spec;
}

constexpr ControlSpec Picture(int number, int x, int y, int width, int height, int image) {
  ControlSpec spec = Spec(ControlKind::kImage, number, x, y, width, height, {}, 0);
  spec.image = image;
  return spec;
}

constexpr ControlSpec ReportList(int number, int x, int y, int width, int height,
                                 int font = kUiFont) {
  return Spec(ControlKind::kListView, number, x, y, width, height, {}, font);
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

// The caption-only tool window both configuration windows are: made hidden and centred, then
// topmost, a tool window with its frame applied, active, and shown.
bool OpenConfigWindow(Toolkit& toolkit, int window, std::string_view title, int clientWidth,
                      int clientHeight);

}  // namespace glint::config
