// The event pump: timers, commands, tray notifications and the icon controls' own events.
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "win_test_support.h"

namespace glint {
namespace {

using wintest::Drain;
using wintest::ToolkitTest;
using Events = std::vector<Event>;

constexpr UINT kTrayMessage = 12501;

TEST_F(ToolkitTest, TimersFireReplaceAndStop) {
  int first = 0;
  ASSERT_TRUE(toolkit_.SetTimer(0, 1, 50, [&] { ++first; }));
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 1000) {
    const Event event = toolkit_.WaitEvent();
    EXPECT_EQ(event, Event::Raw(msg::kTimer));
  }
  EXPECT_GE(first, 5);  // 20 expected; timing is not what this checks

  int second = 0;
  ASSERT_TRUE(toolkit_.SetTimer(0, 1, 20, [&] { ++second; }));
  first = 0;
  wintest::PumpFor(toolkit_, 300);
  EXPECT_EQ(first, 0);
  EXPECT_GT(second, 0);

  toolkit_.KillTimer(0, 1);
  wintest::PumpFor(toolkit_, 50);
  second = 0;
  wintest::PumpFor(toolkit_, 200);
  EXPECT_EQ(second, 0);

  // A callback may stop its own timer.
  int once = 0;
  ASSERT_TRUE(toolkit_.SetTimer(0, 2, 10, [&] {
    ++once;
    toolkit_.KillTimer(0, 2);
  }));
  wintest::PumpFor(toolkit_, 200);
  EXPECT_EQ(once, 1);
}

TEST_F(ToolkitTest, CommandsBecomeControlAndMenuEvents) {
  ASSERT_TRUE(toolkit_.CreateImage(1, 18, 18));
  ASSERT_TRUE(toolkit_.CreateImageControl(0, 1, 0, 0, 18, 18, 1));
  ASSERT_TRUE(toolkit_.CreateButton(0, 70000, 0, 0, 8, 8, "|"));  // wider than a WORD
  const auto icon = reinterpret_cast<LPARAM>(Control(1));
  const auto button = reinterpret_cast<LPARAM>(Control(70000));
  const struct {
    WPARAM wParam;
    LPARAM lParam;
    Event expected;
  } cases[] = {
      {MAKEWPARAM(1, STN_CLICKED), icon, Event::Control(1)},
      {MAKEWPARAM(1, STN_DBLCLK), icon, Event::Raw(WM_COMMAND)},
      {MAKEWPARAM(70000 & 0xFFFF, BN_CLICKED), button, Event::Control(70000)},
      {MAKEWPARAM(9, 0), 0, Event::Menu(9)},
      {MAKEWPARAM(9, 1), 0, Event::Raw(WM_COMMAND)},  // an accelerator
  };
  for (const auto& c : cases) {
    PostMessageA(Window(), WM_COMMAND, c.wParam, c.lParam);
    EXPECT_EQ(Drain(toolkit_), Events{c.expected});
  }
}

TEST_F(ToolkitTest, IconMouseMessagesComeFirstTheirEventsAfter) {
  ASSERT_TRUE(toolkit_.CreateImage(1, 18, 18));
  ASSERT_TRUE(toolkit_.CreateImageControl(0, 1, 0, 0, 18, 18, 1));
  const struct {
    UINT message;
    Events expected;
  } cases[] = {
      {WM_LBUTTONDBLCLK, {Event::Raw(msg::kLButtonDblClk), Event::Control(1, kControlDoubleClick)}},
      {WM_RBUTTONUP, {Event::Raw(msg::kRButtonUp), Event::Control(1, kControlRightClick)}},
      {WM_LBUTTONDOWN, {Event::Control(1, kControlClicked)}},  // STN_CLICKED
      {WM_RBUTTONDOWN, {Event::Raw(msg::kRButtonDown)}},
  };
  for (const auto& c : cases) {
    PostMessageA(Control(1), c.message, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Drain(toolkit_), c.expected) << c.message;
  }

  // The queued event is delivered without waiting for another message.
  PostMessageA(Control(1), WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(toolkit_.WaitEvent(), Event::Raw(msg::kLButtonDblClk));
  EXPECT_EQ(toolkit_.WaitEvent(), Event::Control(1, kControlDoubleClick));
}

TEST_F(ToolkitTest, EventsRaisedOutsideThePumpWaitInTheQueue) {
  Drain(toolkit_);
  Event event;
  EXPECT_FALSE(toolkit_.PollEvent(event));
  // As a nested loop (a menu, a message box) would deliver them.
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(3, 0), 0);
  SendMessageA(Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(toolkit_.WaitEvent(), Event::Menu(3));
  ASSERT_TRUE(toolkit_.PollEvent(event));
  EXPECT_EQ(event, Event::Close(0));
  EXPECT_FALSE(toolkit_.PollEvent(event));
}

TEST_F(ToolkitTest, NotificationSentFromAnotherThreadWakesTheWait) {
  // A timer bounds the wait should the wake-up not work.
  ASSERT_TRUE(toolkit_.SetTimer(0, 9, 3000, [] {}));
  HWND window = Window();
  std::thread sender([window] {
    Sleep(100);
    SendMessageA(window, WM_CLOSE, 0, 0);
  });
  Event event = toolkit_.WaitEvent();
  if (event.kind == EventKind::kRaw) {
    EXPECT_EQ(event, Event::Raw(WM_NULL));
    event = toolkit_.WaitEvent();
  }
  sender.join();
  EXPECT_EQ(event, Event::Close(0));
}

// One test, as the notification area takes seconds to hide under Wine.
TEST_F(ToolkitTest, TrayIconReportsItsClicksAndComesAndGoes) {
  ASSERT_TRUE(toolkit_.CreateImage(200, 32, 32));
  if (!toolkit_.AddTrayIcon(4, 0, 200, kTrayMessage)) GTEST_SKIP() << "no notification area";
  NOTIFYICONDATAA data{};
  data.cbSize = offsetof(NOTIFYICONDATAA, szTip) + 64;
  data.hWnd = Window();
  data.uID = 4;
  data.uFlags = NIF_TIP;
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));  // the shell knows it
  toolkit_.SetTrayTooltip(4, std::string(100, 'x'));  // cut to 63 characters

  const struct {
    UINT mouse;
    Event expected;
  } cases[] = {
      {WM_LBUTTONDOWN, Event::Tray(kTrayLeftPress, 4)},
      {WM_RBUTTONDOWN, Event::Tray(kTrayRightPress, 4)},
      {WM_LBUTTONDBLCLK, Event::Tray(kTrayLeftDoubleClick, 4)},
      {WM_RBUTTONDBLCLK, Event::Tray(kTrayRightDoubleClick, 4)},
      {WM_MOUSEMOVE, Event::Raw(kTrayMessage)},
      {WM_LBUTTONUP, Event::Raw(kTrayMessage)},
      {WM_RBUTTONUP, Event::Raw(kTrayMessage)},
  };
  for (const auto& c : cases) {
    PostMessageA(Window(), kTrayMessage, 4, c.mouse);
    EXPECT_EQ(Drain(toolkit_), Events{c.expected}) << c.mouse;
  }
  // Only the icon's own message, and only at its owner.
  ASSERT_TRUE(toolkit_.CreatePopupWindow(1, "other", 0, 0, 8, 8));
  PostMessageA(Window(), kTrayMessage + 1, 4, WM_LBUTTONDOWN);
  PostMessageA(Window(1), kTrayMessage, 4, WM_LBUTTONDOWN);
  EXPECT_EQ(Drain(toolkit_), (Events{Event::Raw(kTrayMessage + 1), Event::Raw(kTrayMessage)}));

  toolkit_.RemoveTrayIcon(4);
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
  PostMessageA(Window(), kTrayMessage, 4, WM_LBUTTONDOWN);
  EXPECT_EQ(Drain(toolkit_), Events{Event::Raw(kTrayMessage)});
  ASSERT_TRUE(toolkit_.AddTrayIcon(4, 0, 200, kTrayMessage));
  toolkit_.DestroyWindow(0);  // takes its icon along
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
}

}  // namespace
}  // namespace glint
