// Drive discovery and sampling over the real Win32 API: the prefix's drives through the program's
// own code, and the sampler timer through the real message pump.
#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "app/timers.h"
#include "core/app.h"
#include "core/numbers.h"
#include "ledwindow/led_window.h"
#include "monitor/activity_query.h"
#include "monitor/discovery.h"
#include "monitor/sampler.h"
#include "platform/win32/file_counters_disk.h"
#include "platform/win32/win32_disk.h"
#include "platform/win32/win32_system.h"
#include "settings/defaults.h"
#include "settings/record_rules.h"
#include "win_test_support.h"

namespace glint {
namespace {

constexpr UINT kToolInfoSize = offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM);

std::string RootOf(char letter) {
  return std::string{letter, ':', '\\'};
}

// A letter that names no drive in this prefix.
char MissingLetter() {
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < kDriveCount; ++i)
    if ((drives & (1u << i)) == 0) return static_cast<char>('A' + i);
  return '\0';
}

// Window 0 (from ToolkitTest) with the 104 icon images and the 26 icon controls of start-up.
class MonitorTest : public wintest::ToolkitTest {
 protected:
  static void CreateIcons(App& app) {
    if (app.settings.iconPixels == 0) app.settings.iconPixels = 18;
    CreateIconImagesAndControls(app);
  }
  void* Shown(int control) const {
    return reinterpret_cast<void*>(SendMessageA(Control(control), STM_GETIMAGE, IMAGE_BITMAP, 0));
  }
  HWND Tooltips() const { return static_cast<HWND>(toolkit_.NativeTooltip(0)); }
  TTTOOLINFOA ToolOf(int control, char* text) const {
    TTTOOLINFOA tool{};
    tool.cbSize = kToolInfoSize;
    tool.hwnd = Window();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(control));
    tool.lpszText = text;
    return tool;
  }
  bool HasTooltip(int control) const {
    TTTOOLINFOA tool = ToolOf(control, nullptr);
    return Tooltips() != nullptr &&
           SendMessageA(Tooltips(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  }
  std::string TooltipText(int control) const {
    char text[1024] = {};
    TTTOOLINFOA tool = ToolOf(control, text);
    SendMessageA(Tooltips(), TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    return text;
  }
  // Pumps the real loop until the control shows the image; false after `ms` without it.
  bool PumpUntilShown(int control, int image, DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
      static_cast<void>(toolkit_.WaitEvent());  // the 50 ms sampler bounds the wait
      if (Shown(control) == toolkit_.NativeImage(image)) return true;
    }
    return false;
  }
};

TEST_F(MonitorTest, DiscoveryFindsThePrefixDrives) {
  Win32System system;
  Win32Disk disk;
  App app(toolkit_, disk, system);
  ApplyDefaults(app.settings);
  ComputeIconMetrics(app.settings);
  CreateIcons(app);
  const char missing = MissingLetter();
  ASSERT_NE(missing, '\0');

  DiscoverDrives(app);
  EXPECT_EQ(app.driveSetChanged, 1);
  ASSERT_EQ(app.presenceMask.size(), 26u);
  // No removable drives here: exactly the fixed ones are present.
  int present = 0;
  for (int i = 0; i < kDriveCount; ++i) {
    const char letter = static_cast<char>('A' + i);
    const bool fixed = GetDriveTypeA(RootOf(letter).c_str()) == DRIVE_FIXED;
    EXPECT_EQ(app.presenceMask[static_cast<std::size_t>(i)], fixed ? '1' : '0') << letter;
    EXPECT_EQ(HasTooltip(i + 1), fixed) << letter;
    present += fixed ? 1 : 0;
  }
  EXPECT_EQ(app.presenceMask[2], '1');   // C:
  EXPECT_EQ(app.presenceMask[25], '1');  // Z:
  EXPECT_EQ(app.presenceMask[static_cast<std::size_t>(missing - 'A')], '0');
  EXPECT_EQ(app.previousPresenceMask, app.presenceMask);
  bool typed = false;
  for (int i = 0; i < kDriveTableSize; ++i)
    typed = typed || app.driveTypeList[static_cast<std::size_t>(i)] ==
                         "C:\\|HardDisk Drive|" + std::to_string(i);
  EXPECT_TRUE(typed);

  ULARGE_INTEGER available{}, total{}, totalFree{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &totalFree));
  const std::string tip = TooltipText(3);
  EXPECT_EQ(tip.rfind("C:\\ No Label [NTFS] - Free: ", 0), 0u) << tip;
  const std::string totalText = " - Total: " + std::to_string(total.QuadPart / 1048576) + " MB";
  ASSERT_GT(tip.size(), totalText.size());
  EXPECT_EQ(tip.substr(tip.size() - totalText.size()), totalText) << tip;
  EXPECT_EQ(TooltipText(26).rfind("Z:\\ ", 0), 0u);

  // A second pass over the same drives changes nothing and adds no second tool per icon.
  app.driveSetChanged = 0;
  const std::string mask = app.presenceMask;
  DiscoverDrives(app);
  EXPECT_EQ(app.driveSetChanged, 0);
  EXPECT_EQ(app.presenceMask, mask);
  EXPECT_EQ(SendMessageA(Tooltips(), TTM_GETTOOLCOUNT, 0, 0), present);
}

TEST_F(MonitorTest, RefusedQueriesReadAsIdleAndKeepTheCounters) {
  Win32System system;
  Win32Disk disk;
  App app(toolkit_, disk, system);
  for (int slot : {3, 26, 127}) {
    app.activityQuery.lastReadCount[static_cast<std::size_t>(slot)] = 5;
    app.activityQuery.lastWriteCount[static_cast<std::size_t>(slot)] = 6;
    app.activityQuery.lastResult[static_cast<std::size_t>(slot)] = 3;
  }
  const ActivityQueryTables before = app.activityQuery;
  const std::string missing = std::string("\\\\.\\") + MissingLetter() + ":";

  EXPECT_EQ(QueryDriveActivity(app, "\\\\.\\C:", 3), 0);   // opens; no performance counters
  EXPECT_EQ(QueryDriveActivity(app, "\\\\.\\Z:", 26), 0);  // access denied
  EXPECT_EQ(QueryDriveActivity(app, missing.c_str(), 127), 0);
  EXPECT_EQ(app.activityQuery, before);
  EXPECT_EQ(QueryDriveActivity(app, "\\\\.\\C:", kQuerySlots), kSlotOutsideTables);
  EXPECT_EQ(QueryDriveActivity(app, "\\\\.\\C:", -1), kSlotOutsideTables);

  // A tick over both drives turns an icon last shown busy back to idle.
  CreateIcons(app);
  app.samplingEnabled = 1;
  app.slotRootPaths[3] = "C:\\";
  app.slotRootPaths[26] = "Z:\\";
  app.lastShownBits[3] = 1;
  toolkit_.SetControlImage(3, IconImageNumber(3, 1));
  SampleDriveActivity(app);
  EXPECT_EQ(app.currentBits[3], 0);
  EXPECT_EQ(app.currentBits[26], 0);
  EXPECT_EQ(Shown(3), toolkit_.NativeImage(3));
  EXPECT_EQ(Shown(26), toolkit_.NativeImage(26));
}

TEST_F(MonitorTest, SamplerTimerLightsTheIconThroughThePump) {
  wintest::ScratchFolder folder;
  const std::string counters = folder.Path("counters.txt");
  Win32System system;
  FileCountersDisk disk(counters);
  App app(toolkit_, disk, system);
  CreateIcons(app);
  app.slotRootPaths[3] = "C:\\";
  app.samplingEnabled = 1;
  ASSERT_TRUE(system.WriteFileFlushed(counters, "C 0 0\n"));
  // Fresh settings: the sampler and a 10 s discovery timer, nothing else.
  StartTimers(app);
  struct StopOnExit {
    App& app;
    ~StopOnExit() { StopTimers(app); }
  } stop{app};

  int timerEvents = 0;
  bool stayedIdle = true;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 1000) {
    if (toolkit_.WaitEvent() == Event::Raw(msg::kTimer)) ++timerEvents;
    stayedIdle = stayedIdle && Shown(3) == toolkit_.NativeImage(3);
  }
  EXPECT_GE(timerEvents, 10);  // 20 expected; timing is not what this checks
  EXPECT_TRUE(stayedIdle);

  // Each change shows for one tick, then the icon goes back to idle.
  const struct {
    const char* contents;
    int bits;
  } steps[] = {{"C 5 0\n", 1}, {"C 5 9\n", 2}, {"C 6 10\n", 3}};
  for (const auto& step : steps) {
    ASSERT_TRUE(system.WriteFileFlushed(counters, step.contents));
    EXPECT_TRUE(PumpUntilShown(3, IconImageNumber(3, step.bits), 400)) << step.contents;
    wintest::PumpFor(toolkit_, 150);
    EXPECT_EQ(Shown(3), toolkit_.NativeImage(3)) << step.contents;
  }

  StopTimers(app);
  EXPECT_FALSE(::KillTimer(Window(), kSampleTimer));
  EXPECT_FALSE(::KillTimer(Window(), kDiscoveryTimer));
  ASSERT_TRUE(system.WriteFileFlushed(counters, "C 7 11\n"));
  int lateTimerEvents = 0;
  const DWORD stopped = GetTickCount();
  while (GetTickCount() - stopped < 200) {
    Event event;
    while (toolkit_.PollEvent(event))
      if (event == Event::Raw(msg::kTimer)) ++lateTimerEvents;
    Sleep(5);
  }
  EXPECT_EQ(lateTimerEvents, 0);
  EXPECT_EQ(Shown(3), toolkit_.NativeImage(3));  // nobody samples any more
}

}  // namespace
}  // namespace glint
