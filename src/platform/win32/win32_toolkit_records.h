#pragma once

// The records behind Win32Toolkit's numbers and the procedures Windows calls, shared by the
// win32_toolkit*.cpp files and by nothing else.
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/raii.h"
#include "platform/win32/system_library.h"
#include "platform/win32/trace.h"
#include "platform/win32/win32_toolkit.h"

namespace glint {

namespace win32 {

// comctl32 before version 6 rejects TTM_ADDTOOL when cbSize counts the XP-only lpReserved.
inline constexpr UINT kToolInfoV2Size = offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM);

inline HINSTANCE ModuleInstance() {
  return ::GetModuleHandleA(nullptr);
}

inline int TextLength(std::string_view text) {
  return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

inline Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

inline COLORREF ToColorRef(Color color) {
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

// The record under a number, or null.
template <typename Map>
auto FindRecord(const Map& records, int number) -> decltype(records.begin()->second.get()) {
  auto it = records.find(number);
  return it == records.end() ? nullptr : it->second.get();
}

}  // namespace win32

struct Win32Toolkit::WindowRecord {
  Win32Toolkit* toolkit = nullptr;
  int number = 0;
  HWND hwnd = nullptr;
  HWND tooltip = nullptr;    // one tooltip control per window, owned (and destroyed) by it
  bool captioned = false;    // made by CreateCaptionWindow: the dialog keys work in it
  HWND lastFocus = nullptr;  // the control that had the keyboard when the window lost it
};

struct Win32Toolkit::ControlRecord {
  struct RowColors {
    COLORREF text = 0;
    COLORREF back = 0;
  };

  Win32Toolkit* toolkit = nullptr;
  int number = 0;
  int window = 0;
  ControlKind kind = ControlKind::kLabel;
  HWND hwnd = nullptr;
  std::uint64_t order = 0;         // creation order, which is the keyboard order
  bool groupStart = false;         // radio buttons: the first of a group (WS_GROUP)
  WNDPROC originalProc = nullptr;  // image controls are subclassed
  std::optional<int> image;
  std::optional<int> font;
  int width = 0;
  int height = 0;
  bool hasTool = false;
  std::vector<RowColors> rows;  // list views: the colours of each row, by index
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
  UINT callbackMessage = 0;  // how the shell reports clicks to the owner
  win32::UniqueIcon icon;
  std::string tooltip;  // kept to add the icon again when the shell restarts
};

// The procedures Windows calls. Each decodes WPARAM/LPARAM once and hands plain values to a
// named handler. noexcept: an exception must not unwind through user32's frames.
struct Win32Toolkit::Callbacks {
  static const char* RegisterWindowClass();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static LRESULT CALLBACK ImageControlProc(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept;
  static void CALLBACK TimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time) noexcept;

  static void OnCommand(WindowRecord& window, UINT code, UINT id, HWND control);
  static void OnScroll(WindowRecord& window, HWND control);
  static LRESULT OnNotify(WindowRecord& window, const NMHDR& header, LPARAM lParam);
  static bool OnTrayNotify(WindowRecord& window, UINT message, UINT icon, UINT mouseMessage);
  static bool OnActivate(WindowRecord& window, bool active);
  static void OnClose(WindowRecord& window);
  static void OnNcDestroy(WindowRecord& window);
  static void OnTimer(WindowRecord& window, UINT_PTR id);

  // Translates and dispatches one message of the pump; keys go through the dialog manager in
  // caption windows.
  static void Dispatch(Win32Toolkit& toolkit, MSG& message);
};

}  // namespace glint
