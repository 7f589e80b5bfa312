#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/toolkit.h"
#include "support/fake/journal.h"

namespace glint {

// An in-memory Toolkit. Everything it holds can be inspected; events come from a script that
// the test fills; an empty script runs `onEmpty` or fails the test loudly.
class FakeToolkit : public Toolkit {
 public:
  struct Window {
    std::string title;
    Rect rect;    // outer rectangle on the screen (the popup has no frame: equals the client area)
    Rect client;  // client area size (left and top 0)
    bool captioned = false;  // made by CreateCaptionWindow
    int owner = -1;
    bool visible = false;
    bool toolWindow = false;
    bool topmost = false;
    int alpha = 255;
  };
  struct ListRow {
    std::vector<std::string> cells;
    Color text = 0;
    Color back = 0;
  };
  struct Control {
    int window = 0;
    ControlKind kind = ControlKind::kLabel;
    int order = 0;  // creation order, which is the keyboard order
    Rect rect;      // in the parent's client coordinates
    bool visible = true;
    bool enabled = true;
    std::string text;
    int font = 0;
    std::string tooltip;
    int image = 0;
    bool checked = false;
    bool groupStart = false;
    int rangeMin = 0;
    int rangeMax = 0;
    int position = 0;
    std::vector<std::string> columns;  // "title width"
    std::vector<ListRow> rows;
  };
  struct Bitmap {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> bits;
  };
  struct Font {
    std::string face;
    int points = 0;
    int weight = 0;
    int pixelsPerInch = kBaseDpi;
  };
  struct MenuItem {
    int item = 0;  // 0 for a separator
    std::string text;
    bool separator = false;
    bool checked = false;
  };
  struct Tray {
    int owner = 0;
    int image = 0;
    unsigned callbackMessage = 0;
    std::string tooltip;
    bool shown = true;  // false while the shell refuses it
  };
  struct Timer {
    unsigned periodMs = 0;
    TimerCallback callback;
  };
  struct MessageBoxCall {
    std::string caption;
    std::string text;
    unsigned flags = 0;
  };
  // A message as the pump sees it: the event it yields and what its dispatch does (run a timer
  // callback, queue a control event, ...). `caused`, when set, is the dispatch that decides the
  // event itself (a click on a disabled control causes none).
  struct Message {
    Event event;
    std::function<void()> onDispatch;
    std::function<Event()> caused;
  };

  explicit FakeToolkit(Journal& journal) : journal_(journal) {}

  // --- Inspection and scripting ---
  std::map<int, Window> windows;
  std::map<int, Control> controls;
  std::map<int, Bitmap> images;
  std::map<int, int> embeddedIcons;  // image -> the resource it was loaded from
  std::map<int, Font> fonts;
  std::map<int, std::vector<MenuItem>> menus;
  std::map<int, Tray> trays;
  std::map<std::pair<int, int>, Timer> timers;  // (window, timer)
  std::vector<MessageBoxCall> messageBoxes;
  std::deque<int> messageBoxAnswers;               // answers for yes/no boxes, in order
  std::function<void(FakeToolkit&)> onMessageBox;  // runs while a box is open
  // Answers of the colour dialog, in order: a colour picked, or nullopt for Cancel.
  std::deque<std::optional<Color>> colorAnswers;
  std::vector<Color> colorDialogInitials;  // the colour each dialog opened at
  // Where each window move leaves the window's top-left corner; `onMoveLoop` runs inside the
  // loop (timers fire there). A move with no scripted point leaves the window where it is.
  std::deque<Point> drags;
  std::function<void(FakeToolkit&)> onMoveLoop;
  std::deque<Message> messages;  // the message stream
  std::deque<Event> queued;      // events queued by controls, delivered first
  std::function<void(FakeToolkit&)> onEmpty;
  std::vector<std::string> drawnStrings;  // "image font x y text"
  std::set<int> failWindows;              // windows that cannot be made or moved (no handles)
  std::set<int> failControls;             // controls whose creation fails
  int dpi = kBaseDpi;                     // what DisplayDpi tells
  bool shellRefusesTrayIcons = false;     // no shell yet: icons are refused, and kept for later
  int menusTracked = 0;
  bool initialized = false;
  Rect workArea{0, 0, 1280, 994};  // empty: no monitor answers
  Rect screen{0, 0, 1280, 1024};

  void Post(Event event, std::function<void()> onDispatch = {}) {
    messages.push_back({event, std::move(onDispatch), {}});
  }
  // A WM_TIMER whose dispatch runs the installed callback, if any.
  void PostTimer(int window, int timer);
  // A left double-click on a subclassed icon: the raw message, then its queued control event.
  void PostIconDoubleClick(int control);
  // A right-button press and release on an icon: raw press, raw release, queued right click.
  void PostIconRightClick(int control);
  // A click on a control as the control itself handles it (a box's tick toggles, a radio button
  // selects itself): the release causes the control event, unless the control is disabled.
  void PostClick(int control);
  // The trackbar's thumb moved to `position` (kept in range), then its event.
  void PostScroll(int control, int position);
  // Runs the callback of an installed timer now; false when it is not installed.
  bool FireTimer(int window, int timer);
  bool HasTimer(int window, int timer) const { return timers.count({window, timer}) != 0; }
  const MenuItem* FindMenuItem(int menu, int item) const;
  // The controls of a window in creation order.
  std::vector<int> ControlsOf(int window) const;

  // --- Toolkit ---
  void Initialize() override;
  void ReleaseAll() override;
  bool CreatePopupWindow(int window, std::string_view title, int x, int y, int clientWidth,
                         int clientHeight) override;
  bool CreateCaptionWindow(int window, std::string_view title, int clientWidth, int clientHeight,
                           int ownerWindow) override;
  void DestroyWindow(int window) override;
  bool WindowExists(int window) const override;
  bool IsWindowVisible(int window) const override;
  bool WindowRect(int window, Rect& outer) const override;
  bool SetWindowPos(int window, ZOrder z, int x, int y, int width, int height,
                    unsigned flags) override;
  void ShowWindow(int window, ShowMode mode) override;
  void SetToolWindowStyle(int window) override;
  void AddToolWindowStyle(int window) override;
  bool SetWindowAlpha(int window, int alpha) override;
  void SetForegroundWindow(int window) override;
  void ActivateWindow(int window) override;
  int DisplayDpi() const override { return dpi; }
  bool WorkAreaNearWindow(int window, Rect& workArea) const override;
  void MoveWindowWithMouse(int window) override;

  bool CreateControl(int window, const ControlDef& def) override;
  void DestroyControl(int control) override;
  bool ControlExists(int control) const override;
  void MoveControl(int control, int x, int y, int width, int height) override;
  void ShowControl(int control, bool visible) override;
  void EnableControl(int control, bool enabled) override;
  void SetControlText(int control, std::string_view text) override;
  std::string ControlText(int control) const override;
  void SetControlFont(int control, int font) override;
  void SetControlTooltip(int control, std::string_view text) override;
  void SetControlImage(int control, int image) override;
  void SetControlChecked(int control, bool checked) override;
  bool IsControlChecked(int control) const override;
  void SelectRadioButton(int control) override;
  void SetTrackbarRange(int control, int minimum, int maximum) override;
  void SetTrackbarPos(int control, int position) override;
  int TrackbarPos(int control) const override;
  void SetListColumns(int control, std::span<const ListColumn> columns) override;
  void ClearListRows(int control) override;
  int AddListRow(int control, std::span<const std::string_view> cells, Color text,
                 Color back) override;

  bool CreateImage(int image, int width, int height) override;
  void DestroyImage(int image) override;
  ImageView Image(int image) override;
  bool LoadEmbeddedIcon(int image, int resource, int edge) override;
  void ImageChanged(int image) override;
  bool CreateNumberedFont(int font, std::string_view face, int points, int weight,
                          int pixelsPerInch) override;
  bool FontExists(int font) const override;
  // Draws with the glyphs of fake_glyphs.h; every call is also recorded in `drawnStrings`.
  void DrawString(int image, int font, int x, int y, std::string_view text, Color color) override;
  int TextWidth(int font, std::string_view text) override;

  bool CreatePopupMenu(int menu) override;
  void AppendMenuItem(int menu, int item, std::string_view text) override;
  void AppendMenuSeparator(int menu) override;
  void SetMenuItemChecked(int menu, int item, bool checked) override;
  bool IsMenuItemChecked(int menu, int item) const override;
  void TrackPopupMenu(int menu, int ownerWindow, int x, int y) override;

  bool AddTrayIcon(int icon, int ownerWindow, int image, unsigned callbackMessage) override;
  void SetTrayTooltip(int icon, std::string_view text) override;
  void RemoveTrayIcon(int icon) override;

  bool SetTimer(int window, int timer, unsigned periodMs, TimerCallback callback) override;
  void KillTimer(int window, int timer) override;
  Event WaitEvent() override;
  bool PollEvent(Event& event) override;

  int ShowMessageBox(std::string_view caption, std::string_view text, unsigned flags) override;
  bool ChooseColor(int ownerWindow, Color initial, Color& chosen) override;

 private:
  Event Deliver();
  MenuItem* FindItem(int menu, int item);
  Control* FindControl(int control);
  // The glyph size of a font: its points as they come out at 96 pixels per inch.
  int FontPoints(int font) const;
  Journal& journal_;
  int nextOrder_ = 0;
};

}  // namespace glint
