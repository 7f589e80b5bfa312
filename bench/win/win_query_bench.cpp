// Cost of the drive activity query and of one sampler tick on the real Win32 API. Every query
// opens the device, asks for its counters and closes it again, 20 times a second per drive, so
// this is the program's steady cost. Run by hand (under Wine: wine ./win_query_bench.exe).
#include "platform/win32/windows_api.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/numbers.h"
#include "monitor/activity_query.h"
#include "monitor/sampler.h"
#include "platform/win32/win32_disk.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_toolkit.h"

namespace glint {
namespace {

constexpr int kWarmUpCalls = 200;
constexpr int kDefaultCalls = 2000;

struct Figures {
  double medianUs = 0;
  double meanUs = 0;
  double minUs = 0;
};

// Times each call on its own (for the median) and the whole run (for the mean).
template <typename Call>
Figures Measure(Call&& call, int calls) {
  for (int i = 0; i < kWarmUpCalls; ++i) call();
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  const double usPerTick = 1e6 / static_cast<double>(frequency.QuadPart);
  std::vector<double> samples(static_cast<std::size_t>(calls));
  LARGE_INTEGER runStart{};
  QueryPerformanceCounter(&runStart);
  for (double& sample : samples) {
    LARGE_INTEGER before{}, after{};
    QueryPerformanceCounter(&before);
    call();
    QueryPerformanceCounter(&after);
    sample = static_cast<double>(after.QuadPart - before.QuadPart) * usPerTick;
  }
  LARGE_INTEGER runEnd{};
  QueryPerformanceCounter(&runEnd);
  Figures figures;
  figures.meanUs = static_cast<double>(runEnd.QuadPart - runStart.QuadPart) * usPerTick / calls;
  std::sort(samples.begin(), samples.end());
  figures.medianUs = samples[samples.size() / 2];
  figures.minUs = samples.front();
  return figures;
}

void Report(const char* what, const Figures& figures, int calls) {
  std::printf("%s: %.1f us per call (median; mean %.1f, min %.1f) over %d calls\n", what,
              figures.medianUs, figures.meanUs, figures.minUs, calls);
}

// A letter that names no drive here.
char MissingLetter() {
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < kDriveCount; ++i)
    if ((drives & (1u << i)) == 0) return static_cast<char>('A' + i);
  return '\0';
}

int Run(int calls) {
  Win32Toolkit toolkit;  // never touched: idle drives cause no drawing
  Win32Disk disk;
  Win32System system;
  App app(toolkit, disk, system);
  volatile int sink = 0;

  struct QueryCase {
    std::string device;
    const char* label;
  };
  const char missing = MissingLetter();
  std::vector<QueryCase> cases = {
      {"\\\\.\\C:", "QueryDriveActivity C: (open, query refused, close)"},
      {"\\\\.\\Z:", "QueryDriveActivity Z: (open refused)"},
  };
  std::string missingLabel;
  if (missing != '\0') {
    missingLabel = std::string("QueryDriveActivity ") + missing + ": (no such drive)";
    cases.push_back({std::string("\\\\.\\") + missing + ":", missingLabel.c_str()});
  }
  for (const QueryCase& c : cases) {
    const char* device = c.device.c_str();
    Report(c.label, Measure([&] { sink = sink + QueryDriveActivity(app, device, 3); }, calls),
           calls);
  }

  app.samplingEnabled = 1;
  app.slotRootPaths[3] = "C:\\";
  app.slotRootPaths[26] = "Z:\\";
  Report("SampleDriveActivity tick, roots C: and Z:",
         Measure([&] { SampleDriveActivity(app); }, calls), calls);
  return sink == -1 ? 1 : 0;
}

}  // namespace
}  // namespace glint

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : glint::kDefaultCalls;
  return glint::Run(calls);
}
