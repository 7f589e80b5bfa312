#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "platform/toolkit.h"

namespace glint {

namespace win32 {
class SystemLibrary;
}

// The toolkit on user32, gdi32, comctl32, comdlg32 and the shell. Records keep the handles of the
// numbered objects; the window and subclass procedures find their record through GWLP_USERDATA.
// The implementation is split by concern over the win32_toolkit*.cpp files.
class Win32Toolkit final : public Toolkit {
 public:
  Win32Toolkit();
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  void Initialize() override;
  void ReleaseAll() override;

  [[nodiscard]] bool CreatePopupWindow(int window, std::string_view title, int x, int y,
                                       int clientWidth, int clientHeight) override;
  [[nodiscard]] bool CreateCaptionWindow(int window, std::string_view title, int clientWidth,
                                         int clientHeight, int ownerWindow) override;
  void DestroyWindow(int window) override;
  [[nodiscard]] bool WindowExists(int window) const override;
  [[nodiscard]] bool IsWindowVisible(int window) const override;
  [[nodiscard]] bool WindowRect(int window, Rect& outer) const override;
  bool SetWindowPos(int window, ZOrder z, int x, int y, int width, int height,
                    unsigned flags) override;
  void ShowWindow(int window, ShowMode mode) override;
  void SetToolWindowStyle(int window) override;
  void AddToolWindowStyle(int window) override;
  bool SetWindowAlpha(int window, int alpha) override;
  void SetForegroundWindow(int window) override;
  void ActivateWindow(int window) override;
  [[nodiscard]] int DisplayDpi() const override;
  [[nodiscard]] bool WorkAreaNearWindow(int window, Rect& workArea) const override;
  void MoveWindowWithMouse(int window) override;

  [[nodiscard]] bool CreateControl(int window, const ControlDef& def) override;
  void DestroyControl(int control) override;
  [[nodiscard]] bool ControlExists(int control) const override;
  void MoveControl(int control, int x, int y, int width, int height) override;
  void ShowControl(int control, bool visible) override;
  void EnableControl(int control, bool enabled) override;
  void SetControlText(int control, std::string_view text) override;
  [[nodiscard]] std::string ControlText(int control) const override;
  void SetControlFont(int control, int font) override;
  void SetControlTooltip(int control, std::string_view text) override;
  void SetControlImage(int control, int image) override;
  void SetControlChecked(int control, bool checked) override;
  [[nodiscard]] bool IsControlChecked(int control) const override;
  void SelectRadioButton(int control) override;
  void SetTrackbarRange(int control, int minimum, int maximum) override;
  void SetTrackbarPos(int control, int position) override;
  [[nodiscard]] int TrackbarPos(int control) const override;
  void SetListColumns(int control, std::span<const ListColumn> columns) override;
  void ClearListRows(int control) override;
  [[nodiscard]] int AddListRow(int control, std::span<const std::string_view> cells, Color text,
                               Color back) override;

  [[nodiscard]] bool CreateImage(int image, int width, int height) override;
  void DestroyImage(int image) override;
  [[nodiscard]] ImageView Image(int image) override;
  [[nodiscard]] bool LoadEmbeddedIcon(int image, int resource, int edge) override;
  void ImageChanged(int image) override;
  [[nodiscard]] bool CreateNumberedFont(int font, std::string_view face, int points, int weight,
                                        int pixelsPerInch) override;
  [[nodiscard]] bool FontExists(int font) const override;
  void DrawString(int image, int font, int x, int y, std::string_view text, Color color) override;
  [[nodiscard]] int TextWidth(int font, std::string_view text) override;

  [[nodiscard]] bool CreatePopupMenu(int menu) override;
  void AppendMenuItem(int menu, int item, std::string_view text) override;
  void AppendMenuSeparator(int menu) override;
  void SetMenuItemChecked(int menu, int item, bool checked) override;
  [[nodiscard]] bool IsMenuItemChecked(int menu, int item) const override;
  void TrackPopupMenu(int menu, int ownerWindow, int x, int y) override;

  [[nodiscard]] bool AddTrayIcon(int icon, int ownerWindow, int image,
                                 unsigned callbackMessage) override;
  void SetTrayTooltip(int icon, std::string_view text) override;
  void RemoveTrayIcon(int icon) override;

  [[nodiscard]] bool SetTimer(int window, int timer, unsigned periodMs,
                              TimerCallback callback) override;
  void KillTimer(int window, int timer) override;
  [[nodiscard]] Event WaitEvent() override;
  [[nodiscard]] bool PollEvent(Event& event) override;

  int ShowMessageBox(std::string_view caption, std::string_view text, unsigned flags) override;
  [[nodiscard]] bool ChooseColor(int ownerWindow, Color initial, Color& chosen) override;

  // Native handles (HWND, HBITMAP, HFONT, HMENU) for the Windows-side tests; null when missing.
  // Typed void* so that this header needs no <windows.h>.
  void* NativeWindow(int window) const;
  void* NativeControl(int control) const;
  void* NativeTooltip(int window) const;
  void* NativeImage(int image) const;
  void* NativeFont(int font) const;
  void* NativeMenu(int menu) const;

 private:
  struct WindowRecord;
  struct ControlRecord;
  struct ImageRecord;
  struct FontRecord;
  struct MenuRecord;
  struct TrayRecord;
  struct Callbacks;  // window, subclass and timer procedures; defined with the Windows types
  using TimerKey = std::pair<int, int>;

  // An event caused by the message being dispatched by WaitEvent/PollEvent: the first one is
  // that call's result; any other, and any raised outside such a dispatch, waits in the queue.
  void RaiseEvent(const Event& event);
  void QueueEvent(const Event& event);
  bool Step(bool wait, Event& event);
  void TakeQueuedMovements(std::optional<Event>& caused);

  WindowRecord* LookUpWindow(int window) const;
  // The window record of a native top-level window, or null when it is not one of ours.
  WindowRecord* LookUpWindowByHandle(void* hwnd) const;
  ControlRecord* LookUpControl(int control) const;
  // The control record of a native child window, or null when it is not one of ours.
  ControlRecord* LookUpControlByHandle(void* hwnd) const;
  ImageRecord* LookUpImage(int image) const;
  FontRecord* LookUpFont(int font) const;
  MenuRecord* LookUpMenu(int menu) const;
  bool InsertWindow(int window, std::unique_ptr<WindowRecord> record);
  void InsertControl(int window, int control, std::unique_ptr<ControlRecord> record);
  void ForgetWindowObjects(int window);
  void ResizeImageControl(const ControlRecord& control);
  // A black image not yet under any number; null when the GDI refuses it.
  std::unique_ptr<ImageRecord> MakeImage(int image, int width, int height) const;
  // Puts an image under its number; the controls showing that number take it.
  void InstallImage(int image, std::unique_ptr<ImageRecord> record);
  // Whether a radio button about to be created in `window` begins a group: asked to, or no radio
  // button comes right before it.
  bool StartsRadioGroup(int window, bool asked) const;
  // Tells the shell of a tray icon held here (NIM_ADD, then its tooltip).
  bool ShowTrayIcon(const TrayRecord& record) const;
  void ShowTrayIcons(int ownerWindow) const;

  std::map<int, std::unique_ptr<WindowRecord>> windows_;
  std::map<int, std::unique_ptr<ControlRecord>> controls_;
  std::map<int, std::unique_ptr<ImageRecord>> images_;
  std::map<int, std::unique_ptr<FontRecord>> fonts_;
  std::map<int, std::unique_ptr<MenuRecord>> menus_;
  std::map<int, std::unique_ptr<TrayRecord>> trayIcons_;
  std::map<TimerKey, std::shared_ptr<TimerCallback>> timers_;
  std::uint64_t nextControlOrder_ = 0;  // creation order of controls: the keyboard order

  std::deque<Event> queue_;
  std::optional<Event>* capture_ = nullptr;
  bool waiting_ = false;  // inside GetMessageA

  bool comInitialized_ = false;
  // "TaskbarCreated": a restarted shell has forgotten every tray icon.
  unsigned taskbarCreatedMessage_ = 0;
  // user32.dll by its full path, for the calls that older Windows lack (layered windows,
  // monitors), looked up at run time; loaded at the first of them.
  const win32::SystemLibrary& User32() const;
  mutable std::unique_ptr<win32::SystemLibrary> user32_;
};

}  // namespace glint
