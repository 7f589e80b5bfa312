// Cost of one re-render and rebuild of the LED window on the real Win32 API (DIB sections, GDI
// text, the controls): what every movement of the Drives and Icons window's size thumb costs.
// Run by hand (under Wine: wine ./win_render_bench.exe [sizes...]).
#include "platform/win32/windows_api.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/app.h"
#include "core/numbers.h"
#include "ledwindow/led_window.h"
#include "ledwindow/render.h"
#include "platform/win32/win32_disk.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_toolkit.h"
#include "settings/defaults.h"
#include "settings/record_rules.h"

namespace glint {
namespace {

double Now() {
  LARGE_INTEGER frequency{}, counter{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The median of `runs` timed calls, in milliseconds.
template <typename Call>
double MedianMs(Call&& call, int runs) {
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    call();
    samples.push_back(Now() - start);
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

int Run(int argc, char** argv) {
  std::vector<int> sizes = {18, 256, 1024};
  if (argc > 1) {
    sizes.clear();
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  }
  Win32Toolkit toolkit;
  Win32System system;
  Win32Disk disk;
  App app(toolkit, disk, system);
  toolkit.Initialize();
  ApplyDefaults(app.settings);
  app.settings.iconSize = 4;
  app.settings.customIconSize = sizes.front();
  ComputeIconMetrics(app.settings);
  app.presenceMask = "00100000000000000000000001";
  CreateLedWindow(app);
  CreateIconImagesAndControls(app);
  CreateFillerImage(app);
  RenderDriveIcons(app);
  CreateFillerControl(app);
  CreateMinimizeButton(app);
  RebuildLedWindow(app);

  for (int size : sizes) {
    app.settings.customIconSize = size;
    // The first pass at a new size makes the images anew; the thumb then moves on to others.
    const double changed = MedianMs(
        [&] {
          app.settings.customIconSize = app.settings.customIconSize == size ? size - 1 : size;
          RenderDriveIcons(app);
          RebuildLedWindow(app);
        },
        5);
    app.settings.customIconSize = size;
    RenderDriveIcons(app);
    const double same = MedianMs(
        [&] {
          RenderDriveIcons(app);
          RebuildLedWindow(app);
        },
        5);
    std::printf("S = %4d: render + rebuild %.1f ms at a new size, %.1f ms at the same size\n", size,
                changed, same);
  }
  toolkit.ReleaseAll();
  return 0;
}

}  // namespace
}  // namespace glint

int main(int argc, char** argv) {
  return glint::Run(argc, argv);
}
