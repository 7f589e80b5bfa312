// Months of use in minutes, on the real platform: the program's own start-up, then the paths that
// run again and again while it stays up (the sampler tick, the window's rebuild, the icons'
// render, both configuration windows, the tray) many times over. After the first cycle of each
// part, no GDI, USER or kernel object may be added by the others, nor memory beyond a small
// bound.
//
// The soak runs in a copy of this binary, glintbox_soak.exe, that Wine is told not to hand to a
// window manager (a setting of that program name only): without one, Wine otherwise waits about
// 2 s at every hide, and every rebuild hides the window once. GLINTBOX_SOAK=full selects the
// long run.
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <psapi.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/startup.h"
#include "core/app.h"
#include "core/numbers.h"
#include "ledwindow/layout.h"
#include "ledwindow/led_window.h"
#include "ledwindow/render.h"
#include "monitor/sampler.h"
#include "platform/win32/file_counters_disk.h"
#include "platform/win32/raii.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_toolkit.h"
#include "settings/defaults.h"
#include "settings/settings_file.h"
#include "win_test_support.h"

namespace glint {
namespace {

namespace di = drives_and_icons;
namespace wo = window_options;

constexpr char kSoakExe[] = "glintbox_soak.exe";
constexpr char kChildVariable[] = "GLINTBOX_SOAK_CHILD";
constexpr char kManagedKey[] = "Software\\Wine\\AppDefaults\\glintbox_soak.exe\\X11 Driver";

// --- What the process holds ----------------------------------------------------------------------

// Wine 8 answers 0 to GetGuiResources and GetProcessHandleCount. Its own tables are counted
// then: a handle whose upper word is 0 names whatever lives at that index of the GDI or USER
// handle table, and NtQuerySystemInformation lists the kernel handles of every process.
bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

DWORD GdiTableObjects() {
  DWORD count = 0;
  for (ULONG_PTR index = 1; index <= 0xFFFF; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  EnumChildWindows(hwnd, &CountChild, count);  // every descendant
  return TRUE;
}

// Windows of this (single-threaded) process, then menus, icons and cursors: user handles are
// 0x20 plus twice their index.
DWORD UserTableObjects() {
  DWORD count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&count));
  for (ULONG_PTR value = 0x20; value <= 0xFFFE; value += 2) {
    if (IsMenu(reinterpret_cast<HMENU>(value))) ++count;
    ICONINFO info{};
    if (GetIconInfo(reinterpret_cast<HICON>(value), &info)) {
      ++count;
      if (info.hbmMask) DeleteObject(info.hbmMask);  // copies made for the caller
      if (info.hbmColor) DeleteObject(info.hbmColor);
    }
  }
  return count;
}

struct HandleEntry {
  ULONG ownerProcess;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  PVOID object;
  ULONG access;
};

DWORD ListedKernelHandles() {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return 0;
  constexpr ULONG kSystemHandleInformation = 16;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<std::uint64_t> buffer(8192);
  for (;;) {
    const auto bytes = static_cast<ULONG>(buffer.size() * sizeof(buffer[0]));
    const LONG status = query(kSystemHandleInformation, buffer.data(), bytes, nullptr);
    if (status == kInfoLengthMismatch) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != 0) return 0;
    break;
  }
  // The entries follow the count at a pointer's alignment: after 4 bytes on 32-bit, 8 on 64-bit.
  struct Table {
    ULONG entries;
    HandleEntry entry[1];
  };
  const auto* table = reinterpret_cast<const Table*>(buffer.data());
  const ULONG entries = table->entries;
  const HandleEntry* entry = table->entry;
  DWORD count = 0;
  for (ULONG i = 0; i < entries; ++i)
    if (entry[i].ownerProcess == GetCurrentProcessId()) ++count;
  return count;
}

struct Objects {
  DWORD gdi = 0;
  DWORD user = 0;
  DWORD handles = 0;
  friend bool operator==(const Objects&, const Objects&) = default;
};

Objects CountObjects() {
  HANDLE self = GetCurrentProcess();
  Objects objects;
  objects.gdi = GetGuiResources(self, GR_GDIOBJECTS);
  objects.user = GetGuiResources(self, GR_USEROBJECTS);
  if (!GetProcessHandleCount(self, &objects.handles)) objects.handles = 0;
  if (objects.gdi == 0) objects.gdi = GdiTableObjects();
  if (objects.user == 0) objects.user = UserTableObjects();
  if (objects.handles == 0) objects.handles = ListedKernelHandles();
  return objects;
}

// Committed private memory (under Wine the resident anonymous memory).
std::int64_t PrivateBytes() {
  using Info = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
  static const Info info = [] {
    FARPROC address = GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo");
    if (address == nullptr)
      address = GetProcAddress(LoadLibraryA("psapi.dll"), "GetProcessMemoryInfo");
    return reinterpret_cast<Info>(reinterpret_cast<void (*)()>(address));
  }();
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (info == nullptr || !info(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
  return static_cast<std::int64_t>(counters.PagefileUsage);
}

struct Snapshot {
  Objects objects;
  std::int64_t privateBytes = 0;
};

Snapshot TakeSnapshot() {
  return {CountObjects(), PrivateBytes()};
}

std::string Describe(const Snapshot& s) {
  char text[128];
  std::snprintf(text, sizeof(text), "GDI %lu, USER %lu, handles %lu, private %.1f MB",
                static_cast<unsigned long>(s.objects.gdi),
                static_cast<unsigned long>(s.objects.user),
                static_cast<unsigned long>(s.objects.handles),
                static_cast<double>(s.privateBytes) / 1048576.0);
  return text;
}

double Seconds(DWORD since) {
  return static_cast<double>(GetTickCount() - since) / 1000.0;
}

// --- How much ------------------------------------------------------------------------------------

struct Counts {
  int ticks;
  int rebuilds;
  int renders;
  int drivesOpenings;
  int optionsOpenings;
  int trayCycles;
};

// Each count is a whole number of its part's cycles, so that the end state is the state after
// the first cycle.
constexpr int kTickCycle = 500;
constexpr int kRebuildCycle = 48;  // 16 layouts x 3 sizes
constexpr int kRenderCycle = 10;
constexpr int kDrivesCycle = 4;   // 4 sizes; drive D off and on again
constexpr int kOptionsCycle = 4;  // 2 boxes, each on and off again
constexpr Counts kShortRun = {1000, 96, 20, 8, 8, 10};
constexpr Counts kFullRun = {1000000, 10080, 1000, 1000, 1000, 1000};
// Memory a part may add after its first cycle: heap pages of Wine's own bookkeeping come and go.
constexpr std::int64_t kMemorySlack = 1 << 20;

bool FullRun() {
  const char* value = std::getenv("GLINTBOX_SOAK");
  return value != nullptr && std::string(value) == "full";
}

// --- The user's hand -----------------------------------------------------------------------------

// Driven by a thread timer, dispatched by the program's own loops: each tick takes one step of
// what a user does in the window that is open (or, while armed, at the tray icon).
struct Script {
  Win32Toolkit* toolkit = nullptr;
  int opening = 0;  // of the window open now, counted per window from 0
  int step = 0;     // steps taken in it, or in the tray wait
  bool trayArmed = false;
  int trayWakes = 0;
  int saves = 0;
};
Script script;

void Click(int control) {
  SendMessageA(static_cast<HWND>(script.toolkit->NativeControl(control)), BM_CLICK, 0, 0);
}

constexpr std::array<int, 4> kSizeRadios = {di::kSmallSize, di::kMediumSize, di::kLargeSize,
                                            di::kCustomSize};
constexpr std::array<int, 2> kOptionBoxes = {wo::kVertical, wo::kMinimizeButton};

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  Win32Toolkit& toolkit = *script.toolkit;
  if (toolkit.WindowExists(kDrivesAndIconsWindow)) {
    // A size, drive D on or off, then Save Changes.
    const int step = script.step++;
    if (step == 0) Click(kSizeRadios[static_cast<std::size_t>(script.opening % 4)]);
    if (step == 1) Click(di::kFirstDriveBox + 3);
    if (step == 2) {
      Click(di::kSaveButton);
      ++script.saves;
    }
  } else if (toolkit.WindowExists(kWindowOptionsWindow)) {
    // One box flipped, then Save Changes or, every other time, a close request.
    const int step = script.step++;
    if (step == 0) Click(kOptionBoxes[static_cast<std::size_t>(script.opening / 2 % 2)]);
    if (step == 1 && script.opening % 2 == 0) {
      Click(wo::kSaveButton);
      ++script.saves;
    } else if (step == 1) {
      PostMessageA(static_cast<HWND>(toolkit.NativeWindow(kWindowOptionsWindow)), WM_CLOSE, 0, 0);
    }
  } else if (script.trayArmed && !toolkit.IsWindowVisible(kLedWindow)) {
    // The tray wait: a right click first, which must be ignored, then the double-click.
    const int step = script.step++;
    HWND led = static_cast<HWND>(toolkit.NativeWindow(kLedWindow));
    if (step == 0) PostMessageA(led, kTrayCallbackMessage, kTrayIcon, WM_RBUTTONDOWN);
    if (step == 1) {
      PostMessageA(led, kTrayCallbackMessage, kTrayIcon, WM_LBUTTONDBLCLK);
      ++script.trayWakes;
      script.trayArmed = false;
    }
  }
}

// Runs the program's main loop until `done` holds; false after `ms` without.
bool RunMainLoopUntil(App& app, const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    MainLoopPass(app);  // the sampler's and the script's timers bound the wait
  }
  return true;
}

void Choose(int item) {
  PostMessageA(static_cast<HWND>(script.toolkit->NativeWindow(kLedWindow)), WM_COMMAND,
               MAKEWPARAM(item, 0), 0);
}

// Wine shows its tray window when the first icon comes and hides it when the last one goes, and
// the shell call returns only after that (2 s without a window manager). An icon of the test's
// own keeps the window up, so that a cycle costs what it costs the program.
class HeldTrayIcon {
 public:
  HeldTrayIcon()
      : window_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr)) {
    NOTIFYICONDATAA data = Data();
    data.uFlags = NIF_ICON;
    data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    Shell_NotifyIconA(NIM_ADD, &data);
  }
  // Not deleted but left to the shell, which drops the icons of windows that are gone: deleting
  // the last icon waits for the hide.
  ~HeldTrayIcon() { DestroyWindow(window_); }
  HeldTrayIcon(const HeldTrayIcon&) = delete;
  HeldTrayIcon& operator=(const HeldTrayIcon&) = delete;

 private:
  NOTIFYICONDATAA Data() const {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = 1;
    return data;
  }
  HWND window_;
};

// --- The parts -----------------------------------------------------------------------------------

class Soak {
 public:
  Soak(Win32Toolkit& toolkit, App& app, std::string countersPath)
      : toolkit_(toolkit), app_(app), countersPath_(std::move(countersPath)) {}

  // Checks the part's growth from its first cycle to its end and prints its figures.
  void Report(const char* part, int count, const Snapshot& first, DWORD started) {
    const Snapshot end = TakeSnapshot();
    std::printf("[ soak     ] %-26s %8d in %7.1f s; after the first cycle %s; at the end %s\n",
                part, count, Seconds(started), Describe(first).c_str(), Describe(end).c_str());
    std::fflush(stdout);
    EXPECT_EQ(end.objects.gdi, first.objects.gdi) << part;
    EXPECT_EQ(end.objects.user, first.objects.user) << part;
    EXPECT_EQ(end.objects.handles, first.objects.handles) << part;
    EXPECT_LE(end.privateBytes - first.privateBytes, kMemorySlack) << part;
  }

  // What the main loop does between two of the calls driven here: the icons are painted, and the
  // window system's own messages are taken. Left waiting, they pile up (Wine queues an X event
  // for every hide, show and resize) and would pass for the program's growth.
  void Pump() { wintest::Drain(toolkit_); }

  void* Shown(int control) const {
    return reinterpret_cast<void*>(SendMessageA(static_cast<HWND>(toolkit_.NativeControl(control)),
                                                STM_GETIMAGE, IMAGE_BITMAP, 0));
  }

  void WriteCounters(const std::string& text) {
    // Overwritten in place at a constant length, not flushed: truncating costs more than the
    // tick itself under Wine, and the sampler reads it back at once through the same cache.
    win32::UniqueHandle file(CreateFileA(countersPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()),
                                  &written, nullptr));
  }

  void Ticks(int ticks) {
    // The drives the main loop gave roots: the present ones.
    std::vector<int> slots;
    for (int slot = 1; slot <= kDriveCount; ++slot)
      if (!app_.slotRootPaths[static_cast<std::size_t>(slot)].empty()) slots.push_back(slot);
    ASSERT_FALSE(slots.empty());
    std::vector<std::uint32_t> reads(slots.size()), writes(slots.size());
    int wrongImages = 0;
    Snapshot first;
    const DWORD started = GetTickCount();
    for (int tick = 0; tick < ticks; ++tick) {
      // Each drive steps through idle, read, write and both, each a tick apart from the next.
      std::string text;
      std::vector<int> states(slots.size());
      for (std::size_t i = 0; i < slots.size(); ++i) {
        states[i] = (tick + static_cast<int>(i)) % 4;
        reads[i] += states[i] & 1;
        writes[i] += (states[i] >> 1) & 1;
        char line[32];
        std::snprintf(line, sizeof(line), "%c %10lu %10lu\r\n", DriveLetter(slots[i]),
                      static_cast<unsigned long>(reads[i]), static_cast<unsigned long>(writes[i]));
        text += line;
      }
      WriteCounters(text);
      SampleDriveActivity(app_);
      for (std::size_t i = 0; i < slots.size(); ++i)
        if (Shown(slots[i]) != toolkit_.NativeImage(IconImageNumber(slots[i], states[i])))
          ++wrongImages;
      Pump();
      if (tick + 1 == kTickCycle) first = TakeSnapshot();
    }
    EXPECT_EQ(wrongImages, 0);
    Report("sampler ticks", ticks, first, started);
  }

  void Rebuilds(int rebuilds) {
    AppSettings& s = app_.settings;
    const AppSettings saved = s;
    struct Size {
      int iconSize, custom;
      const char* drives;
      int alpha;
    };
    // Odd and even counts of shown drives, so that the dual layouts' filler comes and goes; the
    // window opaque or layered.
    constexpr std::array<Size, 3> kSizes = {{{1, 10, "11111111111111111111111111", 255},
                                             {3, 10, "00111100000000000000000001", 128},
                                             {4, 41, "00100000000000000000000000", 10}}};
    int wrongWindows = 0;
    Snapshot first;
    const DWORD started = GetTickCount();
    for (int pass = 0; pass < rebuilds; ++pass) {
      const int layout = pass % 16;
      if (layout == 0) {
        const Size& size = kSizes[static_cast<std::size_t>(pass / 16 % kSizes.size())];
        s.iconSize = size.iconSize;
        s.customIconSize = size.custom;
        s.drives = size.drives;
        s.windowTransparency = size.alpha;
        RenderDriveIcons(app_);
      }
      s.verticalMode = layout & 1;
      s.dualIconWindowMode = (layout >> 1) & 1;
      s.minimizeButton = (layout & 4) != 0 ? 8 : 0;
      s.autoHideDisconnected = (layout >> 3) & 1;
      RebuildLedWindow(app_);

      int shown = 0;
      const std::string& mask = s.autoHideDisconnected == 1 ? app_.presenceMask : s.drives;
      for (int slot = 1; slot <= kDriveCount; ++slot) shown += SlotInMask(mask, slot) ? 1 : 0;
      const LedLayout expected = ComputeLedLayout(
          {s.iconPixels, shown, s.verticalMode, s.dualIconWindowMode, s.minimizeButton});
      Rect outer;
      const LONG exStyle =
          GetWindowLongA(static_cast<HWND>(toolkit_.NativeWindow(kLedWindow)), GWL_EXSTYLE);
      if (!toolkit_.WindowRect(kLedWindow, outer) || outer.Width() != expected.clientWidth ||
          outer.Height() != expected.clientHeight || !toolkit_.IsWindowVisible(kLedWindow) ||
          ((exStyle & WS_EX_LAYERED) != 0) != (s.windowTransparency < 255)) {
        ++wrongWindows;
      }
      Pump();
      if (pass + 1 == kRebuildCycle) first = TakeSnapshot();
    }
    EXPECT_EQ(wrongWindows, 0);
    Report("window rebuilds", rebuilds, first, started);
    s = saved;
    RenderDriveIcons(app_);
    RebuildLedWindow(app_);
  }

  void Renders(int renders) {
    AppSettings& s = app_.settings;
    const AppSettings saved = s;
    constexpr std::array<std::array<int, 2>, kRenderCycle> kSizes = {{{1, 10},
                                                                      {2, 10},
                                                                      {3, 10},
                                                                      {4, 10},
                                                                      {4, 17},
                                                                      {4, 33},
                                                                      {4, 64},
                                                                      {4, 100},
                                                                      {4, 128},
                                                                      {4, 50}}};
    int wrongImages = 0;
    Snapshot first;
    const DWORD started = GetTickCount();
    for (int pass = 0; pass < renders; ++pass) {
      const auto& size = kSizes[static_cast<std::size_t>(pass % kRenderCycle)];
      s.iconSize = size[0];
      s.customIconSize = size[1];
      // Colours that change at every render, lines and square on and off, each line direction.
      const int shade = pass * 37 % 256;
      s.readRed = shade, s.readGreen = 255 - shade, s.readBlue = pass % 7 * 30;
      s.writeRed = 255 - shade, s.writeGreen = pass % 5 * 50, s.writeBlue = shade;
      s.backRed = pass % 3 * 40, s.backGreen = shade / 2, s.backBlue = 20;
      s.showIconLines = pass / 2 % 2;
      s.showSmallSquare = pass / 3 % 2;
      s.verticalMode = pass / 5 % 2;
      s.dualIconWindowMode = pass / 7 % 2;
      RenderDriveIcons(app_);
      MarkPresentDrives(app_);
      Pump();

      // Every image is there at its size: a leak would end here, when GDI refuses more.
      const int edge = s.iconPixels;
      const Color read = MakeColor(s.readRed, s.readGreen, s.readBlue);
      const Color write = MakeColor(s.writeRed, s.writeGreen, s.writeBlue);
      for (int slot = 1; slot <= kDriveCount; ++slot) {
        const ImageView reading = toolkit_.Image(IconImageNumber(slot, 1));
        const ImageView writing = toolkit_.Image(IconImageNumber(slot, 2));
        if (!reading || reading.width != edge || !writing || writing.height != edge ||
            reading.Pixel(0, 0) != read || writing.Pixel(0, edge - 2) != write) {
          ++wrongImages;
        }
      }
      if (pass + 1 == kRenderCycle) first = TakeSnapshot();
    }
    EXPECT_EQ(wrongImages, 0);
    Report("icon renders", renders, first, started);
    s = saved;
    RenderDriveIcons(app_);
    RebuildLedWindow(app_);
  }

  // Opens the window by its menu item through the main loop, `openings` times; the script does
  // the rest.
  void Openings(const char* part, int item, int window, int openings, int cycle) {
    Snapshot first;
    const DWORD started = GetTickCount();
    const int savesBefore = script.saves;
    for (int opening = 0; opening < openings; ++opening) {
      script.opening = opening;
      script.step = 0;
      bool seen = false;
      Choose(item);
      ASSERT_TRUE(RunMainLoopUntil(
          app_,
          [&] {
            seen = seen || script.step > 0;
            return seen && !toolkit_.WindowExists(window);
          },
          60000))
          << part << ", opening " << opening;
      if (opening + 1 == cycle) first = TakeSnapshot();
    }
    const int expectedSaves = window == kWindowOptionsWindow ? openings / 2 : openings;
    EXPECT_EQ(script.saves - savesBefore, expectedSaves) << part;
    Report(part, openings, first, started);
  }

  void TrayCycles(int cycles) {
    const HeldTrayIcon held;
    Snapshot first;
    const DWORD started = GetTickCount();
    for (int cycle = 0; cycle < cycles; ++cycle) {
      const int wakes = script.trayWakes;
      script.step = 0;
      script.trayArmed = true;
      Choose(kMenuMinimizeToTray);
      // Without a notification area the icon is refused and the window never hides.
      ASSERT_TRUE(RunMainLoopUntil(
          app_, [&] { return script.trayWakes > wakes && toolkit_.IsWindowVisible(kLedWindow); },
          30000))
          << "tray cycle " << cycle;
      if (cycle == 0) first = TakeSnapshot();
    }
    script.trayArmed = false;
    Report("tray cycles", cycles, first, started);
  }

 private:
  Win32Toolkit& toolkit_;
  App& app_;
  std::string countersPath_;
};

void RunSoak() {
  const Counts counts = FullRun() ? kFullRun : kShortRun;
  // A copy of the program already running in this prefix would make this one refuse to start.
  HANDLE running = OpenMutexA(SYNCHRONIZE, FALSE, "Glintbox");
  if (running != nullptr) CloseHandle(running);
  ASSERT_EQ(running, nullptr) << "Glintbox is running in this Wine prefix";

  Win32Toolkit toolkit;
  Win32System system;
  const std::string folder = system.CurrentDirectory() + "\\";
  FileCountersDisk disk(folder + "counters.txt");
  App app(toolkit, disk, system);
  script = {};
  script.toolkit = &toolkit;

  // The counts see what they are meant to: one bitmap, one menu and one event more, then none.
  const Objects before = CountObjects();
  HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
  HMENU menu = CreatePopupMenu();
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  const Objects with = CountObjects();
  DeleteObject(bitmap);
  DestroyMenu(menu);
  CloseHandle(event);
  EXPECT_EQ(with, (Objects{before.gdi + 1, before.user + 1, before.handles + 1}));
  EXPECT_EQ(CountObjects(), before);

  const DWORD started = GetTickCount();
  const Snapshot bare = TakeSnapshot();
  StartUp(app);
  ASSERT_EQ(app.programFolder, folder);  // the copy sits under %TEMP%: the current directory
  ASSERT_TRUE(RunMainLoopUntil(
      app, [&] { return toolkit.IsWindowVisible(kLedWindow); }, 20000));
  std::printf("[ soak     ] before start-up %s; started %s\n", Describe(bare).c_str(),
              Describe(TakeSnapshot()).c_str());
  const UINT_PTR scriptTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &ScriptTick);
  ASSERT_NE(scriptTimer, 0u);

  Soak soak(toolkit, app, folder + "counters.txt");
  soak.Ticks(counts.ticks);
  soak.Rebuilds(counts.rebuilds);
  soak.Renders(counts.renders);
  soak.Openings("Drives and Icons openings", kMenuConfigureDrives, kDrivesAndIconsWindow,
                counts.drivesOpenings, kDrivesCycle);
  // Its last save holds what the program holds now.
  std::string saved;
  ASSERT_TRUE(system.ReadWholeFile(SettingsPath(app), saved));
  Rect outer;
  ASSERT_TRUE(toolkit.WindowRect(kLedWindow, outer));
  EXPECT_EQ(saved, SettingsText(app.settings, outer.left, outer.top));
  soak.Openings("Window Options openings", kMenuConfigureWindow, kWindowOptionsWindow,
                counts.optionsOpenings, kOptionsCycle);
  soak.TrayCycles(counts.trayCycles);

  KillTimer(nullptr, scriptTimer);
  std::printf("[ soak     ] whole soak %.1f s\n", Seconds(started));
  toolkit.ReleaseAll();
}

// --- The test ------------------------------------------------------------------------------------

TEST(SoakTest, NothingGrowsOverLongUse) {
  if (std::getenv(kChildVariable) != nullptr) {
    RunSoak();
    return;
  }
  wintest::ScratchFolder folder;
  const std::string exe = folder.Path(kSoakExe);
  ASSERT_TRUE(CopyFileA(wintest::SelfPath().c_str(), exe.c_str(), FALSE));
  HKEY key = nullptr;
  if (UnderWine()) {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kManagedKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
  }
  std::string command = wintest::Quoted(exe) + " --gtest_filter=SoakTest.NothingGrowsOverLongUse";
  SetEnvironmentVariableA(kChildVariable, "1");
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION child{};
  const BOOL created = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      folder.Path().c_str(), &startup, &child);
  SetEnvironmentVariableA(kChildVariable, nullptr);
  ASSERT_TRUE(created);
  const DWORD limit = FullRun() ? INFINITE : 240000;
  const bool ended = WaitForSingleObject(child.hProcess, limit) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(child.hProcess, 3);
  DWORD exitCode = 99;
  GetExitCodeProcess(child.hProcess, &exitCode);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  if (UnderWine()) {
    RegDeleteKeyA(HKEY_CURRENT_USER, kManagedKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\glintbox_soak.exe");
  }
  EXPECT_TRUE(ended) << "the soak did not end in time";
  EXPECT_EQ(exitCode, 0u) << "the soak failed; see its output above";
}

}  // namespace
}  // namespace glint
