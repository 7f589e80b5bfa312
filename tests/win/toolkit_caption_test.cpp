// Caption windows, close requests and the colour dialog on the real user32 and comdlg32.
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "win_test_support.h"

namespace glint {
namespace {

using wintest::DrainDecoded;
using wintest::ToolkitTest;
using Events = std::vector<Event>;

ControlDef Button(int number, int y) {
  ControlDef def;
  def.number = number;
  def.kind = ControlKind::kButton;
  def.x = 10;
  def.y = y;
  def.width = 80;
  def.height = 22;
  def.caption = "Save";
  return def;
}

TEST_F(ToolkitTest, CaptionWindowHasACaptionOnlyItsClientSizeAndTheScreenCentre) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const struct {
    int width;
    int height;
    bool fits;
  } cases[] = {{300, 200, true}, {screenWidth + 400, 100, false}};
  for (const auto& c : cases) {
    ASSERT_TRUE(toolkit_.CreateCaptionWindow(2, "Window Options", c.width, c.height, 0));
    HWND hwnd = Window(2);
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), Window(0));
    EXPECT_FALSE(toolkit_.IsWindowVisible(2));
    EXPECT_TRUE(GetClassLongA(hwnd, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND),
              static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.height);
    Rect outer;
    ASSERT_TRUE(toolkit_.WindowRect(2, outer));
    EXPECT_GT(outer.top, 0);  // room for the caption
    if (c.fits) {
      EXPECT_LE(std::abs(outer.left + outer.right - screenWidth), 1);
      EXPECT_LE(std::abs(outer.top + outer.bottom - screenHeight), 1);
    } else {
      EXPECT_EQ(outer.left, 0);  // the caption stays in reach
    }
  }

  toolkit_.ActivateWindow(0);
  EXPECT_EQ(GetActiveWindow(), Window(0));
  toolkit_.ActivateWindow(2);
  EXPECT_EQ(GetActiveWindow(), Window(2));

  // An owned window goes with its owner, and the records of its controls with it.
  ASSERT_TRUE(toolkit_.CreateControl(2, Button(280, 10)));
  toolkit_.DestroyWindow(0);
  EXPECT_FALSE(toolkit_.WindowExists(2));
  EXPECT_FALSE(toolkit_.ControlExists(280));
}

TEST_F(ToolkitTest, CloseRequestsBecomeCloseEventsAndCloseNothing) {
  ASSERT_TRUE(toolkit_.CreateCaptionWindow(2, "Drives and Icons", 200, 100, 0));
  ASSERT_TRUE(toolkit_.CreateControl(2, Button(280, 10)));
  HWND save = Control(280);
  const LPARAM altContext = 1 | (1 << 29);  // repeat count 1, Alt held
  const struct {
    HWND target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    Events expected;
  } cases[] = {
      {Window(0), WM_CLOSE, 0, 0, {Event::Close(0)}},
      {Window(2), WM_CLOSE, 0, 0, {Event::Close(2)}},
      {Window(2), WM_SYSCOMMAND, SC_CLOSE, 0, {Event::Close(2)}},
      {save, WM_SYSKEYDOWN, VK_F4, altContext, {Event::Close(2)}},  // Alt+F4
      {save, WM_KEYDOWN, VK_ESCAPE, 1, {Event::Close(2)}},
      {Window(2), WM_KEYDOWN, VK_ESCAPE, 1, {Event::Close(2)}},
      {Window(0), WM_KEYDOWN, VK_ESCAPE, 1, {}},  // the popup is no dialog
      // The dialog manager's Enter and Escape; the same numbers are menu items at the popup.
      {save, WM_KEYDOWN, VK_RETURN, 1, {}},
      {Window(2), WM_COMMAND, IDOK, 0, {}},
      {Window(2), WM_COMMAND, IDCANCEL, 0, {Event::Close(2)}},
      {Window(0), WM_COMMAND, IDOK, 0, {Event::Menu(1)}},
      {Window(0), WM_COMMAND, IDCANCEL, 0, {Event::Menu(2)}},
  };
  for (const auto& c : cases) {
    PostMessageA(c.target, c.message, c.wParam, c.lParam);
    EXPECT_EQ(DrainDecoded(toolkit_), c.expected) << c.message << " " << c.wParam;
    EXPECT_TRUE(IsWindow(Window(0)) && IsWindow(Window(2)));
    EXPECT_TRUE(IsWindow(save));
  }
}

TEST_F(ToolkitTest, TabMovesTheFocusThroughACaptionWindowsControls) {
  ASSERT_TRUE(toolkit_.CreateCaptionWindow(2, "Drives and Icons", 200, 100, 0));
  ASSERT_TRUE(toolkit_.CreateControl(2, Button(280, 10)));
  ASSERT_TRUE(toolkit_.CreateControl(2, Button(281, 40)));
  toolkit_.ActivateWindow(2);
  SetFocus(Control(280));
  ASSERT_EQ(GetFocus(), Control(280));
  PostMessageA(Control(280), WM_KEYDOWN, VK_TAB, 1);
  wintest::Drain(toolkit_);
  EXPECT_EQ(GetFocus(), Control(281));

  // Away and back (a change lays the LED window out, which takes the activation): the control
  // keeps the keyboard.
  toolkit_.ActivateWindow(0);
  toolkit_.ActivateWindow(2);
  EXPECT_EQ(GetFocus(), Control(281));
}

// Finds the colour dialog that this thread opens over `owner` and presses one of its buttons.
class ColorDialogAnswer {
 public:
  ColorDialogAnswer(HWND owner, int button)
      : thread_([this, owner, button, self = GetCurrentThreadId()] {
          for (int i = 0; i < 250 && !found_; ++i) {
            Sleep(20);
            Search search{owner, nullptr};
            EnumThreadWindows(self, &Find, reinterpret_cast<LPARAM>(&search));
            if (search.dialog == nullptr) continue;
            found_ = true;
            PostMessageA(search.dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
          }
        }) {}
  ~ColorDialogAnswer() { Join(); }
  bool Join() {
    if (thread_.joinable()) thread_.join();
    return found_;
  }

 private:
  struct Search {
    HWND owner;
    HWND dialog;
  };
  static BOOL CALLBACK Find(HWND hwnd, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    if (std::string(name) != "#32770" || GetWindow(hwnd, GW_OWNER) != search.owner) return TRUE;
    search.dialog = hwnd;
    return FALSE;
  }

  std::atomic<bool> found_{false};
  std::thread thread_;
};

TEST_F(ToolkitTest, ColorDialogOpensAtTheInitialColourOverItsOwner) {
  ASSERT_TRUE(toolkit_.CreateCaptionWindow(2, "Drives and Icons", 200, 100, 0));
  const Color initial = MakeColor(0x12, 0x80, 0xF0);
  const Color untouched = MakeColor(1, 2, 3);
  const struct {
    int button;
    bool answer;
    Color chosen;
  } cases[] = {{IDOK, true, initial}, {IDCANCEL, false, untouched}};
  for (const auto& c : cases) {
    ColorDialogAnswer answer(Window(2), c.button);
    Color chosen = untouched;
    EXPECT_EQ(toolkit_.ChooseColor(2, initial, chosen), c.answer);
    ASSERT_TRUE(answer.Join()) << "no colour dialog owned by the window";
    EXPECT_EQ(chosen, c.chosen) << std::hex << chosen;
  }
}

}  // namespace
}  // namespace glint
