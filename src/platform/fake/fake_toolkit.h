#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/fake/journal.h"
#include "platform/toolkit.h"

namespace glint {

// An in-memory Toolkit. Everything it holds can be inspected; events come from a script that
// the test fills; an empty script runs `onEmpty` or fails the test loudly.
class FakeToolkit : public Toolkit {
 public:
  struct Window {
    std::string title;
    Rect rect;  // outer rectangle on the screen (borderless: equals the client area)
    bool visible = false;
    bool toolWindow = false;
    bool topmost = false;
    int alpha = 255;
  };
  struct Control {
    int window = 0;
    std::string kind;  // "image" or "button"
    Rect rect;         // in the parent's client coordinates
    bool visible = true;
    std::string text;
    int font = 0;
    std::string tooltip;
    int image = 0;
    bool checked = false;
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
    std::string tooltip;
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
  // callback, queue a control event, ...).
  struct Message {
    Event event;
    std::function<void()> onDispatch;
  };

  explicit FakeToolkit(Journal& journal) : journal_(journal) {}

  // --- Inspection and scripting ---
  std::map<int, Window> windows;
  std::map<int, Control> controls;
  std::map<int, Bitmap> images;
  std::map<int, Font> fonts;
  std::map<int, std::vector<MenuItem>> menus;
  std::map<int, Tray> trays;
  std::map<std::pair<int, int>, Timer> timers;  // (window, timer)
  std::vector<MessageBoxCall> messageBoxes;
  std::deque<int> messageBoxAnswers;  // answers for yes/no boxes, in order
  std::deque<Message> messages;       // the message stream
  std::deque<Event> queued;           // events queued by controls, delivered first
  std::function<void(FakeToolkit&)> onEmpty;
  std::vector<std::string> drawnStrings;  // "image font x y text"
  int menusTracked = 0;
  bool initialized = false;

  void Post(Event event, std::function<void()> onDispatch = {}) {
    messages.push_back({event, std::move(onDispatch)});
  }
  // A WM_TIMER whose dispatch runs the installed callback, if any.
  void PostTimer(int window, int timer);
  // A left double-click on a subclassed icon: the raw message, then its queued control event.
  void PostIconDoubleClick(int control);
  // A right-button press and release on an icon: raw press, raw release, queued right click.
  void PostIconRightClick(int control);
  // Runs the callback of an installed timer now; false when it is not installed.
  bool FireTimer(int window, int timer);
  bool HasTimer(int window, int timer) const { return timers.count({window, timer}) != 0; }
  const MenuItem* FindMenuItem(int menu, int item) const;

  // --- Toolkit ---
  void Initialize() override;
  void ReleaseAll() override;
  bool CreatePopupWindow(int window, std::string_view title, int x, int y, int clientWidth,
                         int clientHeight) override;
  void DestroyWindow(int window) override;
  bool WindowExists(int window) const override;
  bool IsWindowVisible(int window) const override;
  bool WindowRect(int window, Rect& outer) const override;
  bool SetWindowPos(int window, ZOrder z, int x, int y, int width, int height,
                    unsigned flags) override;
  void ShowWindow(int window, ShowMode mode) override;
  void SetToolWindowStyle(int window) override;
  bool SetWindowAlpha(int window, int alpha) override;
  void SetForegroundWindow(int window) override;
  bool WorkAreaNearWindow(int window, Rect& workArea) const override;
  Rect workArea{0, 0, 1280, 994};

  bool CreateImageControl(int window, int control, int x, int y, int width, int height,
                          int image) override;
  bool CreateButton(int window, int control, int x, int y, int width, int height,
                    std::string_view caption) override;
  void DestroyControl(int control) override;
  bool ControlExists(int control) const override;
  void MoveControl(int control, int x, int y, int width, int height) override;
  void ShowControl(int control, bool visible) override;
  void SetControlText(int control, std::string_view text) override;
  void SetControlFont(int control, int font) override;
  void SetControlTooltip(int control, std::string_view text) override;
  void SetControlImage(int control, int image) override;
  void SetControlChecked(int control, bool checked) override;

  bool CreateImage(int image, int width, int height) override;
  void DestroyImage(int image) override;
  ImageView Image(int image) override;
  void ImageChanged(int image) override;
  bool CreateNumberedFont(int font, std::string_view face, int points, int weight) override;
  bool FontExists(int font) const override;
  // A deterministic 5 x 7 bitmap font scaled to the font's size: each glyph bit is a square of
  // max(1, em / 9) pixels (em = points at 96 pixels per inch), one unit below the cell top, six
  // units of advance; glyph pixels take the colour fully. Every call is also recorded in
  // `drawnStrings`.
  void DrawString(int image, int font, int x, int y, std::string_view text, Color color) override;
  int TextWidth(int font, std::string_view text) override;

  bool CreatePopupMenu(int menu) override;
  void AppendMenuItem(int menu, int item, std::string_view text) override;
  void AppendMenuSeparator(int menu) override;
  void SetMenuItemChecked(int menu, int item, bool checked) override;
  bool IsMenuItemChecked(int menu, int item) const override;
  void TrackPopupMenu(int menu, int ownerWindow, int x, int y) override;

  bool AddTrayIcon(int icon, int ownerWindow, int image) override;
  void SetTrayTooltip(int icon, std::string_view text) override;
  void RemoveTrayIcon(int icon) override;

  bool SetTimer(int window, int timer, unsigned periodMs, TimerCallback callback) override;
  void KillTimer(int window, int timer) override;
  Event WaitEvent() override;
  bool PollEvent(Event& event) override;

  int ShowMessageBox(std::string_view caption, std::string_view text, unsigned flags) override;

 private:
  Event Deliver();
  MenuItem* FindItem(int menu, int item);
  Journal& journal_;
};

}  // namespace glint
