#include "platform/win32/win32_toolkit.h"

#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/raii.h"

namespace glint {

namespace {

constexpr char kPopupClassName[] = "GlintboxPopup";
// The NOTIFYICONDATAA of the first shell (88 bytes on 32-bit Windows; the fields up to the
// 64-character tip). Every later shell accepts it, and it is what the program asks for.
constexpr DWORD kNotifyIconDataV1Size = offsetof(NOTIFYICONDATAA, szTip) + 64;
constexpr std::size_t kTrayTipChars = 63;
// comctl32 before version 6 rejects TTM_ADDTOOL when cbSize counts the XP-only lpReserved.
constexpr UINT kToolInfoV2Size = offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM);
constexpr int kMaxImageEdge = 32768;
constexpr int kMaxFontPoints = 4096;

HINSTANCE ModuleInstance() {
  return ::GetModuleHandleA(nullptr);
}

int TextLength(std::string_view text) {
  return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

HMENU ControlId(int control) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(control));
}

// The top-level windows of this thread that a message box must disable.
struct BlockedWindow {
  HWND hwnd;
  bool wasTopmost;
};

struct BlockedWindows {
  HWND owner;
  std::vector<BlockedWindow> windows;
};

BOOL CALLBACK CollectBlockedWindow(HWND hwnd, LPARAM context) {
  auto& blocked = *reinterpret_cast<BlockedWindows*>(context);
  if (hwnd != blocked.owner && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
    const bool topmost = (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    blocked.windows.push_back({hwnd, topmost});
  }
  return TRUE;
}

}  // namespace

struct Win32Toolkit::WindowRecord {
  Win32Toolkit* toolkit = nullptr;
  int number = 0;
  HWND hwnd = nullptr;
  HWND tooltip = nullptr;  // one tooltip control per window, owned (and destroyed) by it
};

struct Win32Toolkit::ControlRecord {
  Win32Toolkit* toolkit = nullptr;
  int number = 0;
  int window = 0;
  HWND hwnd = nullptr;
  bool isImage = false;
  WNDPROC originalProc = nullptr;  // image controls are subclassed
  std::optional<int> image;
  std::optional<int> font;
  int width = 0;
  int height = 0;
  bool hasTool = false;
};

struct Win32Toolkit::ImageRecord {
  win32::UniqueBitmap bitmap;
  ImageView view;
};

struct Win32Toolkit::FontRecord {
  win32::UniqueFont font;
};

struct Win32Toolkit::MenuRecord {
  win32::UniqueMenu menu;
};

struct Win32Toolkit::TrayRecord {
  int ownerWindow = 0;
  HWND owner = nullptr;
  UINT id = 0;
  win32::UniqueIcon icon;
};

// The procedures Windows calls. Each decodes WPARAM/LPARAM once and hands plain values to a
// named handler. noexcept: an exception must not unwind through user32's frames.
struct Win32Toolkit::Callbacks {
  static bool RegisterPopupClass();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static LRESULT CALLBACK ImageControlProc(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept;
  static void CALLBACK TimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time) noexcept;

  static void OnCommand(WindowRecord& window, UINT code, UINT id, HWND control);
  static void OnTrayNotify(WindowRecord& window, UINT icon, UINT mouseMessage);
  static void OnNcDestroy(WindowRecord& window);
  static void OnTimer(WindowRecord& window, UINT_PTR id);
};

bool Win32Toolkit::Callbacks::RegisterPopupClass() {
  // One class for the process; every toolkit's windows find their record themselves.
  static ATOM atom = 0;
  if (atom != 0) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = ModuleInstance();
  windowClass.hIcon = ::LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(1));
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kPopupClassName;
  atom = ::RegisterClassExA(&windowClass);
  return atom != 0;
}

LRESULT CALLBACK Win32Toolkit::Callbacks::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                     LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* record = static_cast<WindowRecord*>(create->lpCreateParams);
    record->hwnd = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
  }
  auto* record = reinterpret_cast<WindowRecord*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (record != nullptr) {
    switch (message) {
      case WM_COMMAND:
        OnCommand(*record, HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
      case kTrayCallbackMessage:
        // Shell version 1 notifications: the icon number in wParam, the mouse message in lParam.
        OnTrayNotify(*record, static_cast<UINT>(wParam), static_cast<UINT>(lParam));
        return 0;
      case WM_CLOSE:
        // Alt+F4 would destroy the window and leave the program running without it; the
        // program closes its windows itself.
        return 0;
      case WM_NCDESTROY:
        OnNcDestroy(*record);
        break;
      default:
        break;
    }
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Win32Toolkit::Callbacks::ImageControlProc(HWND hwnd, UINT message, WPARAM wParam,
                                                           LPARAM lParam) noexcept {
  auto* control = reinterpret_cast<ControlRecord*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (control == nullptr || control->originalProc == nullptr)
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  // The raw message still goes through the pump first; these events follow it.
  if (message == WM_LBUTTONDBLCLK) {
    control->toolkit->QueueEvent(Event::Control(control->number, kControlDoubleClick));
  } else if (message == WM_RBUTTONUP) {
    control->toolkit->QueueEvent(Event::Control(control->number, kControlRightClick));
  }
  return ::CallWindowProcA(control->originalProc, hwnd, message, wParam, lParam);
}

void CALLBACK Win32Toolkit::Callbacks::TimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD) noexcept {
  auto* record = reinterpret_cast<WindowRecord*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (record != nullptr) OnTimer(*record, id);
}

void Win32Toolkit::Callbacks::OnCommand(WindowRecord& window, UINT code, UINT id, HWND control) {
  Win32Toolkit& toolkit = *window.toolkit;
  if (control == nullptr) {
    // Menus send code 0, accelerators 1.
    if (code == 0) toolkit.RaiseEvent(Event::Menu(static_cast<int>(id)));
    return;
  }
  // STN_CLICKED and BN_CLICKED are both 0; STN_DBLCLK and the others raise nothing.
  if (code != 0) return;
  // The command carries only the low 16 bits of the ID; the control itself has all of them.
  int number = ::GetDlgCtrlID(control);
  const ControlRecord* record = toolkit.LookUpControl(number);
  if (record == nullptr || record->hwnd != control) number = static_cast<int>(id);
  toolkit.RaiseEvent(Event::Control(number, kControlClicked));
}

void Win32Toolkit::Callbacks::OnTrayNotify(WindowRecord& window, UINT icon, UINT mouseMessage) {
  int click = 0;
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
      click = kTrayLeftPress;
      break;
    case WM_RBUTTONDOWN:
      click = kTrayRightPress;
      break;
    case WM_LBUTTONDBLCLK:
      click = kTrayLeftDoubleClick;
      break;
    case WM_RBUTTONDBLCLK:
      click = kTrayRightDoubleClick;
      break;
    default:
      return;  // moves and releases
  }
  window.toolkit->RaiseEvent(Event::Tray(click, static_cast<int>(icon)));
}

void Win32Toolkit::Callbacks::OnNcDestroy(WindowRecord& window) {
  ::SetWindowLongPtrA(window.hwnd, GWLP_USERDATA, 0);
  Win32Toolkit& toolkit = *window.toolkit;
  // A window that failed during creation must not take the objects of the window that still
  // holds its number.
  if (toolkit.LookUpWindow(window.number) == &window) toolkit.ForgetWindowObjects(window.number);
  window.hwnd = nullptr;
  window.tooltip = nullptr;
}

void Win32Toolkit::Callbacks::OnTimer(WindowRecord& window, UINT_PTR id) {
  Win32Toolkit& toolkit = *window.toolkit;
  auto it = toolkit.timers_.find({window.number, static_cast<int>(id)});
  if (it == toolkit.timers_.end()) return;
  // Held here: the callback may kill or replace its own timer.
  std::shared_ptr<TimerCallback> callback = it->second;
  if (*callback) (*callback)();
}

// --- Life cycle ---------------------------------------------------------------------------

Win32Toolkit::Win32Toolkit() = default;

Win32Toolkit::~Win32Toolkit() {
  ReleaseAll();
  if (comInitialized_) ::CoUninitialize();
}

void Win32Toolkit::Initialize() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES;
  ::InitCommonControlsEx(&controls);
  // S_FALSE (already initialised) must be balanced as well.
  if (!comInitialized_) comInitialized_ = SUCCEEDED(::CoInitialize(nullptr));
}

void Win32Toolkit::ReleaseAll() {
  while (!trayIcons_.empty()) RemoveTrayIcon(trayIcons_.begin()->first);
  menus_.clear();
  for (const auto& [key, callback] : timers_) {
    if (const WindowRecord* window = LookUpWindow(key.first); window && window->hwnd)
      ::KillTimer(window->hwnd, static_cast<UINT_PTR>(key.second));
  }
  timers_.clear();
  while (!windows_.empty()) DestroyWindow(windows_.begin()->first);
  controls_.clear();
  images_.clear();
  fonts_.clear();
  queue_.clear();
  if (user32_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(user32_));
  user32_ = nullptr;
  setLayeredAttributes_ = nullptr;
  layeredLookedUp_ = false;
}

// --- Lookup -----------------------------------------------------------------------------------

namespace {

// The record under a number, or null.
template <typename Map>
auto FindRecord(const Map& records, int number) -> decltype(records.begin()->second.get()) {
  auto it = records.find(number);
  return it == records.end() ? nullptr : it->second.get();
}

}  // namespace

Win32Toolkit::WindowRecord* Win32Toolkit::LookUpWindow(int window) const {
  return FindRecord(windows_, window);
}

Win32Toolkit::ControlRecord* Win32Toolkit::LookUpControl(int control) const {
  return FindRecord(controls_, control);
}

Win32Toolkit::ImageRecord* Win32Toolkit::LookUpImage(int image) const {
  return FindRecord(images_, image);
}

Win32Toolkit::FontRecord* Win32Toolkit::LookUpFont(int font) const {
  return FindRecord(fonts_, font);
}

Win32Toolkit::MenuRecord* Win32Toolkit::LookUpMenu(int menu) const {
  return FindRecord(menus_, menu);
}

void* Win32Toolkit::NativeWindow(int window) const {
  const WindowRecord* record = LookUpWindow(window);
  return record ? record->hwnd : nullptr;
}

void* Win32Toolkit::NativeControl(int control) const {
  const ControlRecord* record = LookUpControl(control);
  return record ? record->hwnd : nullptr;
}

void* Win32Toolkit::NativeTooltip(int window) const {
  const WindowRecord* record = LookUpWindow(window);
  return record ? record->tooltip : nullptr;
}

void* Win32Toolkit::NativeImage(int image) const {
  const ImageRecord* record = LookUpImage(image);
  return record ? record->bitmap.Get() : nullptr;
}

void* Win32Toolkit::NativeFont(int font) const {
  const FontRecord* record = LookUpFont(font);
  return record ? record->font.Get() : nullptr;
}

void* Win32Toolkit::NativeMenu(int menu) const {
  const MenuRecord* record = LookUpMenu(menu);
  return record ? record->menu.Get() : nullptr;
}

// --- Windows ------------------------------------------------------------------------------

bool Win32Toolkit::CreatePopupWindow(int window, std::string_view title, int x, int y,
                                     int clientWidth, int clientHeight) {
  if (clientWidth < 0 || clientHeight < 0) return false;
  if (!Callbacks::RegisterPopupClass()) return false;
  RECT outer{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&outer, WS_POPUP, FALSE, 0);
  auto record = std::make_unique<WindowRecord>();
  record->toolkit = this;
  record->number = window;
  const std::string titleText(title);
  // WM_NCCREATE stores the record in the window, so the handle reaches it before this returns.
  HWND hwnd = ::CreateWindowExA(0, kPopupClassName, titleText.c_str(), WS_POPUP, x, y,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, ModuleInstance(), record.get());
  if (hwnd == nullptr) return false;
  DestroyWindow(window);
  windows_[window] = std::move(record);
  return true;
}

void Win32Toolkit::DestroyWindow(int window) {
  WindowRecord* record = LookUpWindow(window);
  if (record == nullptr) return;
  // WM_NCDESTROY forgets its controls, timers and tray icons.
  if (record->hwnd != nullptr) ::DestroyWindow(record->hwnd);
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
  if (record == nullptr || record->hwnd == nullptr || !::GetWindowRect(record->hwnd, &r))
    return false;
  outer = ToRect(r);
  return true;
}

bool Win32Toolkit::SetWindowPos(int window, ZOrder z, int x, int y, int width, int height,
                                unsigned flags) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return false;
  HWND insertAfter = nullptr;
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
  return ::SetWindowPos(record->hwnd, insertAfter, x, y, width, height, swpFlags) != FALSE;
}

void Win32Toolkit::ShowWindow(int window, ShowMode mode) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return;
  ::ShowWindow(record->hwnd, mode == ShowMode::kHide ? SW_HIDE : SW_SHOWNORMAL);
}

void Win32Toolkit::SetToolWindowStyle(int window) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return;
  ::SetWindowLongA(record->hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
}

bool Win32Toolkit::SetWindowAlpha(int window, int alpha) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return false;
  using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  // Looked up at run time: Windows before 2000 has no layered windows.
  if (!layeredLookedUp_) {
    layeredLookedUp_ = true;
    HMODULE user32 = ::LoadLibraryA("user32.dll");
    FARPROC address =
        user32 != nullptr ? ::GetProcAddress(user32, "SetLayeredWindowAttributes") : nullptr;
    if (address != nullptr) {
      user32_ = user32;
      setLayeredAttributes_ = reinterpret_cast<void*>(reinterpret_cast<void (*)()>(address));
    } else if (user32 != nullptr) {
      ::FreeLibrary(user32);
    }
  }
  if (setLayeredAttributes_ == nullptr) return false;
  // Only with the function at hand: a layered window without attributes is never drawn.
  const LONG exStyle = ::GetWindowLongA(record->hwnd, GWL_EXSTYLE);
  ::SetWindowLongA(record->hwnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  auto function = reinterpret_cast<SetLayeredWindowAttributesFunction>(
      reinterpret_cast<void (*)()>(setLayeredAttributes_));
  const BYTE value = static_cast<BYTE>(std::clamp(alpha, 0, 255));
  return function(record->hwnd, 0, value, LWA_ALPHA) != FALSE;
}

void Win32Toolkit::SetForegroundWindow(int window) {
  const WindowRecord* record = LookUpWindow(window);
  if (record != nullptr && record->hwnd != nullptr) ::SetForegroundWindow(record->hwnd);
}

bool Win32Toolkit::WorkAreaNearWindow(int window, Rect& workArea) const {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return false;
  HMONITOR monitor = ::MonitorFromWindow(record->hwnd, MONITOR_DEFAULTTONEAREST);
  if (monitor == nullptr) return false;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoA(monitor, &info)) return false;
  workArea = ToRect(info.rcWork);
  return true;
}

void Win32Toolkit::MoveWindowWithMouse(int window) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr) return;
  ::SendMessageA(record->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

// --- Controls ---------------------------------------------------------------------------------

bool Win32Toolkit::InsertControl(int window, int control, std::unique_ptr<ControlRecord> record) {
  record->toolkit = this;
  record->number = control;
  record->window = window;
  DestroyControl(control);
  controls_[control] = std::move(record);
  return true;
}

void Win32Toolkit::ResizeImageControl(const ControlRecord& control) {
  // Statics with SS_BITMAP take the bitmap's size on STM_SETIMAGE (Windows 2000 knows no
  // SS_REALSIZECONTROL); the layout's size wins.
  RECT client{};
  ::GetClientRect(control.hwnd, &client);
  if (client.right != control.width || client.bottom != control.height) {
    ::SetWindowPos(control.hwnd, nullptr, 0, 0, control.width, control.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool Win32Toolkit::CreateImageControl(int window, int control, int x, int y, int width, int height,
                                      int image) {
  const WindowRecord* parent = LookUpWindow(window);
  if (parent == nullptr || parent->hwnd == nullptr || width < 0 || height < 0) return false;
  HWND hwnd = ::CreateWindowExA(
      0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL, x,
      y, width, height, parent->hwnd, ControlId(control), ModuleInstance(), nullptr);
  if (hwnd == nullptr) return false;
  auto record = std::make_unique<ControlRecord>();
  record->toolkit = this;
  record->number = control;
  record->hwnd = hwnd;
  record->isImage = true;
  record->width = width;
  record->height = height;
  // Subclassed for the double-click and right-click events; the record rides in the control.
  ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record.get()));
  record->originalProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
      hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Callbacks::ImageControlProc)));
  InsertControl(window, control, std::move(record));
  SetControlImage(control, image);
  return true;
}

bool Win32Toolkit::CreateButton(int window, int control, int x, int y, int width, int height,
                                std::string_view caption) {
  const WindowRecord* parent = LookUpWindow(window);
  if (parent == nullptr || parent->hwnd == nullptr || width < 0 || height < 0) return false;
  const std::string text(caption);
  HWND hwnd =
      ::CreateWindowExA(0, "BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y,
                        width, height, parent->hwnd, ControlId(control), ModuleInstance(), nullptr);
  if (hwnd == nullptr) return false;
  auto record = std::make_unique<ControlRecord>();
  record->hwnd = hwnd;
  record->width = width;
  record->height = height;
  return InsertControl(window, control, std::move(record));
}

void Win32Toolkit::DestroyControl(int control) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr) return;
  if (record->hasTool) {
    if (const WindowRecord* window = LookUpWindow(record->window); window && window->tooltip) {
      TTTOOLINFOA tool{};
      tool.cbSize = kToolInfoV2Size;
      tool.hwnd = window->hwnd;
      tool.uId = reinterpret_cast<UINT_PTR>(record->hwnd);
      ::SendMessageA(window->tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  ::DestroyWindow(record->hwnd);
  controls_.erase(control);
}

bool Win32Toolkit::ControlExists(int control) const {
  return LookUpControl(control) != nullptr;
}

void Win32Toolkit::MoveControl(int control, int x, int y, int width, int height) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr || width < 0 || height < 0) return;
  if (::MoveWindow(record->hwnd, x, y, width, height, TRUE)) {
    record->width = width;
    record->height = height;
  }
}

void Win32Toolkit::ShowControl(int control, bool visible) {
  const ControlRecord* record = LookUpControl(control);
  if (record != nullptr) ::ShowWindow(record->hwnd, visible ? SW_SHOW : SW_HIDE);
}

void Win32Toolkit::SetControlText(int control, std::string_view text) {
  const ControlRecord* record = LookUpControl(control);
  // Windows reads the text of a bitmap static as a resource name and may drop the image.
  if (record == nullptr || record->isImage) return;
  const std::string value(text);
  ::SetWindowTextA(record->hwnd, value.c_str());
}

void Win32Toolkit::SetControlChecked(int control, bool checked) {
  const ControlRecord* record = LookUpControl(control);
  if (record == nullptr) return;
  ::SendMessageA(record->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Toolkit::SetControlFont(int control, int font) {
  ControlRecord* record = LookUpControl(control);
  const FontRecord* fontRecord = LookUpFont(font);
  if (record == nullptr || fontRecord == nullptr) return;
  ::SendMessageA(record->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontRecord->font.Get()), TRUE);
  record->font = font;
}

void Win32Toolkit::SetControlTooltip(int control, std::string_view text) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr) return;
  WindowRecord* window = LookUpWindow(record->window);
  if (window == nullptr || window->hwnd == nullptr) return;
  if (window->tooltip == nullptr) {
    window->tooltip =
        ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window->hwnd,
                          nullptr, ModuleInstance(), nullptr);
    if (window->tooltip == nullptr) return;
  }
  std::string value(text);
  TTTOOLINFOA tool{};
  tool.cbSize = kToolInfoV2Size;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window->hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(record->hwnd);
  tool.lpszText = value.data();
  if (record->hasTool) {
    ::SendMessageA(window->tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    record->hasTool =
        ::SendMessageA(window->tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  }
}

void Win32Toolkit::SetControlImage(int control, int image) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr || !record->isImage) return;
  // The control shows image `image` whenever it exists, also one created later.
  record->image = image;
  const ImageRecord* imageRecord = LookUpImage(image);
  HBITMAP bitmap = imageRecord != nullptr ? imageRecord->bitmap.Get() : nullptr;
  ::SendMessageA(record->hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  ResizeImageControl(*record);
}

// --- Images and fonts -------------------------------------------------------------------------

bool Win32Toolkit::CreateImage(int image, int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxImageEdge || height > kMaxImageEdge) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first in memory
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return false;
  const int stride = ImageView::StrideFor(width);
  std::memset(bits, 0, static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));

  auto record = std::make_unique<ImageRecord>();
  record->bitmap = std::move(bitmap);
  record->view = {static_cast<std::uint8_t*>(bits), width, height, stride};
  std::unique_ptr<ImageRecord> old = std::exchange(images_[image], std::move(record));
  // Controls showing this number take the new bitmap before the old one is deleted.
  for (const auto& [number, control] : controls_) {
    if (control->image == image) SetControlImage(number, image);
  }
  return true;
}

void Win32Toolkit::DestroyImage(int image) {
  auto it = images_.find(image);
  if (it == images_.end()) return;
  for (const auto& [number, control] : controls_) {
    if (control->image == image) ::SendMessageA(control->hwnd, STM_SETIMAGE, IMAGE_BITMAP, 0);
  }
  images_.erase(it);
}

ImageView Win32Toolkit::Image(int image) {
  const ImageRecord* record = LookUpImage(image);
  return record ? record->view : ImageView{};
}

void Win32Toolkit::ImageChanged(int image) {
  for (const auto& [number, control] : controls_) {
    // The bitmap covers the control, so no background erase (and no flicker).
    if (control->image == image) ::InvalidateRect(control->hwnd, nullptr, FALSE);
  }
}

bool Win32Toolkit::CreateNumberedFont(int font, std::string_view face, int points, int weight) {
  if (points <= 0 || points > kMaxFontPoints) return false;
  int pixelsPerInch = 96;
  if (win32::WindowDc screen(nullptr); screen)
    pixelsPerInch = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
  const std::string faceName(face.substr(0, LF_FACESIZE - 1));
  win32::UniqueFont handle(
      ::CreateFontA(-::MulDiv(points, pixelsPerInch, 72), 0, 0, 0, std::clamp(weight, 0, 1000),
                    FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName.c_str()));
  if (!handle) return false;
  auto record = std::make_unique<FontRecord>();
  record->font = std::move(handle);
  std::unique_ptr<FontRecord> old = std::exchange(fonts_[font], std::move(record));
  // Controls using this number take the new font before the old one is deleted.
  for (const auto& [number, control] : controls_) {
    if (control->font == font) SetControlFont(number, font);
  }
  return true;
}

bool Win32Toolkit::FontExists(int font) const {
  return LookUpFont(font) != nullptr;
}

void Win32Toolkit::DrawString(int image, int font, int x, int y, std::string_view text,
                              Color color) {
  const ImageRecord* imageRecord = LookUpImage(image);
  const FontRecord* fontRecord = LookUpFont(font);
  if (imageRecord == nullptr || fontRecord == nullptr || text.empty()) return;
  win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return;
  {
    win32::SelectedObject bitmap(dc.Get(), imageRecord->bitmap.Get());
    if (!bitmap) return;
    win32::SelectedObject selectedFont(dc.Get(), fontRecord->font.Get());
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), static_cast<COLORREF>(color & 0xFFFFFF));
    ::SetTextAlign(dc.Get(), TA_TOP | TA_LEFT | TA_NOUPDATECP);
    ::TextOutA(dc.Get(), x, y, text.data(), TextLength(text));
  }
  // GDI may batch the drawing; the pixels are read straight from memory next.
  ::GdiFlush();
}

int Win32Toolkit::TextWidth(int font, std::string_view text) {
  const FontRecord* fontRecord = LookUpFont(font);
  if (fontRecord == nullptr || text.empty()) return 0;
  win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return 0;
  win32::SelectedObject selectedFont(dc.Get(), fontRecord->font.Get());
  SIZE extent{};
  if (!::GetTextExtentPoint32A(dc.Get(), text.data(), TextLength(text), &extent)) return 0;
  return extent.cx;
}

// --- Popup menu -------------------------------------------------------------------------------

bool Win32Toolkit::CreatePopupMenu(int menu) {
  win32::UniqueMenu handle(::CreatePopupMenu());
  if (!handle) return false;
  auto record = std::make_unique<MenuRecord>();
  record->menu = std::move(handle);
  menus_[menu] = std::move(record);
  return true;
}

void Win32Toolkit::AppendMenuItem(int menu, int item, std::string_view text) {
  const MenuRecord* record = LookUpMenu(menu);
  if (record == nullptr) return;
  const std::string value(text);
  ::AppendMenuA(record->menu.Get(), MF_STRING, static_cast<UINT_PTR>(item), value.c_str());
}

void Win32Toolkit::AppendMenuSeparator(int menu) {
  const MenuRecord* record = LookUpMenu(menu);
  if (record != nullptr) ::AppendMenuA(record->menu.Get(), MF_SEPARATOR, 0, nullptr);
}

void Win32Toolkit::SetMenuItemChecked(int menu, int item, bool checked) {
  const MenuRecord* record = LookUpMenu(menu);
  if (record == nullptr) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE;
  if (!::GetMenuItemInfoA(record->menu.Get(), static_cast<UINT>(item), FALSE, &info)) return;
  info.fState = checked ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
  ::SetMenuItemInfoA(record->menu.Get(), static_cast<UINT>(item), FALSE, &info);
}

bool Win32Toolkit::IsMenuItemChecked(int menu, int item) const {
  const MenuRecord* record = LookUpMenu(menu);
  if (record == nullptr) return false;
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE;
  if (!::GetMenuItemInfoA(record->menu.Get(), static_cast<UINT>(item), FALSE, &info)) return false;
  return (info.fState & MFS_CHECKED) != 0;
}

void Win32Toolkit::TrackPopupMenu(int menu, int ownerWindow, int x, int y) {
  const MenuRecord* record = LookUpMenu(menu);
  const WindowRecord* owner = LookUpWindow(ownerWindow);
  if (record == nullptr || owner == nullptr || owner->hwnd == nullptr) return;
  ::TrackPopupMenu(record->menu.Get(), TPM_RIGHTBUTTON, x, y, 0, owner->hwnd, nullptr);
  // Without a message to the owner after the menu, the next menu opened from the tray may not
  // close when the user clicks elsewhere (a long-standing shell quirk).
  ::PostMessageA(owner->hwnd, WM_NULL, 0, 0);
}

// --- Tray icon --------------------------------------------------------------------------------

bool Win32Toolkit::AddTrayIcon(int icon, int ownerWindow, int image) {
  const WindowRecord* owner = LookUpWindow(ownerWindow);
  const ImageRecord* imageRecord = LookUpImage(image);
  if (owner == nullptr || owner->hwnd == nullptr || imageRecord == nullptr) return false;

  // A fully opaque icon: an all-zero AND mask lets every colour pixel through.
  const int width = imageRecord->view.width;
  const int height = imageRecord->view.height;
  const std::size_t maskStride = static_cast<std::size_t>((width + 15) / 16 * 2);
  std::vector<unsigned char> maskBits(maskStride * static_cast<std::size_t>(height), 0);
  win32::UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));
  if (!mask) return false;
  ICONINFO iconInfo{};
  iconInfo.fIcon = TRUE;
  iconInfo.hbmMask = mask.Get();
  iconInfo.hbmColor = imageRecord->bitmap.Get();
  win32::UniqueIcon handle(::CreateIconIndirect(&iconInfo));  // copies both bitmaps
  if (!handle) return false;

  // The shell knows an icon by window and ID; an icon under this number goes first.
  RemoveTrayIcon(icon);
  NOTIFYICONDATAA data{};
  data.cbSize = kNotifyIconDataV1Size;
  data.hWnd = owner->hwnd;
  data.uID = static_cast<UINT>(icon);
  data.uFlags = NIF_MESSAGE | NIF_ICON;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = handle.Get();
  if (!::Shell_NotifyIconA(NIM_ADD, &data)) return false;

  auto record = std::make_unique<TrayRecord>();
  record->ownerWindow = ownerWindow;
  record->owner = owner->hwnd;
  record->id = data.uID;
  record->icon = std::move(handle);
  trayIcons_[icon] = std::move(record);
  return true;
}

namespace {

// The fields that name an existing tray icon.
template <typename Record>
NOTIFYICONDATAA TrayIconData(const Record& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = kNotifyIconDataV1Size;
  data.hWnd = record.owner;
  data.uID = record.id;
  return data;
}

}  // namespace

void Win32Toolkit::SetTrayTooltip(int icon, std::string_view text) {
  auto it = trayIcons_.find(icon);
  if (it == trayIcons_.end()) return;
  NOTIFYICONDATAA data = TrayIconData(*it->second);
  data.uFlags = NIF_TIP;
  const std::size_t length = std::min(text.size(), kTrayTipChars);
  std::memcpy(data.szTip, text.data(), length);
  data.szTip[length] = '\0';
  ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

void Win32Toolkit::RemoveTrayIcon(int icon) {
  auto it = trayIcons_.find(icon);
  if (it == trayIcons_.end()) return;
  NOTIFYICONDATAA data = TrayIconData(*it->second);
  ::Shell_NotifyIconA(NIM_DELETE, &data);
  trayIcons_.erase(it);  // then the icon handle is destroyed
}

// --- Timers and events ------------------------------------------------------------------------

bool Win32Toolkit::SetTimer(int window, int timer, unsigned periodMs, TimerCallback callback) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr || !callback) return false;
  if (::SetTimer(record->hwnd, static_cast<UINT_PTR>(timer), periodMs, &Callbacks::TimerProc) ==
      0) {
    return false;
  }
  timers_[{window, timer}] = std::make_shared<TimerCallback>(std::move(callback));
  return true;
}

void Win32Toolkit::KillTimer(int window, int timer) {
  if (const WindowRecord* record = LookUpWindow(window); record && record->hwnd)
    ::KillTimer(record->hwnd, static_cast<UINT_PTR>(timer));
  timers_.erase({window, timer});
}

void Win32Toolkit::RaiseEvent(const Event& event) {
  if (capture_ != nullptr && !capture_->has_value()) {
    *capture_ = event;
  } else {
    QueueEvent(event);
  }
}

void Win32Toolkit::QueueEvent(const Event& event) {
  queue_.push_back(event);
  // Raised by a message sent to us while GetMessageA waits: wake it so the event is seen.
  if (waiting_) ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

bool Win32Toolkit::Step(bool wait, Event& event) {
  if (!queue_.empty()) {
    event = queue_.front();
    queue_.pop_front();
    return true;
  }
  // Sent messages handled while retrieving are not caused by this step's dispatch.
  std::optional<Event>* outer = std::exchange(capture_, nullptr);
  MSG message{};
  bool dispatch = false;
  if (wait) {
    waiting_ = true;
    const BOOL result = ::GetMessageA(&message, nullptr, 0, 0);
    waiting_ = false;
    if (result == -1) message.message = WM_NULL;
    dispatch = result > 0;  // 0 is WM_QUIT
  } else {
    if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      capture_ = outer;
      return false;
    }
    dispatch = message.message != WM_QUIT;
  }
  std::optional<Event> caused;
  if (dispatch) {
    capture_ = &caused;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  capture_ = outer;
  event = caused ? *caused : Event::Raw(message.message);
  return true;
}

Event Win32Toolkit::WaitEvent() {
  Event event;
  Step(true, event);
  return event;
}

bool Win32Toolkit::PollEvent(Event& event) {
  return Step(false, event);
}

// --- Message boxes ----------------------------------------------------------------------------

int Win32Toolkit::ShowMessageBox(std::string_view caption, std::string_view text, unsigned flags) {
  HWND foreground = ::GetForegroundWindow();
  DWORD process = 0;
  if (foreground != nullptr) ::GetWindowThreadProcessId(foreground, &process);
  HWND owner = process == ::GetCurrentProcessId() ? foreground : nullptr;

  // Modal to the whole program: the owner is disabled by MessageBoxA itself, every other window
  // here, and the topmost ones leave the band so that they cannot cover the box.
  BlockedWindows blocked{owner, {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectBlockedWindow,
                      reinterpret_cast<LPARAM>(&blocked));
  constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  for (const BlockedWindow& window : blocked.windows) {
    ::EnableWindow(window.hwnd, FALSE);
    if (window.wasTopmost) ::SetWindowPos(window.hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
  const std::string captionText(caption);
  const std::string bodyText(text);
  const int answer = ::MessageBoxA(owner, bodyText.c_str(), captionText.c_str(), flags);
  for (const BlockedWindow& window : blocked.windows) {
    ::EnableWindow(window.hwnd, TRUE);
    if (window.wasTopmost) ::SetWindowPos(window.hwnd, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
  return answer;
}

}  // namespace glint
