// The window move on the real user32: a press on an icon hands the window to the system's move
// loop, which follows the mouse until the button is released.
#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>

#include "win_test_support.h"

namespace glint {
namespace {

using wintest::ToolkitTest;

void InjectButton(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof(input));
}

void InjectMoveTo(POINT to) {
  // Absolute input counts 0..65535 across the primary screen.
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(to.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  input.mi.dy = MulDiv(to.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
}

bool InMoveLoop(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

TEST_F(ToolkitTest, MoveWindowWithMouseFollowsThePointerUntilTheRelease) {
  // As the LED window: an icon over a shown window, clicks reported.
  ASSERT_TRUE(toolkit_.CreateImage(1, 18, 18));
  ASSERT_TRUE(toolkit_.CreateImageControl(0, 1, 0, 0, 18, 18, 1));
  ASSERT_TRUE(toolkit_.SetWindowPos(0, ZOrder::kTopmost, 200, 150, 18, 18, swp::kShowWindow));
  toolkit_.SetForegroundWindow(0);
  wintest::PumpFor(toolkit_, 100);
  POINT saved{};
  GetCursorPos(&saved);

  // The press reaches the icon through the pump, as in the program's main loop; the move loop
  // takes its starting point from that message.
  ASSERT_TRUE(SetCursorPos(209, 159));
  POINT start{};
  GetCursorPos(&start);
  InjectButton(MOUSEEVENTF_LEFTDOWN);
  bool pressed = false;
  for (DWORD begin = GetTickCount(); !pressed && GetTickCount() - begin < 3000; Sleep(5)) {
    for (const Event& event : wintest::DrainDecoded(toolkit_))
      pressed = pressed || event == Event::Control(1);
  }
  if (!pressed) InjectButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(pressed) << "the press on the icon was not reported";

  // The mover always releases the button, and presses Escape should the loop outlive it, so
  // that the loop cannot hang the suite.
  const DWORD self = GetCurrentThreadId();
  HWND hwnd = Window();
  std::atomic<bool> released{false};
  std::atomic<bool> returned{false};
  bool sawLoop = false;
  POINT end{};
  std::thread mover([&] {
    for (DWORD begin = GetTickCount(); !sawLoop && GetTickCount() - begin < 3000; Sleep(5))
      sawLoop = InMoveLoop(self);
    for (POINT to : {POINT{240, 180}, POINT{300, 240}, POINT{309, 259}}) {
      InjectMoveTo(to);
      Sleep(30);
    }
    GetCursorPos(&end);
    released = true;
    InjectButton(MOUSEEVENTF_LEFTUP);
    for (DWORD begin = GetTickCount(); !returned && GetTickCount() - begin < 3000;) Sleep(5);
    if (!returned) PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  toolkit_.MoveWindowWithMouse(0);
  const bool returnedAfterRelease = released;
  returned = true;
  mover.join();
  SetCursorPos(saved.x, saved.y);

  EXPECT_TRUE(sawLoop) << "the system's move loop did not run";
  EXPECT_TRUE(returnedAfterRelease) << "returned while the button was still down";
  EXPECT_FALSE(InMoveLoop(self));
  const int dx = end.x - start.x;
  const int dy = end.y - start.y;
  EXPECT_GT(dx, 50);  // the pointer did move
  Rect outer;
  ASSERT_TRUE(toolkit_.WindowRect(0, outer));
  EXPECT_EQ(std::make_pair(outer.left, outer.top), std::make_pair(200 + dx, 150 + dy));
  EXPECT_EQ(std::make_pair(outer.Width(), outer.Height()), std::make_pair(18, 18));
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace glint
