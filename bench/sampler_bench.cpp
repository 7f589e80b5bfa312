// Cost of the 50 ms tick over 26 sampled drives, and the heap allocations it makes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "core/app.h"
#include "core/numbers.h"
#include "monitor/sampler.h"
#include "support/fake/fake_disk.h"
#include "support/fake/fake_system.h"
#include "support/fake/fake_toolkit.h"

namespace {

// Every allocation of the process passes here; benchmarks read the difference around their loop.
std::uint64_t allocationCount = 0;

}  // namespace

void* operator new(std::size_t size) {
  ++allocationCount;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return ::operator new(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace glint {
namespace {

enum class Load { kIdle, kBusy, kToggling };

// 26 present fixed disks, every slot given its root, as after the first discovery pass.
struct TickEnv {
  Journal journal;
  FakeSystem system{journal};
  FakeToolkit toolkit{journal};
  FakeDisk disk{journal};
  App app{toolkit, disk, system};

  TickEnv() {
    toolkit.CreatePopupWindow(kLedWindow, "Glintbox", 0, 0, 8, 8);
    for (int slot = 1; slot <= kDriveCount; ++slot) {
      const char letter = kDriveLetters[static_cast<std::size_t>(slot - 1)];
      static_cast<void>(toolkit.CreateImageControl(kLedWindow, slot, 0, 0, 18, 18, slot));
      disk.drives[letter].readCount = 1000;
      app.slotRootPaths[static_cast<std::size_t>(slot)] = std::string{letter, ':', '\\'};
    }
    app.samplingEnabled = 1;
  }

  void Advance(Load load, std::int64_t tick) {
    if (load == Load::kIdle || (load == Load::kToggling && tick % 2 == 1)) return;
    for (auto& [letter, drive] : disk.drives) {
      (void)letter;
      ++drive.readCount;
      ++drive.writeCount;
    }
  }
};

void RunTicks(benchmark::State& state, Load load) {
  TickEnv env;
  SampleDriveActivity(env.app);  // first sample: every drive shows its counters once
  std::int64_t tick = 0;
  const std::uint64_t allocationsBefore = allocationCount;
  for (auto _ : state) {
    env.Advance(load, tick++);
    SampleDriveActivity(env.app);
    benchmark::ClobberMemory();
  }
  const auto allocations = static_cast<double>(allocationCount - allocationsBefore);
  state.counters["allocs_per_tick"] =
      benchmark::Counter(allocations, benchmark::Counter::kAvgIterations);
  state.counters["drives"] = kDriveCount;
}

// No drive moves: the usual case, no image is touched.
void BM_SampleTickIdle(benchmark::State& state) {
  RunTicks(state, Load::kIdle);
}
// Every drive reads and writes every tick: states stay 3, no image is touched.
void BM_SampleTickBusy(benchmark::State& state) {
  RunTicks(state, Load::kBusy);
}
// Every drive flips between busy and idle: all 26 icons get a new image every tick.
void BM_SampleTickToggling(benchmark::State& state) {
  RunTicks(state, Load::kToggling);
}

BENCHMARK(BM_SampleTickIdle);
BENCHMARK(BM_SampleTickBusy);
BENCHMARK(BM_SampleTickToggling);

}  // namespace
}  // namespace glint
