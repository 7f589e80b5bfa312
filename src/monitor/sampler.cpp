#include "monitor/sampler.h"

#include "core/app.h"
#include "core/numbers.h"
#include "monitor/activity_query.h"

namespace glint {

namespace {

// "\\.\" followed by a drive letter and its colon.
constexpr char kDevicePrefix[] = "\\\\.\\";
constexpr std::size_t kDevicePrefixLength = sizeof(kDevicePrefix) - 1;

}  // namespace

void SampleDriveActivity(App& app) {
  // The path lives on the stack: the tick runs 20 times a second and must not allocate.
  char devicePath[kDevicePrefixLength + 3] = "\\\\.\\";
  for (int slot = 1; slot <= kDriveCount; ++slot) {
    if (app.samplingEnabled != 1) continue;
    const std::string& root = app.slotRootPaths[static_cast<std::size_t>(slot)];
    if (root.empty()) continue;

    std::size_t length = kDevicePrefixLength;
    for (std::size_t i = 0; i < 2 && i < root.size(); ++i) devicePath[length++] = root[i];
    devicePath[length] = '\0';

    const auto p = static_cast<std::size_t>(slot);
    app.currentBits[p] = QueryDriveActivity(app, devicePath, slot);
    if (app.currentBits[p] == app.lastShownBits[p]) continue;
    app.lastShownBits[p] = app.currentBits[p];
    // Only a change of state touches the control; an idle system causes no drawing.
    const int bits = app.currentBits[p];
    if (bits != kSlotOutsideTables) app.toolkit.SetControlImage(slot, IconImageNumber(slot, bits));
  }
}

}  // namespace glint
