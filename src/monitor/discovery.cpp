#include "monitor/discovery.h"

#include <algorithm>
#include <array>

#include "core/app.h"
#include "core/numbers.h"
#include "ledwindow/render.h"
#include "monitor/drive_classes.h"
#include "placement/placement.h"

namespace glint {

namespace {

// GetLogicalDriveStringsA fills this much; every root takes 4 bytes ("C:\" and its NUL).
constexpr std::uint32_t kDriveStringsBytes = 255;
constexpr std::size_t kRootStride = 4;
constexpr int kRootRounds = kDriveTableSize;
constexpr std::uint64_t kBytesPerMb = 1048576;
constexpr char kPresent = '2';

constexpr std::string_view kFloppyText = "|Floppy Drive|";
constexpr std::string_view kFlashText = "|Flash Drive|";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string Entry(const std::string& root, std::string_view typeText, int index) {
  std::string entry = root;
  entry += typeText;
  entry += std::to_string(index);
  return entry;
}

// Marks the root's letter as present in the working string; false when it is not there.
bool MarkPresent(std::string& working, const std::string& root) {
  if (root.empty()) return false;
  const auto at = working.find(root[0]);
  if (at == std::string::npos) return false;
  working[at] = kPresent;
  return true;
}

// The last floppy list index a pass may read: entries 0 to count inclusive, never past the list.
int LastFloppyIndex(const App& app) {
  return app.floppyCount < kDriveTableSize - 1 ? app.floppyCount : kDriveTableSize - 1;
}

bool IsKnownFloppy(const App& app, const std::string& root) {
  if (app.floppyCount <= 0) return false;
  for (int i = 0; i <= LastFloppyIndex(app); ++i) {
    const std::string& entry = app.floppyList[static_cast<std::size_t>(i)];
    if (std::string_view(entry).substr(0, entry.find('|')) == root) return true;
  }
  return false;
}

bool FloppyListContains(const App& app, const std::string& root) {
  for (int i = 0; i <= LastFloppyIndex(app); ++i) {
    if (app.floppyList[static_cast<std::size_t>(i)].find(root) != std::string::npos) return true;
  }
  return false;
}

void RememberFloppy(App& app, const std::string& entry) {
  // Whatever happened to the count, an entry is never written outside the list: wrap instead.
  if (app.floppyCount < 0 || app.floppyCount >= kDriveTableSize) app.floppyCount = 0;
  app.floppyList[static_cast<std::size_t>(app.floppyCount)] = entry;
  ++app.floppyCount;
}

void ClassifyRemovableRoot(App& app, const std::string& root, int index, std::string& working) {
  Disk& disk = app.disk;
  const std::uint32_t start = disk.TickCount();
  VolumeInfo volume;
  // A floppy drive found slow once is never asked again: every query makes it seek.
  // A failing query leaves the volume blank, which classifies as such.
  if (!IsKnownFloppy(app, root)) static_cast<void>(disk.VolumeInformation(root, volume));
  // Unsigned difference: right across the wrap of the tick count.
  const std::uint32_t elapsed = disk.TickCount() - start;

  auto& entry = app.driveTypeList[static_cast<std::size_t>(index)];
  switch (ClassifyRemovable(elapsed, Trim(volume.label), Trim(volume.fileSystem),
                            volume.serialNumber, FloppyListContains(app, root))) {
    case RemovableKind::kFloppy:
      entry = Entry(root, kFloppyText, index);
      RememberFloppy(app, entry);
      break;
    case RemovableKind::kFlash:
      entry = Entry(root, kFlashText, index);
      if (app.vistaOrSeven == 1) MarkPresent(working, root);
      break;
    case RemovableKind::kFlashEmpty:
      entry = Entry(root, kFlashText, index);
      break;
    case RemovableKind::kNone:
      break;
  }
}

}  // namespace

std::string DriveTooltip(App& app, int slot) {
  if (slot < 1 || slot > kDriveCount) return {};
  std::string root(1, DriveLetter(slot));
  root += ":\\";
  VolumeInfo volume;
  // A failing query leaves it blank: "No Label" and "Unknown Filesystem".
  static_cast<void>(app.disk.VolumeInformation(root, volume));
  std::uint64_t freeBytes = 0;
  std::uint64_t totalBytes = 0;
  const bool haveSpace = app.disk.FreeSpace(root, freeBytes, totalBytes);

  std::string_view label = Trim(volume.label);
  std::string_view fileSystem = Trim(volume.fileSystem);
  if (label.empty()) label = "No Label";
  if (fileSystem.empty()) fileSystem = "Unknown Filesystem";
  // Without an answer there are no figures; zeros would pass for real ones.
  const std::string freeMb = haveSpace ? std::to_string(freeBytes / kBytesPerMb) : "?";
  const std::string totalMb = haveSpace ? std::to_string(totalBytes / kBytesPerMb) : "?";

  std::string text = root;
  text += ' ';
  text += label;
  text += " [";
  text += fileSystem;
  text += "] - Free: ";
  text += freeMb;
  text += " MB - Total: ";
  text += totalMb;
  text += " MB";
  return text;
}

void DiscoverDrives(App& app) {
  std::string working(kDriveLetters);
  // The floppy list holds at most 26 drives; after that it starts over.
  if (app.floppyCount == kDriveCount) app.floppyCount = 0;

  LimitWindowToWorkArea(app, kLedWindow);

  std::array<char, kDriveStringsBytes> buffer{};
  // A failure leaves the buffer zeroed: this pass finds no roots.
  static_cast<void>(app.disk.LogicalDriveStrings(buffer.data(), kDriveStringsBytes));

  for (int i = 0; i < kRootRounds; ++i) {
    // Past the last root the bytes are zero, so the root is empty.
    const char* const first = buffer.data() + kRootStride * static_cast<std::size_t>(i);
    const char* const end = buffer.data() + buffer.size();
    const std::string root(first, std::find(first, end, '\0'));
    const int type = app.disk.DriveType(root);
    auto& entry = app.driveTypeList[static_cast<std::size_t>(i)];
    if (type == drive_type::kRemovable) {
      ClassifyRemovableRoot(app, root, i, working);
    } else if (type == drive_type::kFixed) {
      if (MarkPresent(working, root)) entry = Entry(root, *FixedTypeText(type), i);
    } else if (const auto text = FixedTypeText(type)) {
      entry = Entry(root, *text, i);
    }
  }

  for (int slot = 1; slot <= kDriveCount; ++slot) {
    if (working[static_cast<std::size_t>(slot - 1)] == kPresent)
      app.toolkit.SetControlTooltip(slot, DriveTooltip(app, slot));
  }

  std::string mask(kDriveCount, '0');
  for (std::size_t p = 0; p < mask.size(); ++p)
    if (working[p] == kPresent) mask[p] = '1';
  app.presenceMask = mask;

  if (mask != app.previousPresenceMask) {
    app.previousPresenceMask = mask;
    MarkPresentDrives(app);
    app.driveSetChanged = 1;
  }
}

void ForgetDriveTypes(App& app) {
  app.floppyCount = 0;
  for (std::string& type : app.driveTypeList) type.clear();
}

}  // namespace glint
