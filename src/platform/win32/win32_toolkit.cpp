// Win32Toolkit's life cycle and the lookup of its records. The other concerns live beside it:
// the window class (win32_toolkit_window_class.cpp), windows, controls and their state, images
// and fonts, menu and tray, the event pump and the modal boxes.
#include "platform/win32/win32_toolkit.h"

#include "platform/win32/win32_toolkit_records.h"
// After <windows.h>, which it needs.
#include <objbase.h>

namespace glint {

Win32Toolkit::Win32Toolkit() = default;

Win32Toolkit::~Win32Toolkit() {
  ReleaseAll();
  if (comInitialized_) ::CoUninitialize();
}

void Win32Toolkit::Initialize() {
  // Every class the windows use (trackbar, list view, tooltips) is one of the Windows 95 classes,
  // which this registers in every version of Common Controls; InitCommonControlsEx would keep
  // the program from loading where Internet Explorer 3 never came.
  ::InitCommonControls();
  // S_FALSE (already initialised) must be balanced as well.
  if (!comInitialized_) {
    const HRESULT result = ::CoInitialize(nullptr);
    comInitialized_ = SUCCEEDED(result);
    if (!comInitialized_)
      win32::FailureTrace("CoInitialize", static_cast<DWORD>(result)) << "the shell's COM";
  }
  taskbarCreatedMessage_ = ::RegisterWindowMessageA("TaskbarCreated");
  if (taskbarCreatedMessage_ == 0)
    win32::FailureTrace("RegisterWindowMessageA") << "the shell's restart notice";
}

void Win32Toolkit::ReleaseAll() {
  while (!trayIcons_.empty()) RemoveTrayIcon(trayIcons_.begin()->first);
  menus_.clear();
  for (const auto& [key, callback] : timers_) {
    if (const WindowRecord* window = LookUpWindow(key.first); window && window->hwnd)
      ::KillTimer(window->hwnd, static_cast<UINT_PTR>(key.second));
  }
  timers_.clear();
  // Owned windows (the caption windows) go with their owner; their records stay until their
  // own turn, with no handle left.
  while (!windows_.empty()) DestroyWindow(windows_.begin()->first);
  controls_.clear();
  images_.clear();
  fonts_.clear();
  queue_.clear();
  user32_.reset();
}

const win32::SystemLibrary& Win32Toolkit::User32() const {
  if (!user32_) user32_ = std::make_unique<win32::SystemLibrary>("user32.dll");
  return *user32_;
}

// --- Lookup -----------------------------------------------------------------------------------

Win32Toolkit::WindowRecord* Win32Toolkit::LookUpWindow(int window) const {
  return win32::FindRecord(windows_, window);
}

Win32Toolkit::WindowRecord* Win32Toolkit::LookUpWindowByHandle(void* hwnd) const {
  if (hwnd == nullptr) return nullptr;
  for (const auto& [number, record] : windows_) {
    if (record->hwnd == hwnd) return record.get();
  }
  return nullptr;
}

Win32Toolkit::ControlRecord* Win32Toolkit::LookUpControl(int control) const {
  return win32::FindRecord(controls_, control);
}

Win32Toolkit::ControlRecord* Win32Toolkit::LookUpControlByHandle(void* hwnd) const {
  if (hwnd == nullptr) return nullptr;
  // The control's ID is its number, in full (commands and notifications carry only 16 bits).
  ControlRecord* record = LookUpControl(::GetDlgCtrlID(static_cast<HWND>(hwnd)));
  return record != nullptr && record->hwnd == hwnd ? record : nullptr;
}

Win32Toolkit::ImageRecord* Win32Toolkit::LookUpImage(int image) const {
  return win32::FindRecord(images_, image);
}

Win32Toolkit::FontRecord* Win32Toolkit::LookUpFont(int font) const {
  return win32::FindRecord(fonts_, font);
}

Win32Toolkit::MenuRecord* Win32Toolkit::LookUpMenu(int menu) const {
  return win32::FindRecord(menus_, menu);
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

}  // namespace glint
