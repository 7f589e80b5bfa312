#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace glint {

// Drive letters are numbered A = 1 ... Z = 26 everywhere: in masks, sampler slots, icon control
// numbers and the letter part of image numbers.
inline constexpr std::string_view kDriveLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr int kDriveCount = 26;
// Per-drive tables have one entry per drive slot (1..26); entry 0 is not used.
inline constexpr int kDriveTableSize = kDriveCount + 1;

template <typename T>
using DriveTable = std::array<T, kDriveTableSize>;

inline constexpr std::string_view kAllDrivesMask = "11111111111111111111111111";
inline constexpr std::string_view kNoDrivesMask = "00000000000000000000000000";

// The letter of a slot (1..26).
constexpr char DriveLetter(int slot) {
  return kDriveLetters[static_cast<std::size_t>(slot - 1)];
}

// Whether a "0"/"1" mask marks the slot: a "1" at position slot; positions past the end of a
// shorter mask mark nothing.
constexpr bool SlotInMask(std::string_view mask, int slot) {
  return slot >= 1 && static_cast<std::size_t>(slot) <= mask.size() &&
         mask[static_cast<std::size_t>(slot - 1)] == '1';
}

}  // namespace glint
