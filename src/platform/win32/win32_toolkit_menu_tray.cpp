// The popup menu and the tray icons.
#include "platform/win32/win32_toolkit_records.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <cstring>
#include <string>

namespace glint {

namespace {

// The NOTIFYICONDATAA of the first shell (88 bytes on 32-bit Windows; the fields up to the
// 64-character tip). Every later shell accepts it, and it is what the program asks for.
constexpr DWORD kNotifyIconDataV1Size = offsetof(NOTIFYICONDATAA, szTip) + 64;
// The two builds differ here by their pointers' size: checked where each is compiled.
#ifdef _WIN64
static_assert(kNotifyIconDataV1Size == 104);
#else
static_assert(kNotifyIconDataV1Size == 88);
#endif
constexpr std::size_t kTrayTipChars = 63;

}  // namespace

bool Win32Toolkit::CreatePopupMenu(int menu) {
  win32::UniqueMenu handle(::CreatePopupMenu());
  if (!handle) {
    win32::FailureTrace("CreatePopupMenu") << "menu " << menu;
    return false;
  }
  auto record = std::make_unique<MenuRecord>();
  record->menu = std::move(handle);
  menus_[menu] = std::move(record);
  return true;
}

void Win32Toolkit::AppendMenuItem(int menu, int item, std::string_view text) {
  const MenuRecord* record = LookUpMenu(menu);
  if (record == nullptr) return;
  const std::string value(text);
  if (!::AppendMenuA(record->menu.Get(), MF_STRING, static_cast<UINT_PTR>(item), value.c_str()))
    win32::FailureTrace("AppendMenuA") << "item " << item << " of menu " << menu;
}

void Win32Toolkit::AppendMenuSeparator(int menu) {
  const MenuRecord* record = LookUpMenu(menu);
  if (record != nullptr && !::AppendMenuA(record->menu.Get(), MF_SEPARATOR, 0, nullptr))
    win32::FailureTrace("AppendMenuA") << "a separator of menu " << menu;
}

void Win32Toolkit::SetMenuItemChecked(int menu, int item, bool checked) {
  const MenuRecord* record = LookUpMenu(menu);
  if (record == nullptr) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE;
  if (!::GetMenuItemInfoA(record->menu.Get(), static_cast<UINT>(item), FALSE, &info)) {
    win32::FailureTrace("GetMenuItemInfoA") << "item " << item << " of menu " << menu;
    return;
  }
  info.fState = checked ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
  if (!::SetMenuItemInfoA(record->menu.Get(), static_cast<UINT>(item), FALSE, &info))
    win32::FailureTrace("SetMenuItemInfoA") << "item " << item << " of menu " << menu;
}

bool Win32Toolkit::IsMenuItemChecked(int menu, int item) const {
  const MenuRecord* record = LookUpMenu(menu);
  if (record == nullptr) return false;
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE;
  if (!::GetMenuItemInfoA(record->menu.Get(), static_cast<UINT>(item), FALSE, &info)) {
    win32::FailureTrace("GetMenuItemInfoA") << "item " << item << " of menu " << menu;
    return false;
  }
  return (info.fState & MFS_CHECKED) != 0;
}

void Win32Toolkit::TrackPopupMenu(int menu, int ownerWindow, int x, int y) {
  const MenuRecord* record = LookUpMenu(menu);
  const WindowRecord* owner = LookUpWindow(ownerWindow);
  if (record == nullptr || owner == nullptr || owner->hwnd == nullptr) return;
  ::TrackPopupMenu(record->menu.Get(), TPM_RIGHTBUTTON, x, y, 0, owner->hwnd, nullptr);
  // Without a message to the owner after the menu, the next menu opened from the tray may not
  // close when the user clicks elsewhere (a long-standing shell quirk).
  if (!::PostMessageA(owner->hwnd, WM_NULL, 0, 0))
    win32::FailureTrace("PostMessageA") << "closing menu " << menu;
}

// --- Tray icon --------------------------------------------------------------------------------

bool Win32Toolkit::AddTrayIcon(int icon, int ownerWindow, int image, unsigned callbackMessage) {
  const WindowRecord* owner = LookUpWindow(ownerWindow);
  const ImageRecord* imageRecord = LookUpImage(image);
  if (owner == nullptr || owner->hwnd == nullptr || imageRecord == nullptr) return false;
  // The window procedure takes this message for the icon's clicks: a system message would lose
  // its own meaning.
  if (callbackMessage < WM_USER || callbackMessage >= 0xC000) return false;

  // A fully opaque icon: an all-zero AND mask lets every colour pixel through.
  const int width = imageRecord->view.width;
  const int height = imageRecord->view.height;
  const std::size_t maskStride = static_cast<std::size_t>((width + 15) / 16 * 2);
  std::vector<unsigned char> maskBits(maskStride * static_cast<std::size_t>(height), 0);
  win32::UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));
  if (!mask) {
    win32::FailureTrace("CreateBitmap") << "the mask of tray icon " << icon;
    return false;
  }
  ICONINFO iconInfo{};
  iconInfo.fIcon = TRUE;
  iconInfo.hbmMask = mask.Get();
  iconInfo.hbmColor = imageRecord->bitmap.Get();
  win32::UniqueIcon handle(::CreateIconIndirect(&iconInfo));  // copies both bitmaps
  if (!handle) {
    win32::FailureTrace("CreateIconIndirect") << "tray icon " << icon;
    return false;
  }

  // The shell knows an icon by window and ID; an icon under this number goes first.
  RemoveTrayIcon(icon);
  auto record = std::make_unique<TrayRecord>();
  record->ownerWindow = ownerWindow;
  record->owner = owner->hwnd;
  record->id = static_cast<UINT>(icon);
  record->callbackMessage = callbackMessage;
  record->icon = std::move(handle);
  // Kept even when the shell refuses it: a program started before the taskbar (at log-on, say)
  // shows its icon once the shell announces itself.
  const bool shown = ShowTrayIcon(*record);
  trayIcons_[icon] = std::move(record);
  return shown;
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
  TrayRecord& record = *it->second;
  record.tooltip = std::string(text.substr(0, kTrayTipChars));
  NOTIFYICONDATAA data = TrayIconData(record);
  data.uFlags = NIF_TIP;
  std::memcpy(data.szTip, record.tooltip.data(), record.tooltip.size());
  data.szTip[record.tooltip.size()] = '\0';
  // The shell sets no last error.
  if (!::Shell_NotifyIconA(NIM_MODIFY, &data))
    win32::FailureTrace("Shell_NotifyIconA", 0) << "the tooltip of tray icon " << icon;
}

bool Win32Toolkit::ShowTrayIcon(const TrayRecord& record) const {
  NOTIFYICONDATAA data = TrayIconData(record);
  data.uFlags = NIF_MESSAGE | NIF_ICON;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = record.icon.Get();
  if (!record.tooltip.empty()) {
    data.uFlags |= NIF_TIP;
    std::memcpy(data.szTip, record.tooltip.data(), record.tooltip.size());
    data.szTip[record.tooltip.size()] = '\0';
  }
  if (::Shell_NotifyIconA(NIM_ADD, &data)) return true;
  win32::FailureTrace("Shell_NotifyIconA", 0) << "adding tray icon " << record.id;
  return false;
}

void Win32Toolkit::ShowTrayIcons(int ownerWindow) const {
  for (const auto& [number, record] : trayIcons_) {
    if (record->ownerWindow == ownerWindow) ShowTrayIcon(*record);
  }
}

void Win32Toolkit::RemoveTrayIcon(int icon) {
  auto it = trayIcons_.find(icon);
  if (it == trayIcons_.end()) return;
  NOTIFYICONDATAA data = TrayIconData(*it->second);
  ::Shell_NotifyIconA(NIM_DELETE, &data);
  trayIcons_.erase(it);  // then the icon handle is destroyed
}

}  // namespace glint
