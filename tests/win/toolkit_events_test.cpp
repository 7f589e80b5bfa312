// The event pump: timers, commands, tray notifications and the icon controls' own events.
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/win32/raii.h"
#include "win_test_support.h"

namespace glint {
namespace {

using wintest::Drain;
using wintest::ToolkitTest;
using Events = std::vector<Event>;

constexpr UINT kTrayMessage = 12501;

// Pumps until `expected` comes out (bounded), dropping everything else.
bool PumpUntil(Win32Toolkit& toolkit, const Event& expected, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    for (const Event& event : Drain(toolkit)) {
      if (event == expected) return true;
    }
    Sleep(5);
  } while (GetTickCount() - start < timeoutMs);
  return false;
}

BOOL CALLBACK CollectForeignTooltip(HWND hwnd, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  char name[32] = {};
  if (process != GetCurrentProcessId() && GetClassNameA(hwnd, name, sizeof(name)) != 0 &&
      lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
  }
  return TRUE;
}

// TTTOOLINFOA as a 64-bit shell reads it, for a 32-bit test looking into it.
struct ToolInfo64 {
  UINT cbSize;
  UINT uFlags;
  UINT64 hwnd;
  UINT64 uId;
  RECT rect;
  UINT64 hinst;
  UINT64 lpszText;
  UINT64 lParam;
  UINT64 lpReserved;
};
static_assert(sizeof(ToolInfo64) == 72);

HWND ToolWindow(const TTTOOLINFOA& tool) {
  return tool.hwnd;
}
HWND ToolWindow(const ToolInfo64& tool) {
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(tool.hwnd));
}
void SetToolText(TTTOOLINFOA& tool, char* text) {
  tool.lpszText = text;
}
void SetToolText(ToolInfo64& tool, char* text) {
  tool.lpszText = reinterpret_cast<ULONG_PTR>(text);
}

// The tool of `tooltip` (in the process `shell`) whose text is `tip`, or null. The tooltip keeps
// its text in the shell's process, so it is read through memory lent there.
template <class Tool>
HWND ToolWithTip(HANDLE shell, HWND tooltip, const std::string& tip) {
  struct Lent {
    Tool tool;
    char text[128];
  };
  auto* lent =
      static_cast<Lent*>(VirtualAllocEx(shell, nullptr, sizeof(Lent), MEM_COMMIT, PAGE_READWRITE));
  if (lent == nullptr) return nullptr;
  const auto exchange = [&](UINT message, WPARAM wParam, Lent& local) {
    if (!WriteProcessMemory(shell, lent, &local, sizeof(local), nullptr)) return false;
    SendMessageA(tooltip, message, wParam, reinterpret_cast<LPARAM>(&lent->tool));
    return ReadProcessMemory(shell, lent, &local, sizeof(local), nullptr) != FALSE;
  };
  HWND found = nullptr;
  const int tools = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < tools && found == nullptr; ++i) {
    Lent local{};
    local.tool.cbSize = sizeof(local.tool);
    if (!exchange(TTM_ENUMTOOLSA, i, local)) continue;
    SetToolText(local.tool, lent->text);
    if (!exchange(TTM_GETTEXTA, sizeof(local.text), local)) continue;
    local.text[sizeof(local.text) - 1] = '\0';
    if (tip == local.text) found = ToolWindow(local.tool);
  }
  VirtualFreeEx(shell, lent, 0, MEM_RELEASE);
  return found;
}

// The window of the shell's tray icon showing `tip`, or null. Wine's notification area gives
// each icon a tooltip whose tool is the icon's window.
HWND ShellTrayIconWithTip(const std::string& tip) {
  std::vector<HWND> tooltips;
  EnumWindows(&CollectForeignTooltip, reinterpret_cast<LPARAM>(&tooltips));
  BOOL selfIs32On64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &selfIs32On64);
  for (HWND tooltip : tooltips) {
    DWORD process = 0;
    GetWindowThreadProcessId(tooltip, &process);
    win32::UniqueHandle shell(OpenProcess(
        PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
        FALSE, process));
    if (!shell) continue;
    BOOL shellIs32On64 = FALSE;
    IsWow64Process(shell.Get(), &shellIs32On64);
    const HWND found = selfIs32On64 && !shellIs32On64
                           ? ToolWithTip<ToolInfo64>(shell.Get(), tooltip, tip)
                           : ToolWithTip<TTTOOLINFOA>(shell.Get(), tooltip, tip);
    if (found != nullptr) return found;
  }
  return nullptr;
}

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
  // Not the toolkit's, though its ID is the icon's number.
  HWND foreign = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 4, 4, Window(),
                                 reinterpret_cast<HMENU>(1), nullptr, nullptr);
  ASSERT_NE(foreign, nullptr);
  const struct {
    HWND target;
    UINT message;
    Events expected;
  } cases[] = {
      {Control(1),
       WM_LBUTTONDBLCLK,
       {Event::Raw(msg::kLButtonDblClk, 1), Event::Control(1, kControlDoubleClick)}},
      {Control(1),
       WM_RBUTTONUP,
       {Event::Raw(msg::kRButtonUp, 1), Event::Control(1, kControlRightClick)}},
      {Control(1), WM_LBUTTONDOWN, {Event::Control(1, kControlClicked)}},  // STN_CLICKED
      {Control(1), WM_RBUTTONDOWN, {Event::Raw(msg::kRButtonDown, 1)}},
      // The background and other windows name no control.
      {Window(), WM_LBUTTONDBLCLK, {Event::Raw(msg::kLButtonDblClk, 0)}},
      {foreign, WM_LBUTTONDBLCLK, {Event::Raw(msg::kLButtonDblClk, 0)}},
  };
  for (const auto& c : cases) {
    PostMessageA(c.target, c.message, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Drain(toolkit_), c.expected) << "case " << &c - cases;
  }

  // The queued event is delivered without waiting for another message.
  PostMessageA(Control(1), WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(toolkit_.WaitEvent(), Event::Raw(msg::kLButtonDblClk, 1));
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
  ASSERT_TRUE(toolkit_.CreatePopupWindow(1, "other", 0, 0, 8, 8));
  // Wine hides the notification area whenever its last icon goes, 2 s each time without a window
  // manager: another window's icon keeps it up until the end.
  NOTIFYICONDATAA other{};
  other.cbSize = offsetof(NOTIFYICONDATAA, szTip) + 64;
  other.hWnd = Window(1);
  other.uFlags = NIF_ICON;
  other.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  if (!Shell_NotifyIconA(NIM_ADD, &other)) GTEST_SKIP() << "no notification area";
  const struct Remove {
    NOTIFYICONDATAA* data;
    ~Remove() { Shell_NotifyIconA(NIM_DELETE, data); }
  } keptUp{&other};

  ASSERT_TRUE(toolkit_.AddTrayIcon(4, 0, 200, kTrayMessage));
  NOTIFYICONDATAA data{};
  data.cbSize = offsetof(NOTIFYICONDATAA, szTip) + 64;
  data.hWnd = Window();
  data.uID = 4;
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));  // no flags: only whether the shell knows it
  toolkit_.SetTrayTooltip(4, std::string(70, 'x'));
  const std::string tip(63, 'x');  // all that the 64 bytes of the first shell's tip hold
  EXPECT_NE(ShellTrayIconWithTip(tip), nullptr);

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
  PostMessageA(Window(), kTrayMessage + 1, 4, WM_LBUTTONDOWN);
  PostMessageA(Window(1), kTrayMessage, 4, WM_LBUTTONDOWN);
  EXPECT_EQ(Drain(toolkit_), (Events{Event::Raw(kTrayMessage + 1), Event::Raw(kTrayMessage)}));

  // A restarted shell knows no icons until it broadcasts TaskbarCreated; then ours is back with
  // its tooltip, and its clicks reach the owner again.
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
  SendMessageA(Window(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
  HWND shellIcon = ShellTrayIconWithTip(tip);
  ASSERT_NE(shellIcon, nullptr);
  PostMessageA(shellIcon, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(PumpUntil(toolkit_, Event::Tray(kTrayLeftPress, 4), 2000));

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
