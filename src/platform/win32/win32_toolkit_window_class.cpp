// The toolkit's window class and the procedures Windows calls: messages are decoded here, once,
// into named handlers that raise toolkit events.
#include "platform/win32/win32_toolkit_records.h"

namespace glint {

namespace {

constexpr char kWindowClassName[] = "GlintboxPopup";

}  // namespace

const char* Win32Toolkit::Callbacks::RegisterWindowClass() {
  // One class for the process and for both kinds of window; every toolkit's windows find their
  // record themselves.
  static ATOM atom = 0;
  if (atom != 0) return kWindowClassName;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = win32::ModuleInstance();
  windowClass.hIcon = ::LoadIconA(win32::ModuleInstance(), MAKEINTRESOURCEA(1));
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kWindowClassName;
  atom = ::RegisterClassExA(&windowClass);
  if (atom == 0) win32::FailureTrace("RegisterClassExA") << "the window class";
  return atom != 0 ? kWindowClassName : nullptr;
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
      case WM_HSCROLL:
        OnScroll(*record, reinterpret_cast<HWND>(lParam));
        return 0;
      case WM_NOTIFY:
        if (lParam == 0) return 0;
        return OnNotify(*record, *reinterpret_cast<const NMHDR*>(lParam), lParam);
      case WM_ACTIVATE:
        if (record->captioned && OnActivate(*record, LOWORD(wParam) != WA_INACTIVE)) return 0;
        break;
      case WM_CLOSE:
        // Alt+F4 would destroy the window and leave the program running without it; the
        // program decides what a close request means and closes its windows itself.
        OnClose(*record);
        return 0;
      case WM_NCDESTROY:
        OnNcDestroy(*record);
        break;
      default:
        // Explorer restarted: its new notification area knows none of the icons.
        if (message == record->toolkit->taskbarCreatedMessage_ && message != 0) {
          record->toolkit->ShowTrayIcons(record->number);
          return 0;
        }
        // The tray icons' callback messages are the program's own numbers.
        if (message >= WM_USER &&
            OnTrayNotify(*record, message, static_cast<UINT>(wParam), static_cast<UINT>(lParam)))
          return 0;
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
    // In a caption window these come from the dialog manager (Enter, Escape), not from the
    // popup menu, whose items 1 and 2 carry the same numbers.
    if (window.captioned && (id == IDOK || id == IDCANCEL)) {
      if (id == IDCANCEL) toolkit.RaiseEvent(Event::Close(window.number));
      return;
    }
    // Menus send code 0, accelerators 1.
    if (code == 0) toolkit.RaiseEvent(Event::Menu(static_cast<int>(id)));
    return;
  }
  // STN_CLICKED and BN_CLICKED are both 0; STN_DBLCLK and the others raise nothing.
  if (code != 0) return;
  // The command carries only the low 16 bits of the ID; the control itself has all of them.
  const ControlRecord* record = toolkit.LookUpControlByHandle(control);
  toolkit.RaiseEvent(Event::Control(record ? record->number : static_cast<int>(id)));
}

void Win32Toolkit::Callbacks::OnScroll(WindowRecord& window, HWND control) {
  // Every code counts (thumb drag, keys, page clicks, end of tracking); null is the window's own
  // scroll bar, which it has none of.
  if (control == nullptr) return;
  const ControlRecord* record = window.toolkit->LookUpControlByHandle(control);
  if (record != nullptr && record->kind == ControlKind::kTrackbar)
    window.toolkit->RaiseEvent(Event::Control(record->number, kControlScrolled));
}

LRESULT Win32Toolkit::Callbacks::OnNotify(WindowRecord& window, const NMHDR& header,
                                          LPARAM lParam) {
  if (header.code != NM_CUSTOMDRAW) return 0;
  const ControlRecord* record = window.toolkit->LookUpControlByHandle(header.hwndFrom);
  if (record == nullptr || record->kind != ControlKind::kListView) return CDRF_DODEFAULT;
  // The rows' colours are the toolkit's to draw: asked for per item, given per row.
  auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const DWORD_PTR row = draw.nmcd.dwItemSpec;
  if (row >= record->rows.size()) return CDRF_DODEFAULT;
  draw.clrText = record->rows[row].text;
  draw.clrTextBk = record->rows[row].back;
  return CDRF_NEWFONT;
}

bool Win32Toolkit::Callbacks::OnTrayNotify(WindowRecord& window, UINT message, UINT icon,
                                           UINT mouseMessage) {
  const auto& trays = window.toolkit->trayIcons_;
  const bool ours = std::any_of(trays.begin(), trays.end(), [&](const auto& entry) {
    return entry.second->owner == window.hwnd && entry.second->callbackMessage == message;
  });
  if (!ours) return false;
  // Shell version 1 notifications: the icon number in wParam, the mouse message in lParam.
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
      return true;  // moves and releases
  }
  window.toolkit->RaiseEvent(Event::Tray(click, static_cast<int>(icon)));
  return true;
}

bool Win32Toolkit::Callbacks::OnActivate(WindowRecord& window, bool active) {
  // A window that is not a dialog gets the focus itself when activated again; the control the
  // user was on (a box just ticked, the trackbar) keeps it instead, as in a dialog.
  if (!active) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window.hwnd, focus)) window.lastFocus = focus;
    return false;
  }
  if (window.lastFocus == nullptr || !::IsWindow(window.lastFocus)) return false;
  ::SetFocus(window.lastFocus);
  return true;
}

void Win32Toolkit::Callbacks::OnClose(WindowRecord& window) {
  window.toolkit->RaiseEvent(Event::Close(window.number));
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

}  // namespace glint
