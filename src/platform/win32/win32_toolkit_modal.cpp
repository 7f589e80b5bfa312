// The modal boxes: the program-wide message box and the colour dialog.
#include "platform/win32/win32_toolkit_records.h"
// After <windows.h>, which it needs.
#include <commdlg.h>
// Not the A/W macro: Toolkit's member of the same name is meant.
#undef ChooseColor

#include <string>

namespace glint {

namespace {

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

// The dialog's custom colours, kept for the run as Windows keeps none.
COLORREF customColors[16] = {};

}  // namespace

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
  if (answer == 0) win32::FailureTrace("MessageBoxA") << "the box " << caption;
  for (const BlockedWindow& window : blocked.windows) {
    ::EnableWindow(window.hwnd, TRUE);
    if (window.wasTopmost) ::SetWindowPos(window.hwnd, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
  return answer;
}

bool Win32Toolkit::ChooseColor(int ownerWindow, Color initial, Color& chosen) {
  const WindowRecord* owner = LookUpWindow(ownerWindow);
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner != nullptr ? owner->hwnd : nullptr;
  dialog.rgbResult = win32::ToColorRef(initial);
  dialog.lpCustColors = customColors;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  // Its own modal loop runs here: timers keep firing and events raised meanwhile are queued.
  if (!::ChooseColorA(&dialog)) {
    // Cancelled, or no dialog at all: only the dialog's own error code tells which.
    if (const DWORD error = ::CommDlgExtendedError(); error != 0)
      win32::FailureTrace("ChooseColorA", 0) << "the colour dialog (dialog error " << error << ")";
    return false;
  }
  chosen = static_cast<Color>(dialog.rgbResult & 0xFFFFFF);
  return true;
}

}  // namespace glint
