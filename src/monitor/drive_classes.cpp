#include "monitor/drive_classes.h"

#include "platform/disk.h"

namespace glint {

RemovableKind ClassifyRemovable(std::uint32_t elapsedMs, std::string_view label,
                                std::string_view fileSystem, std::uint32_t serialNumber,
                                bool listedAsFloppy) {
  if (elapsedMs > kFloppyThresholdMs) return RemovableKind::kFloppy;
  const bool fast = elapsedMs < kFloppyThresholdMs;
  if (!fileSystem.empty()) return fast ? RemovableKind::kFlash : RemovableKind::kNone;
  if (!label.empty() || !fast) return RemovableKind::kNone;
  // No medium, or a floppy drive not asked again: only the list tells them apart.
  if (serialNumber == 0 && listedAsFloppy) return RemovableKind::kNone;
  return RemovableKind::kFlashEmpty;
}

std::optional<std::string_view> FixedTypeText(int driveType) {
  switch (driveType) {
    case drive_type::kUnknown:
      return "|Unknown|";
    case drive_type::kFixed:
      return "|HardDisk Drive|";
    case drive_type::kRemote:
      return "|Network Drive|";
    case drive_type::kCdRom:
      return "|CD-ROM Drive|";
    case drive_type::kRamDisk:
      return "|RAM DISK Drive|";
    default:
      return std::nullopt;
  }
}

}  // namespace glint
