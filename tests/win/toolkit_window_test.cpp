// Windows, controls, menus and message boxes on the real user32.
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "win_test_support.h"

namespace glint {
namespace {

using wintest::ToolkitTest;

SIZE ClientSize(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.right, r.bottom};
}

std::string Text(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

LONG ExStyle(HWND hwnd) {
  return GetWindowLongA(hwnd, GWL_EXSTYLE);
}

TEST_F(ToolkitTest, PopupIsHiddenBorderlessAndSizedByItsClientArea) {
  HWND hwnd = Window();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(toolkit_.IsWindowVisible(0));
  // Windows adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & ~WS_CLIPSIBLINGS, static_cast<LONG>(WS_POPUP));
  EXPECT_EQ(ClientSize(hwnd).cx, 8);
  EXPECT_EQ(ClientSize(hwnd).cy, 8);
  Rect outer;
  ASSERT_TRUE(toolkit_.WindowRect(0, outer));
  EXPECT_EQ(outer, (Rect{100, 120, 108, 128}));
  EXPECT_EQ(Text(hwnd), "Glintbox test");
  EXPECT_TRUE(GetClassLongA(hwnd, GCL_STYLE) & CS_DBLCLKS);
  EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
}

TEST_F(ToolkitTest, PlacementBandAndExtendedStyles) {
  ASSERT_TRUE(toolkit_.SetWindowPos(0, ZOrder::kTop, 10, 20, 53, 18, swp::kShowWindow));
  Rect outer;
  ASSERT_TRUE(toolkit_.WindowRect(0, outer));
  EXPECT_EQ(outer, (Rect{10, 20, 63, 38}));  // outer size = client size without a frame
  EXPECT_TRUE(toolkit_.IsWindowVisible(0));

  const unsigned keep = swp::kNoMove | swp::kNoSize;
  ASSERT_TRUE(toolkit_.SetWindowPos(0, ZOrder::kTopmost, 0, 0, 0, 0, keep));
  EXPECT_TRUE(ExStyle(Window()) & WS_EX_TOPMOST);
  ASSERT_TRUE(toolkit_.SetWindowPos(0, ZOrder::kNoTopmost, 0, 0, 0, 0, keep));
  EXPECT_FALSE(ExStyle(Window()) & WS_EX_TOPMOST);
  ASSERT_TRUE(toolkit_.SetWindowPos(0, ZOrder::kNone, 30, 40, 0, 0, swp::kNoSize));
  ASSERT_TRUE(toolkit_.WindowRect(0, outer));
  EXPECT_EQ(outer, (Rect{30, 40, 83, 58}));

  SetWindowLongA(Window(), GWL_EXSTYLE, WS_EX_CLIENTEDGE);
  ASSERT_TRUE(toolkit_.SetWindowAlpha(0, 128));  // a layered tool window, nothing else
  EXPECT_EQ(ExStyle(Window()) & ~WS_EX_TOPMOST, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(Window(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  toolkit_.AddToolWindowStyle(0);  // keeps the layered style, unlike SetToolWindowStyle
  EXPECT_EQ(ExStyle(Window()) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW),
            WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  toolkit_.SetToolWindowStyle(0);
  EXPECT_EQ(ExStyle(Window()) & ~WS_EX_TOPMOST, WS_EX_TOOLWINDOW);

  Rect work;
  ASSERT_TRUE(toolkit_.WorkAreaNearWindow(0, work));
  EXPECT_LE(work.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GT(work.Height(), 0);
}

TEST_F(ToolkitTest, ReplacingAndReleasingTakeEverythingAlong) {
  ASSERT_TRUE(toolkit_.CreateImage(1, 18, 18));
  ASSERT_TRUE(toolkit_.CreateImageControl(0, 1, 0, 0, 18, 18, 1));
  int fired = 0;
  ASSERT_TRUE(toolkit_.SetTimer(0, 1, 10, [&] { ++fired; }));
  HWND old = Window();
  HWND oldControl = Control(1);

  ASSERT_TRUE(toolkit_.CreatePopupWindow(0, "again", 0, 0, 8, 8));
  EXPECT_FALSE(IsWindow(old));
  EXPECT_FALSE(IsWindow(oldControl));
  EXPECT_TRUE(IsWindow(Window()));
  EXPECT_FALSE(toolkit_.ControlExists(1));
  wintest::PumpFor(toolkit_, 100);
  EXPECT_EQ(fired, 0);

  ASSERT_TRUE(toolkit_.CreateNumberedFont(3, "Tahoma", 8, 400, 96));
  ASSERT_TRUE(toolkit_.CreatePopupMenu(0));
  ASSERT_TRUE(toolkit_.CreateImageControl(0, 2, 0, 0, 18, 18, 1));
  HWND current = Window();
  HMENU menu = static_cast<HMENU>(toolkit_.NativeMenu(0));
  toolkit_.ReleaseAll();
  EXPECT_FALSE(IsWindow(current));
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_FALSE(toolkit_.WindowExists(0));
  EXPECT_FALSE(toolkit_.ControlExists(2));
  EXPECT_FALSE(toolkit_.FontExists(3));
  EXPECT_FALSE(toolkit_.Image(1));
}

TEST_F(ToolkitTest, UnknownNumbersAreRefusedHarmlessly) {
  Rect rect{1, 2, 3, 4};
  EXPECT_FALSE(toolkit_.WindowRect(9, rect));
  EXPECT_FALSE(toolkit_.WorkAreaNearWindow(9, rect));
  EXPECT_EQ(rect, (Rect{1, 2, 3, 4}));
  EXPECT_FALSE(toolkit_.SetWindowAlpha(9, 10));
  EXPECT_FALSE(toolkit_.CreateImageControl(9, 1, 0, 0, 1, 1, 1));
  EXPECT_FALSE(toolkit_.SetTimer(9, 1, 50, [] {}));
  EXPECT_FALSE(toolkit_.SetTimer(0, 1, 50, nullptr));
  EXPECT_FALSE(toolkit_.AddTrayIcon(0, 0, 99, 12501));
  ASSERT_TRUE(toolkit_.CreateImage(200, 16, 16));
  EXPECT_FALSE(toolkit_.AddTrayIcon(0, 0, 200, WM_LBUTTONDOWN));  // a system message
  EXPECT_EQ(toolkit_.ControlText(99), "");
  EXPECT_FALSE(toolkit_.IsControlChecked(99));
  EXPECT_EQ(toolkit_.TrackbarPos(99), 0);
  const std::string_view cells[] = {"C:"};
  EXPECT_EQ(toolkit_.AddListRow(99, cells, 0, 0), -1);
  toolkit_.SelectRadioButton(99);
  toolkit_.EnableControl(99, false);
  EXPECT_EQ(toolkit_.TextWidth(9, "x"), 0);
  toolkit_.SetControlFont(99, 9);
  toolkit_.SetControlTooltip(99, "x");
  toolkit_.DrawString(9, 9, 0, 0, "x", 0);
  toolkit_.SetMenuItemChecked(9, 1, true);
  toolkit_.TrackPopupMenu(9, 0, 0, 0);
  toolkit_.SetTrayTooltip(9, "x");
  toolkit_.MoveWindowWithMouse(9);
  EXPECT_TRUE(toolkit_.WindowExists(0));
}

TEST_F(ToolkitTest, ImageControlKeepsItsSizeAndFollowsItsImage) {
  ASSERT_TRUE(toolkit_.CreateImage(1, 10, 10));
  ASSERT_TRUE(toolkit_.CreateImage(2, 40, 40));
  ASSERT_TRUE(toolkit_.CreateImageControl(0, 3, 5, -65535, 18, 18, 1));
  HWND icon = Control(3);
  const auto shown = [&] {
    return reinterpret_cast<void*>(SendMessageA(icon, STM_GETIMAGE, IMAGE_BITMAP, 0));
  };
  EXPECT_EQ(GetDlgCtrlID(icon), 3);
  EXPECT_TRUE(GetWindowLongA(icon, GWL_STYLE) & SS_NOTIFY);
  EXPECT_EQ(GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
  EXPECT_EQ(shown(), toolkit_.NativeImage(1));
  EXPECT_EQ(ClientSize(icon).cx, 18);
  EXPECT_EQ(ClientSize(icon).cy, 18);

  toolkit_.SetControlImage(3, 2);
  EXPECT_EQ(shown(), toolkit_.NativeImage(2));
  EXPECT_EQ(ClientSize(icon).cx, 18);
  toolkit_.MoveControl(3, 0, 0, 24, 24);
  toolkit_.SetControlImage(3, 1);
  EXPECT_EQ(ClientSize(icon).cx, 24);
  EXPECT_EQ(ClientSize(icon).cy, 24);

  // A new image under the number replaces the old bitmap in the control; none is left behind.
  ASSERT_TRUE(toolkit_.CreateImage(1, 24, 24));
  EXPECT_EQ(shown(), toolkit_.NativeImage(1));
  toolkit_.DestroyImage(1);
  EXPECT_EQ(shown(), nullptr);
  ASSERT_TRUE(toolkit_.CreateImage(1, 24, 24));  // the control still shows number 1
  EXPECT_EQ(shown(), toolkit_.NativeImage(1));
  EXPECT_EQ(ClientSize(icon).cx, 24);

  toolkit_.ShowControl(3, false);
  EXPECT_FALSE(GetWindowLongA(icon, GWL_STYLE) & WS_VISIBLE);
  toolkit_.DestroyControl(3);
  EXPECT_FALSE(IsWindow(icon));
  EXPECT_FALSE(toolkit_.ControlExists(3));
}

TEST_F(ToolkitTest, ButtonTextFontAndTooltips) {
  ASSERT_TRUE(toolkit_.CreateNumberedFont(2, "Arial", 6, 700, 96));
  ASSERT_TRUE(toolkit_.CreateButton(0, 5000, 0, 0, 8, 18, "|"));
  HWND button = Control(5000);
  EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
  EXPECT_EQ(Text(button), "|");
  toolkit_.SetControlFont(5000, 2);
  EXPECT_EQ(reinterpret_cast<void*>(SendMessageA(button, WM_GETFONT, 0, 0)),
            toolkit_.NativeFont(2));
  ASSERT_TRUE(toolkit_.CreateNumberedFont(2, "Arial", 7, 700, 96));  // the button follows
  EXPECT_EQ(reinterpret_cast<void*>(SendMessageA(button, WM_GETFONT, 0, 0)),
            toolkit_.NativeFont(2));

  ASSERT_TRUE(toolkit_.CreateImage(1, 18, 18));
  ASSERT_TRUE(toolkit_.CreateImageControl(0, 1, 0, 0, 18, 18, 1));
  toolkit_.SetControlTooltip(5000, "Click to minimize");
  toolkit_.SetControlTooltip(1, "C:\\ No Label [NTFS]");
  toolkit_.SetControlTooltip(5000, "changed");
  HWND tip = static_cast<HWND>(toolkit_.NativeTooltip(0));
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), Window());
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  char text[80] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM);
  tool.hwnd = Window();
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "changed");
  toolkit_.DestroyControl(1);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(ToolkitTest, MenuItemsAndCheckMarks) {
  ASSERT_TRUE(toolkit_.CreatePopupMenu(0));
  toolkit_.AppendMenuItem(0, 7, "Lock/Unlock Window Position");
  toolkit_.AppendMenuSeparator(0);
  toolkit_.AppendMenuItem(0, 10, "Always Show TrayIcon");
  HMENU menu = static_cast<HMENU>(toolkit_.NativeMenu(0));
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);

  const struct {
    int item;
    bool checked;
    bool expect7;
    bool expect10;
  } steps[] = {{7, true, true, false}, {10, true, true, true}, {7, false, false, true}};
  for (const auto& step : steps) {
    toolkit_.SetMenuItemChecked(0, step.item, step.checked);
    EXPECT_EQ(toolkit_.IsMenuItemChecked(0, 7), step.expect7);
    EXPECT_EQ(toolkit_.IsMenuItemChecked(0, 10), step.expect10);
    EXPECT_EQ((GetMenuState(menu, 7, MF_BYCOMMAND) & MF_CHECKED) != 0, step.expect7);
  }
  EXPECT_FALSE(toolkit_.IsMenuItemChecked(0, 99));

  ASSERT_TRUE(toolkit_.CreatePopupMenu(0));
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(GetMenuItemCount(static_cast<HMENU>(toolkit_.NativeMenu(0))), 0);
}

TEST_F(ToolkitTest, MessageBoxIsModalToEveryWindowOfTheProgram) {
  ASSERT_TRUE(toolkit_.CreatePopupWindow(1, "other", 300, 300, 8, 8));
  const unsigned show = swp::kNoMove | swp::kNoSize | swp::kShowWindow;
  toolkit_.SetWindowPos(1, ZOrder::kTopmost, 0, 0, 0, 0, show);
  toolkit_.SetWindowPos(0, ZOrder::kTopmost, 0, 0, 0, 0, show);
  toolkit_.SetForegroundWindow(0);
  HWND foreground = GetForegroundWindow();
  HWND other = foreground == Window(0) ? Window(1) : Window(0);

  HWND owner = nullptr;
  bool otherEnabled = true;
  bool otherTopmost = true;
  bool found = false;
  std::thread watcher([&] {
    for (int i = 0; i < 500 && !found; ++i) {
      Sleep(20);
      HWND box = FindWindowA("#32770", "Glintbox box test");
      if (box == nullptr) continue;
      found = true;
      owner = GetWindow(box, GW_OWNER);
      otherEnabled = IsWindowEnabled(other);
      otherTopmost = ExStyle(other) & WS_EX_TOPMOST;
      PostMessageA(box, WM_COMMAND, IDNO, 0);
    }
  });
  const int answer =
      toolkit_.ShowMessageBox("Glintbox box test", "Question?", mb::kYesNo | mb::kIconQuestion);
  watcher.join();
  ASSERT_TRUE(found);
  EXPECT_EQ(answer, mb::kIdNo);
  if (foreground == Window(0) || foreground == Window(1)) {
    EXPECT_EQ(owner, foreground);
  }
  EXPECT_FALSE(otherEnabled);
  EXPECT_FALSE(otherTopmost);
  for (int window : {0, 1}) {
    EXPECT_TRUE(IsWindowEnabled(Window(window)));
    EXPECT_TRUE(ExStyle(Window(window)) & WS_EX_TOPMOST);
  }
}

}  // namespace
}  // namespace glint
