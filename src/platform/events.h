#pragma once

#include <cstdint>

namespace glint {

// Window message codes that the program's logic looks at. They are the Windows values, kept here
// so that code outside platform/win32 never needs <windows.h>.
namespace msg {
constexpr std::uint32_t kTimer = 0x0113;
constexpr std::uint32_t kMouseMove = 0x0200;
constexpr std::uint32_t kLButtonDown = 0x0201;
constexpr std::uint32_t kLButtonUp = 0x0202;
constexpr std::uint32_t kLButtonDblClk = 0x0203;
constexpr std::uint32_t kRButtonDown = 0x0204;
constexpr std::uint32_t kRButtonUp = 0x0205;
constexpr std::uint32_t kRButtonDblClk = 0x0206;
constexpr std::uint32_t kMButtonDown = 0x0207;
constexpr std::uint32_t kMButtonUp = 0x0208;
constexpr std::uint32_t kPaint = 0x000F;
}  // namespace msg

enum class EventKind {
  kRaw,      // a message that caused no toolkit event; `message` holds its code and `number`
             // the control it was addressed to (0: a window, or none of the toolkit's)
  kControl,  // a control event; `number` is the control number, `detail` a ControlEventType
  kMenu,     // a menu item was chosen; `number` is the item number
  kTray,     // a tray icon click; `number` is the tray icon number, `detail` a TrayClick
  kClose,    // a window was asked to close (Alt+F4, Escape); `number` is the window number
};

enum ControlEventType : int {
  kControlClicked = 0,      // STN_CLICKED / BN_CLICKED
  kControlDoubleClick = 1,  // queued by the subclassed image controls
  kControlRightClick = 2,   // queued by the subclassed image controls
  kControlScrolled = 3,     // a trackbar's thumb moved, by mouse or keyboard
};

enum TrayClick : int {
  kTrayLeftPress = 0,
  kTrayRightPress = 1,
  kTrayLeftDoubleClick = 2,
  kTrayRightDoubleClick = 3,
};

struct Event {
  EventKind kind = EventKind::kRaw;
  std::uint32_t message = 0;
  int number = 0;
  int detail = 0;

  static Event Raw(std::uint32_t message, int control = 0) {
    return {EventKind::kRaw, message, control, 0};
  }
  static Event Control(int control, int type = kControlClicked) {
    return {EventKind::kControl, 0, control, type};
  }
  static Event Menu(int item) { return {EventKind::kMenu, 0, item, 0}; }
  static Event Tray(int click, int icon = 0) { return {EventKind::kTray, 0, icon, click}; }
  static Event Close(int window) { return {EventKind::kClose, 0, window, 0}; }
  friend bool operator==(const Event&, const Event&) = default;
};

}  // namespace glint
