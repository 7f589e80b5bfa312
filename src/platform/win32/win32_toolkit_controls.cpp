// Numbered controls: creation from a description, and what every kind of control shares
// (place, visibility, text, font, tooltip, image).
#include "platform/win32/win32_toolkit_records.h"

#include <string>

namespace glint {

namespace {

HMENU ControlId(int control) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(control));
}

struct ControlClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
  bool hasCaption;
};

ControlClass ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kImage:
      return {"STATIC", SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL, 0, false};
    case ControlKind::kButton:
      return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, true};
    case ControlKind::kCheckBox:
      return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, true};
    case ControlKind::kRadioButton:
      // WS_GROUP and WS_TABSTOP go to the first of a group only.
      return {"BUTTON", BS_AUTORADIOBUTTON, 0, true};
    case ControlKind::kLabel:
      return {"STATIC", SS_LEFT, 0, true};
    case ControlKind::kTrackbar:
      return {TRACKBAR_CLASSA, TBS_HORZ | WS_TABSTOP, 0, false};
    case ControlKind::kListView:
      return {WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
              WS_EX_CLIENTEDGE, false};
  }
  return {"STATIC", SS_LEFT, 0, true};
}

}  // namespace

bool Win32Toolkit::StartsRadioGroup(int window, bool asked) const {
  if (asked) return true;
  const ControlRecord* previous = nullptr;
  for (const auto& [number, record] : controls_) {
    if (record->window == window && (previous == nullptr || record->order > previous->order))
      previous = record.get();
  }
  return previous == nullptr || previous->kind != ControlKind::kRadioButton;
}

void Win32Toolkit::InsertControl(int window, int control, std::unique_ptr<ControlRecord> record) {
  record->toolkit = this;
  record->number = control;
  record->window = window;
  DestroyControl(control);
  controls_[control] = std::move(record);
}

bool Win32Toolkit::CreateControl(int window, const ControlDef& def) {
  const WindowRecord* parent = LookUpWindow(window);
  if (parent == nullptr || parent->hwnd == nullptr || def.width < 0 || def.height < 0) return false;
  const ControlClass controlClass = ClassOf(def.kind);
  const bool radio = def.kind == ControlKind::kRadioButton;
  const bool groupStart = radio && StartsRadioGroup(window, def.groupStart);
  // The dialog manager's groups (arrow keys, auto radio buttons) run from one WS_GROUP to the
  // next, so every control other than a radio button ends a group of radio buttons.
  DWORD style = WS_CHILD | WS_VISIBLE | controlClass.style;
  if (!radio || groupStart) style |= WS_GROUP;
  if (groupStart) style |= WS_TABSTOP;
  const std::string caption(controlClass.hasCaption ? def.caption : std::string_view());
  // Children join the end of their parent's list: creation order is the keyboard order.
  HWND hwnd = ::CreateWindowExA(controlClass.exStyle, controlClass.name,
                                controlClass.hasCaption ? caption.c_str() : nullptr, style, def.x,
                                def.y, def.width, def.height, parent->hwnd, ControlId(def.number),
                                win32::ModuleInstance(), nullptr);
  if (hwnd == nullptr) {
    win32::FailureTrace("CreateWindowExA") << "control " << def.number << " of window " << window;
    return false;
  }
  auto record = std::make_unique<ControlRecord>();
  record->toolkit = this;
  record->number = def.number;
  record->kind = def.kind;
  record->hwnd = hwnd;
  record->order = nextControlOrder_++;
  record->groupStart = groupStart;
  record->width = def.width;
  record->height = def.height;
  if (def.kind == ControlKind::kImage) {
    // Subclassed for the double-click and right-click events; the record rides in the control.
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record.get()));
    record->originalProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Callbacks::ImageControlProc)));
    if (record->originalProc == nullptr)
      win32::FailureTrace("SetWindowLongPtrA") << "the clicks of control " << def.number;
  }
  InsertControl(window, def.number, std::move(record));

  switch (def.kind) {
    case ControlKind::kImage:
      SetControlImage(def.number, def.image);
      break;
    case ControlKind::kTrackbar:
      SetTrackbarRange(def.number, def.rangeMin, def.rangeMax);
      SetTrackbarPos(def.number, def.rangeMin);
      break;
    case ControlKind::kListView: {
      constexpr LPARAM kExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
      ::SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, kExStyle, kExStyle);
      break;
    }
    default:
      break;
  }
  if (def.font != 0) SetControlFont(def.number, def.font);
  if (!def.tooltip.empty()) SetControlTooltip(def.number, def.tooltip);
  return true;
}

void Win32Toolkit::DestroyControl(int control) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr) return;
  if (record->hasTool) {
    if (const WindowRecord* window = LookUpWindow(record->window); window && window->tooltip) {
      TTTOOLINFOA tool{};
      tool.cbSize = win32::kToolInfoV2Size;
      tool.hwnd = window->hwnd;
      tool.uId = reinterpret_cast<UINT_PTR>(record->hwnd);
      ::SendMessageA(window->tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  if (!::DestroyWindow(record->hwnd)) win32::FailureTrace("DestroyWindow") << "control " << control;
  controls_.erase(control);
}

bool Win32Toolkit::ControlExists(int control) const {
  return LookUpControl(control) != nullptr;
}

void Win32Toolkit::MoveControl(int control, int x, int y, int width, int height) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr || width < 0 || height < 0) return;
  if (!::MoveWindow(record->hwnd, x, y, width, height, TRUE)) {
    win32::FailureTrace("MoveWindow") << "control " << control;
    return;
  }
  record->width = width;
  record->height = height;
}

void Win32Toolkit::ShowControl(int control, bool visible) {
  const ControlRecord* record = LookUpControl(control);
  if (record != nullptr) ::ShowWindow(record->hwnd, visible ? SW_SHOW : SW_HIDE);
}

void Win32Toolkit::EnableControl(int control, bool enabled) {
  const ControlRecord* record = LookUpControl(control);
  if (record != nullptr) ::EnableWindow(record->hwnd, enabled ? TRUE : FALSE);
}

void Win32Toolkit::SetControlText(int control, std::string_view text) {
  const ControlRecord* record = LookUpControl(control);
  // Windows reads the text of a bitmap static as a resource name and may drop the image.
  if (record == nullptr || record->kind == ControlKind::kImage) return;
  const std::string value(text);
  if (!::SetWindowTextA(record->hwnd, value.c_str()))
    win32::FailureTrace("SetWindowTextA") << "control " << control;
}

std::string Win32Toolkit::ControlText(int control) const {
  const ControlRecord* record = LookUpControl(control);
  if (record == nullptr) return {};
  const int length = ::GetWindowTextLengthA(record->hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(record->hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
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
                          nullptr, win32::ModuleInstance(), nullptr);
    if (window->tooltip == nullptr) {
      win32::FailureTrace("CreateWindowExA") << "the tooltips of window " << record->window;
      return;
    }
  }
  std::string value(text);
  TTTOOLINFOA tool{};
  tool.cbSize = win32::kToolInfoV2Size;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window->hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(record->hwnd);
  tool.lpszText = value.data();
  if (record->hasTool) {
    ::SendMessageA(window->tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    record->hasTool =
        ::SendMessageA(window->tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    if (!record->hasTool)
      win32::FailureTrace("TTM_ADDTOOLA", 0) << "the tooltip of control " << control;
  }
}

void Win32Toolkit::ResizeImageControl(const ControlRecord& control) {
  // Statics with SS_BITMAP take the bitmap's size on STM_SETIMAGE (Windows 2000 knows no
  // SS_REALSIZECONTROL); the layout's size wins.
  RECT client{};
  ::GetClientRect(control.hwnd, &client);
  if (client.right != control.width || client.bottom != control.height) {
    if (!::SetWindowPos(control.hwnd, nullptr, 0, 0, control.width, control.height,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
      win32::FailureTrace("SetWindowPos") << "the size of control " << control.number;
  }
}

void Win32Toolkit::SetControlImage(int control, int image) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr || record->kind != ControlKind::kImage) return;
  // The control shows image `image` whenever it exists, also one created later.
  record->image = image;
  const ImageRecord* imageRecord = LookUpImage(image);
  HBITMAP bitmap = imageRecord != nullptr ? imageRecord->bitmap.Get() : nullptr;
  ::SendMessageA(record->hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  ResizeImageControl(*record);
}

}  // namespace glint
