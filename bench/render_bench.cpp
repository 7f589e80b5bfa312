// Icon rendering at the fixed sizes and across the custom range: what a start-up, a colour change
// and every step of the custom-size trackbar cost, and the memory the 104 images hold.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "core/app.h"
#include "core/numbers.h"
#include "ledwindow/led_window.h"
#include "ledwindow/render.h"
#include "settings/defaults.h"
#include "settings/record_rules.h"
#include "support/fake/fake_disk.h"
#include "support/fake/fake_system.h"
#include "support/fake/fake_toolkit.h"

namespace glint {
namespace {

struct BenchEnv {
  explicit BenchEnv(int edge) {
    ApplyDefaults(app.settings);
    SetEdge(edge);
    app.presenceMask = "00111100000000000000000000";
    CreateLedWindow(app);
    CreateIconImagesAndControls(app);
  }
  void SetEdge(int edge) {
    app.settings.iconSize = 4;
    app.settings.customIconSize = edge;
    ComputeIconMetrics(app.settings);
  }
  Journal journal;
  FakeSystem system{journal};
  FakeToolkit toolkit{journal};
  FakeDisk disk{journal};
  App app{toolkit, disk, system};
};

double ImageBytes(int edge) {
  return 104.0 * ImageView::StrideFor(edge) * edge;
}

// Re-render at an unchanged size: colours, lines, orientation, restore defaults.
void BM_RenderAndMark(benchmark::State& state) {
  const int edge = static_cast<int>(state.range(0));
  BenchEnv env(edge);
  RenderDriveIcons(env.app);
  for (auto _ : state) {
    RenderDriveIcons(env.app);
    MarkPresentDrives(env.app);
    env.toolkit.drawnStrings.clear();
    benchmark::ClobberMemory();
  }
  state.counters["imageBytes"] = ImageBytes(edge);
}
BENCHMARK(BM_RenderAndMark)->Arg(18)->Arg(30)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

// The trackbar: every step changes the size, so all 104 images are made anew.
void BM_RenderAndMarkNewSize(benchmark::State& state) {
  const int edge = static_cast<int>(state.range(0));
  BenchEnv env(edge);
  bool smaller = false;
  for (auto _ : state) {
    env.SetEdge(smaller ? edge - 1 : edge);
    smaller = !smaller;
    RenderDriveIcons(env.app);
    MarkPresentDrives(env.app);
    env.toolkit.drawnStrings.clear();
    benchmark::ClobberMemory();
  }
  state.counters["imageBytes"] = ImageBytes(edge);
}
BENCHMARK(BM_RenderAndMarkNewSize)
    ->Arg(18)
    ->Arg(30)
    ->Arg(256)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond);

// The presence pass alone, as drive discovery runs it.
void BM_MarkPresentDrives(benchmark::State& state) {
  const int edge = static_cast<int>(state.range(0));
  BenchEnv env(edge);
  RenderDriveIcons(env.app);
  for (auto _ : state) {
    MarkPresentDrives(env.app);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MarkPresentDrives)->Arg(18)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glint
