#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/events.h"
#include "platform/geometry.h"
#include "platform/image.h"

namespace glint {

// Message box flags and answers: the Windows values.
namespace mb {
constexpr unsigned kOk = 0x0;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconExclamation = 0x30;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
}  // namespace mb

// Z-order targets and flags of SetWindowPos, named after their Windows counterparts.
enum class ZOrder { kNone, kTop, kTopmost, kNoTopmost };
namespace swp {
constexpr unsigned kNoSize = 0x0001;
constexpr unsigned kNoMove = 0x0002;
constexpr unsigned kNoZOrder = 0x0004;
constexpr unsigned kNoActivate = 0x0010;
constexpr unsigned kFrameChanged = 0x0020;
constexpr unsigned kShowWindow = 0x0040;
}  // namespace swp

enum class ShowMode { kHide, kShowNormal };

// The pixels per inch at which a pixel is a pixel: layouts are drawn at it, and what must look
// the same on every display (the LED window) is sized at it.
inline constexpr int kBaseDpi = 96;

enum class ControlKind {
  kImage,        // a static control showing a numbered image; reports clicks
  kButton,       // a push button
  kCheckBox,     // ticks and unticks itself when clicked
  kRadioButton,  // selects itself and clears the others of its group when clicked
  kLabel,        // static text; reports nothing
  kTrackbar,     // horizontal; every thumb movement is a kControlScrolled event
  kListView,     // report view with grid lines, single selection, nothing editable
};

// One control as a window's table describes it. Strings must outlive the creating call only.
struct ControlDef {
  int number = 0;
  ControlKind kind = ControlKind::kLabel;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::string_view caption;  // buttons, boxes and labels
  int font = 0;              // a numbered font; 0 keeps the system's
  std::string_view tooltip;  // empty: none
  bool groupStart = false;   // the first radio button of a group
  int rangeMin = 0;          // trackbars
  int rangeMax = 0;
  int image = 0;  // image controls
  // Keeps its pixel size when the table is scaled to the display's DPI (an icon shown at the
  // size it has on the screen); only its place moves.
  bool fixedSize = false;
};

struct ListColumn {
  std::string_view title;
  int width = 0;
};

using TimerCallback = std::function<void()>;

// The window toolkit: numbered windows, controls, images, fonts, the popup menu, the tray icon,
// timers, events, message boxes and the colour dialog. Every object is addressed by the number
// the program gives it; creating an object under a number in use replaces the old one. Calls
// that fail leave things as they were and say so in their result; nothing here reports to the
// user.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Common controls and COM. Called once, before any other call.
  virtual void Initialize() = 0;
  // Removes the tray icon and destroys menus, windows, controls, images and fonts.
  virtual void ReleaseAll() = 0;

  // --- Windows -----------------------------------------------------------------------------
  // A borderless popup (no caption, no border) whose class has double-clicks and the button-face
  // background; created hidden with the given client size at the given screen position.
  [[nodiscard]] virtual bool CreatePopupWindow(int window, std::string_view title, int x, int y,
                                               int clientWidth, int clientHeight) = 0;
  // A window with a caption bar only (no system menu, no close, minimize or maximize box), the
  // small caption of a tool window and the button-face background, owned by `ownerWindow`;
  // created hidden with the given client size, centred on the screen. A close request (Alt+F4,
  // Escape) arrives as a kClose event and closes nothing by itself.
  [[nodiscard]] virtual bool CreateCaptionWindow(int window, std::string_view title,
                                                 int clientWidth, int clientHeight,
                                                 int ownerWindow) = 0;
  virtual void DestroyWindow(int window) = 0;
  [[nodiscard]] virtual bool WindowExists(int window) const = 0;
  [[nodiscard]] virtual bool IsWindowVisible(int window) const = 0;
  // Outer rectangle in screen coordinates.
  [[nodiscard]] virtual bool WindowRect(int window, Rect& outer) const = 0;
  virtual bool SetWindowPos(int window, ZOrder z, int x, int y, int width, int height,
                            unsigned flags) = 0;
  virtual void ShowWindow(int window, ShowMode mode) = 0;
  // Extended style := tool window only (no taskbar button); drops any layered style.
  virtual void SetToolWindowStyle(int window) = 0;
  // Adds the tool-window style to the extended style and applies the frame change.
  virtual void AddToolWindowStyle(int window) = 0;
  // Extended style := layered tool window (nothing else) with the alpha (255 = opaque); false,
  // and nothing changed, when the system has no layered windows.
  virtual bool SetWindowAlpha(int window, int alpha) = 0;
  virtual void SetForegroundWindow(int window) = 0;
  // SetActiveWindow: activates a window of this program.
  virtual void ActivateWindow(int window) = 0;
  // The display's vertical pixels per inch as the system tells this program: the real one on
  // Windows 2000 and XP, or with XP-style scaling; 96 where the system stretches the program.
  [[nodiscard]] virtual int DisplayDpi() const = 0;
  // Work area of the monitor nearest to the window.
  [[nodiscard]] virtual bool WorkAreaNearWindow(int window, Rect& workArea) const = 0;
  // Hands the window to the system's move loop (as a press on a caption would), which follows the
  // mouse until the left button is released and only then returns. Timers keep firing inside.
  virtual void MoveWindowWithMouse(int window) = 0;

  // --- Controls (numbers are unique across windows) ----------------------------------------
  // Image controls are subclassed: a left double-click queues a kControlDoubleClick event and a
  // right-button release a kControlRightClick event for the control, after the raw message.
  [[nodiscard]] virtual bool CreateControl(int window, const ControlDef& def) = 0;
  // Creates the controls in order, which is also the keyboard order; false when any failed (the
  // others are created all the same).
  [[nodiscard]] bool CreateControls(int window, std::span<const ControlDef> defs) {
    bool all = true;
    for (const ControlDef& def : defs) all = CreateControl(window, def) && all;
    return all;
  }
  [[nodiscard]] bool CreateImageControl(int window, int control, int x, int y, int width,
                                        int height, int image) {
    ControlDef def;
    def.number = control, def.kind = ControlKind::kImage, def.image = image;
    def.x = x, def.y = y, def.width = width, def.height = height;
    return CreateControl(window, def);
  }
  [[nodiscard]] bool CreateButton(int window, int control, int x, int y, int width, int height,
                                  std::string_view caption) {
    ControlDef def;
    def.number = control, def.kind = ControlKind::kButton, def.caption = caption;
    def.x = x, def.y = y, def.width = width, def.height = height;
    return CreateControl(window, def);
  }
  virtual void DestroyControl(int control) = 0;
  [[nodiscard]] virtual bool ControlExists(int control) const = 0;
  virtual void MoveControl(int control, int x, int y, int width, int height) = 0;
  virtual void ShowControl(int control, bool visible) = 0;
  virtual void EnableControl(int control, bool enabled) = 0;
  virtual void SetControlText(int control, std::string_view text) = 0;
  [[nodiscard]] virtual std::string ControlText(int control) const = 0;
  virtual void SetControlFont(int control, int font) = 0;
  virtual void SetControlTooltip(int control, std::string_view text) = 0;
  virtual void SetControlImage(int control, int image) = 0;
  // The check mark of a check box or radio button (a radio button's group is left alone).
  virtual void SetControlChecked(int control, bool checked) = 0;
  [[nodiscard]] virtual bool IsControlChecked(int control) const = 0;
  // Selects a radio button and clears every other button of its group.
  virtual void SelectRadioButton(int control) = 0;
  virtual void SetTrackbarRange(int control, int minimum, int maximum) = 0;
  // Moves the thumb (within the range); raises no event.
  virtual void SetTrackbarPos(int control, int position) = 0;
  [[nodiscard]] virtual int TrackbarPos(int control) const = 0;
  virtual void SetListColumns(int control, std::span<const ListColumn> columns) = 0;
  virtual void ClearListRows(int control) = 0;
  // Appends a row drawn in the given colours; returns its index, -1 when it could not be added.
  [[nodiscard]] virtual int AddListRow(int control, std::span<const std::string_view> cells,
                                       Color text, Color back) = 0;

  // --- Images and fonts --------------------------------------------------------------------
  // A black width x height image; its pixels stay valid until it is replaced or destroyed.
  [[nodiscard]] virtual bool CreateImage(int image, int width, int height) = 0;
  virtual void DestroyImage(int image) = 0;
  [[nodiscard]] virtual ImageView Image(int image) = 0;
  // The program's embedded icon `resource` (its own artwork), drawn opaque into a new
  // edge x edge image.
  [[nodiscard]] virtual bool LoadEmbeddedIcon(int image, int resource, int edge) = 0;
  // Tells controls showing the image that its pixels changed.
  virtual void ImageChanged(int image) = 0;
  // Size in points, converted at `pixelsPerInch` (the display's DisplayDpi, or kBaseDpi for text
  // that keeps its pixels everywhere); weight 400/700.
  [[nodiscard]] virtual bool CreateNumberedFont(int font, std::string_view face, int points,
                                                int weight, int pixelsPerInch) = 0;
  [[nodiscard]] virtual bool FontExists(int font) const = 0;
  // Text with its cell's top-left at (x, y), transparent background, anti-aliased edges blended.
  virtual void DrawString(int image, int font, int x, int y, std::string_view text,
                          Color color) = 0;
  [[nodiscard]] virtual int TextWidth(int font, std::string_view text) = 0;

  // --- Popup menu ----------------------------------------------------------------------------
  [[nodiscard]] virtual bool CreatePopupMenu(int menu) = 0;
  virtual void AppendMenuItem(int menu, int item, std::string_view text) = 0;
  virtual void AppendMenuSeparator(int menu) = 0;
  virtual void SetMenuItemChecked(int menu, int item, bool checked) = 0;
  [[nodiscard]] virtual bool IsMenuItemChecked(int menu, int item) const = 0;
  // Runs the menu at a screen point, owned by a window; a chosen item arrives as a menu event.
  virtual void TrackPopupMenu(int menu, int ownerWindow, int x, int y) = 0;

  // --- Tray icon -----------------------------------------------------------------------------
  // The icon reports clicks to its owner window by `callbackMessage` (a message number of the
  // program's own range); they arrive as kTray events. False when the shell refused it: the icon
  // is then shown as soon as the shell (re)starts, until it is removed.
  [[nodiscard]] virtual bool AddTrayIcon(int icon, int ownerWindow, int image,
                                         unsigned callbackMessage) = 0;
  virtual void SetTrayTooltip(int icon, std::string_view text) = 0;
  virtual void RemoveTrayIcon(int icon) = 0;

  // --- Timers and events ---------------------------------------------------------------------
  // Installing a number in use replaces it.
  [[nodiscard]] virtual bool SetTimer(int window, int timer, unsigned periodMs,
                                      TimerCallback callback) = 0;
  virtual void KillTimer(int window, int timer) = 0;
  // Delivers a queued event, otherwise blocks for the next message, dispatches it (timer
  // callbacks and notifications run here) and returns the event it caused, or the raw message.
  [[nodiscard]] virtual Event WaitEvent() = 0;
  // One step of the same without waiting; false when nothing was pending.
  [[nodiscard]] virtual bool PollEvent(Event& event) = 0;

  // --- Modal boxes ---------------------------------------------------------------------------
  // Modal to the whole program; returns the answer (mb::kIdOk, kIdYes, kIdNo).
  virtual int ShowMessageBox(std::string_view caption, std::string_view text, unsigned flags) = 0;
  // The common colour dialog, modal to its owner and opened at `initial`; false when cancelled.
  [[nodiscard]] virtual bool ChooseColor(int ownerWindow, Color initial, Color& chosen) = 0;
};

}  // namespace glint
