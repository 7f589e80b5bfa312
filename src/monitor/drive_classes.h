#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// How discovery classifies a drive root: pure rules over what Windows reported.
namespace glint {

// A volume query slower than this means a floppy drive (it seeks); exactly this means neither.
inline constexpr std::uint32_t kFloppyThresholdMs = 100;

// What the answer to a removable drive's volume query makes of it.
enum class RemovableKind {
  kNone,        // nothing is written (exactly 100 ms, or a floppy drive already known)
  kFloppy,      // slow: remembered as a floppy drive for the rest of the run
  kFlash,       // fast, with a file system: present on Vista and 7
  kFlashEmpty,  // fast, no label, no file system: a reader without a card, never present
};

// `listedAsFloppy`: some floppy list entry contains the root; it matters only when the volume
// told nothing (no label, no file system, serial number 0), as a known floppy drive does,
// being no longer asked.
RemovableKind ClassifyRemovable(std::uint32_t elapsedMs, std::string_view label,
                                std::string_view fileSystem, std::uint32_t serialNumber,
                                bool listedAsFloppy);

// Type text ("|HardDisk Drive|") of a drive type that needs no volume query; none for
// removable drives, roots without a directory and unknown values.
std::optional<std::string_view> FixedTypeText(int driveType);

}  // namespace glint
