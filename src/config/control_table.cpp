#include "config/control_table.h"

#include <vector>

namespace glint::config {

ControlDef ScaledToDpi(ControlDef def, int dpi) {
  def.x = ScaleToDpi(def.x, dpi);
  def.y = ScaleToDpi(def.y, dpi);
  if (!def.fixedSize) {
    def.width = ScaleToDpi(def.width, dpi);
    def.height = ScaleToDpi(def.height, dpi);
  }
  return def;
}

bool OpenConfigWindow(Toolkit& toolkit, int window, std::string_view title, int clientWidth,
                      int clientHeight) {
  const int dpi = toolkit.DisplayDpi();
  if (!toolkit.CreateCaptionWindow(window, title, ScaleToDpi(clientWidth, dpi),
                                   ScaleToDpi(clientHeight, dpi), kLedWindow))
    return false;
  toolkit.SetWindowPos(window, ZOrder::kTopmost, 0, 0, 0, 0, swp::kNoMove | swp::kNoSize);
  toolkit.AddToolWindowStyle(window);
  toolkit.ActivateWindow(window);
  toolkit.ShowWindow(window, ShowMode::kShowNormal);
  return true;
}

bool CreateScaledControls(Toolkit& toolkit, int window, std::span<const ControlDef> defs) {
  const int dpi = toolkit.DisplayDpi();
  std::vector<ControlDef> scaled(defs.begin(), defs.end());
  for (ControlDef& def : scaled) def = ScaledToDpi(def, dpi);
  return toolkit.CreateControls(window, scaled);
}

}  // namespace glint::config
