// Numbered top-level windows: the borderless popup and the caption windows, their placement,
// styles and activation.
#include "platform/win32/win32_toolkit_records.h"

#include <string>

namespace glint {

namespace {

// SetWindowLongA returns the old style, which may be 0: only a changed last error tells failure.
void SetExtendedStyle(HWND hwnd, LONG exStyle, int window) {
  ::SetLastError(ERROR_SUCCESS);
  if (::SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle) == 0 && ::GetLastError() != ERROR_SUCCESS)
    win32::FailureTrace("SetWindowLongA") << "the extended style of window " << window;
}

}  // namespace

bool Win32Toolkit::InsertWindow(int window, std::unique_ptr<WindowRecord> record) {
  // The new window exists before the old one under the number goes.
  DestroyWindow(window);
  windows_[window] = std::move(record);
  return true;
}

bool Win32Toolkit::CreatePopupWindow(int window, std::string_view title, int x, int y,
                                     int clientWidth, int clientHeight) {
  if (clientWidth < 0 || clientHeight < 0) return false;
  const char* className = Callbacks::RegisterWindowClass();
  if (className == nullptr) return false;
  RECT outer{0, 0, clientWidth, clientHeight};
  if (!::AdjustWindowRectEx(&outer, WS_POPUP, FALSE, 0))
    win32::FailureTrace("AdjustWindowRectEx") << "window " << window;
  auto record = std::make_unique<WindowRecord>();
  record->toolkit = this;
  record->number = window;
  const std::string titleText(title);
  // WM_NCCREATE stores the record in the window, so the handle reaches it before this returns.
  HWND hwnd = ::CreateWindowExA(0, className, titleText.c_str(), WS_POPUP, x, y,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, win32::ModuleInstance(), record.get());
  if (hwnd == nullptr) {
    win32::FailureTrace("CreateWindowExA") << "window " << window;
    return false;
  }
  return InsertWindow(window, std::move(record));
}

bool Win32Toolkit::CreateCaptionWindow(int window, std::string_view title, int clientWidth,
                                       int clientHeight, int ownerWindow) {
  if (clientWidth < 0 || clientHeight < 0) return false;
  const char* className = Callbacks::RegisterWindowClass();
  if (className == nullptr) return false;
  // No WS_SYSMENU: no system menu and no close, minimize or maximize box. The small caption is
  // there from the start, so that the size computed here is the size it keeps.
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
  constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
  RECT outer{0, 0, clientWidth, clientHeight};
  if (!::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle)) {
    win32::FailureTrace("AdjustWindowRectEx") << "window " << window;
    return false;
  }
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  // Centred on the primary screen, but never with the caption out of reach above or left.
  const int x = std::max(0, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int y = std::max(0, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  const WindowRecord* owner = LookUpWindow(ownerWindow);
  auto record = std::make_unique<WindowRecord>();
  record->toolkit = this;
  record->number = window;
  record->captioned = true;
  const std::string titleText(title);
  HWND hwnd = ::CreateWindowExA(kExStyle, className, titleText.c_str(), kStyle, x, y, width, height,
                                owner != nullptr ? owner->hwnd : nullptr, nullptr,
                                win32::ModuleInstance(), record.get());
  if (hwnd == nullptr) {
    win32::FailureTrace("CreateWindowExA") << "window " << window;
    return false;
  }
  return InsertWindow(window, std::move(record));
}

void Win32Toolkit::DestroyWindow(int window) {
  WindowRecord* record = LookUpWindow(window);
  if (record == nullptr) return;
  // WM_NCDESTROY forgets its controls, timers and tray icons (and those of the windows it owns,
  // which Windows destroys first).
  if (record->hwnd != nullptr && !::DestroyWindow(record->hwnd))
    win32::FailureTrace("DestroyWindow") << "window " << window;
  windows_.erase(window);
}

void Win32Toolkit::ForgetWindowObjects(int window) {
  for (auto it = trayIcons_.begin(); it != trayIcons_.end();) {
    if (it->second->ownerWindow == window) {
      RemoveTrayIcon((it++)->first);
    } else {
      ++it;
    }
  }
  std::erase_if(timers_, [window](const auto& entry) { return entry.first.first == window; });
  // The children are gone by now: Windows destroys them before the parent's WM_NCDESTROY.
  std::erase_if(controls_, [window](const auto& entry) { return entry.second->window == window; });
}

bool Win32Toolkit::WindowExists(int window) const {
  const WindowRecord* record = LookUpWindow(window);
  return record != nullptr && record->hwnd != nullptr;
}

bool Win32Toolkit::IsWindowVisible(int window) const {
  const WindowRecord* record = LookUpWindow(window);
  return record != nullptr && record->hwnd != nullptr && ::IsWindowVisible(record->hwnd);
}

bool Win32Toolkit::WindowRect(int window, Rect& outer) const {
  const WindowRecord* record = LookUpWindow(window);
  RECT r{};
  if (record == nullptr || record->hwnd == nullptr) return false;
  if (!::GetWindowRect(record->hwnd, &r)) {
    win32::FailureTrace("GetWindowRect") << "window " << window;
    return false;
  }
  outer = win32::ToRect(r);
  return true;
}

bool Win32Toolkit::SetWindowPos(int window, ZOrder z, int x, int y, int width, int height,
                                unsigned flags) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return false;
  HWND insertAfter = nullptr;
  // The swp:: flags are the Windows values.
  UINT swpFlags = flags;
  switch (z) {
    case ZOrder::kNone:
      swpFlags |= SWP_NOZORDER;
      break;
    case ZOrder::kTop:
      insertAfter = HWND_TOP;
      break;
    case ZOrder::kTopmost:
      insertAfter = HWND_TOPMOST;
      break;
    case ZOrder::kNoTopmost:
      insertAfter = HWND_NOTOPMOST;
      break;
  }
  if (::SetWindowPos(record->hwnd, insertAfter, x, y, width, height, swpFlags)) return true;
  win32::FailureTrace("SetWindowPos") << "window " << window;
  return false;
}

void Win32Toolkit::ShowWindow(int window, ShowMode mode) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return;
  ::ShowWindow(record->hwnd, mode == ShowMode::kHide ? SW_HIDE : SW_SHOWNORMAL);
}

void Win32Toolkit::SetToolWindowStyle(int window) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return;
  SetExtendedStyle(record->hwnd, WS_EX_TOOLWINDOW, window);
}

void Win32Toolkit::AddToolWindowStyle(int window) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return;
  const LONG exStyle = ::GetWindowLongA(record->hwnd, GWL_EXSTYLE);
  SetExtendedStyle(record->hwnd, exStyle | WS_EX_TOOLWINDOW, window);
  // The frame (caption height, taskbar button) follows a style change only when told.
  if (!::SetWindowPos(record->hwnd, nullptr, 0, 0, 0, 0,
                      SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
    win32::FailureTrace("SetWindowPos") << "the frame of window " << window;
}

bool Win32Toolkit::SetWindowAlpha(int window, int alpha) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return false;
  using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  // Looked up at run time: Windows before 2000 has no layered windows.
  const auto function =
      User32().Find<SetLayeredWindowAttributesFunction>("SetLayeredWindowAttributes");
  if (function == nullptr) {
    win32::FailureTrace("GetProcAddress") << "SetLayeredWindowAttributes";
    return false;
  }
  // Only with the function at hand: a layered window without attributes is never drawn. One
  // style change, so that no taskbar button shows between dropping the old styles and adding
  // the tool-window style again.
  SetExtendedStyle(record->hwnd, WS_EX_LAYERED | WS_EX_TOOLWINDOW, window);
  const BYTE value = static_cast<BYTE>(std::clamp(alpha, 0, 255));
  if (function(record->hwnd, 0, value, LWA_ALPHA)) return true;
  win32::FailureTrace("SetLayeredWindowAttributes") << "the alpha of window " << window;
  return false;
}

void Win32Toolkit::SetForegroundWindow(int window) {
  const WindowRecord* record = LookUpWindow(window);
  if (record != nullptr && record->hwnd != nullptr) ::SetForegroundWindow(record->hwnd);
}

void Win32Toolkit::ActivateWindow(int window) {
  const WindowRecord* record = LookUpWindow(window);
  if (record != nullptr && record->hwnd != nullptr) ::SetActiveWindow(record->hwnd);
}

bool Win32Toolkit::WorkAreaNearWindow(int window, Rect& workArea) const {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return false;
  // Looked up at run time: Windows 95 and NT 4.0 know no monitors, and would not even load a
  // program that imports them (it refuses those systems itself).
  using MonitorFromWindowFunction = HMONITOR(WINAPI*)(HWND, DWORD);
  using GetMonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
  const auto monitorFromWindow = User32().Find<MonitorFromWindowFunction>("MonitorFromWindow");
  const auto getMonitorInfo = User32().Find<GetMonitorInfoFunction>("GetMonitorInfoA");
  if (monitorFromWindow == nullptr || getMonitorInfo == nullptr) {
    win32::FailureTrace("GetProcAddress") << "the monitor functions";
    return false;
  }
  HMONITOR monitor = monitorFromWindow(record->hwnd, MONITOR_DEFAULTTONEAREST);
  if (monitor == nullptr) {
    win32::FailureTrace("MonitorFromWindow") << "the monitor of window " << window;
    return false;
  }
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!getMonitorInfo(monitor, &info)) {
    win32::FailureTrace("GetMonitorInfoA") << "the work area near window " << window;
    return false;
  }
  workArea = win32::ToRect(info.rcWork);
  return true;
}

void Win32Toolkit::MoveWindowWithMouse(int window) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return;
  // As a press on a caption would: the system's move loop runs until the button is released.
  ::SendMessageA(record->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace glint
