#include "config/control_table.h"

namespace glint::config {

bool OpenConfigWindow(Toolkit& toolkit, int window, std::string_view title, int clientWidth,
                      int clientHeight) {
  if (!toolkit.CreateCaptionWindow(window, title, clientWidth, clientHeight, kLedWindow))
    return false;
  toolkit.SetWindowPos(window, ZOrder::kTopmost, 0, 0, 0, 0, swp::kNoMove | swp::kNoSize);
  toolkit.AddToolWindowStyle(window);
  toolkit.ActivateWindow(window);
  toolkit.ShowWindow(window, ShowMode::kShowNormal);
  return true;
}

}  // namespace glint::config
