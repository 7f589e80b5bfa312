#include "config/drive_list.h"

#include <initializer_list>

#include "core/drives.h"

namespace glint {

namespace {

constexpr Color kWhite = MakeColor(255, 255, 255);
constexpr Color kGrey = MakeColor(153, 153, 153);
constexpr Color kDarkRed = MakeColor(128, 0, 0);
constexpr Color kGreen = MakeColor(0, 128, 0);

std::string_view Field(std::string_view entry, int index) {
  for (int i = 0; i < index; ++i) {
    const auto bar = entry.find('|');
    if (bar == std::string_view::npos) return {};
    entry.remove_prefix(bar + 1);
  }
  return entry.substr(0, entry.find('|'));
}

bool OneOf(std::string_view type, std::initializer_list<std::string_view> types) {
  for (std::string_view t : types)
    if (type == t) return true;
  return false;
}

}  // namespace

std::vector<DriveListRow> DriveListRows(std::span<const std::string> driveTypeList,
                                        std::span<const std::string> floppyList, int floppyCount,
                                        std::string_view presenceMask, int vistaOrSeven) {
  std::vector<DriveListRow> rows;
  const Color base = vistaOrSeven == 1 ? kGrey : kDarkRed;
  for (const std::string& entry : driveTypeList) {
    if (entry.empty()) continue;
    rows.push_back({std::string(Field(entry, 0)), std::string(Field(entry, 1)), kWhite, base});
  }
  // Later passes override earlier ones.
  if (floppyCount > 0) {
    for (const std::string& entry : floppyList) {
      if (entry.empty()) continue;
      for (DriveListRow& row : rows) {
        if (row.id != Field(entry, 0)) continue;
        row.type = "Floppy Drive";
        row.back = kDarkRed;
      }
    }
  }
  for (int slot = 1; slot <= kDriveCount; ++slot) {
    if (!SlotInMask(presenceMask, slot)) continue;
    for (DriveListRow& row : rows)
      if (!row.id.empty() && row.id.front() == DriveLetter(slot)) row.back = kGreen;
  }
  for (DriveListRow& row : rows) {
    if (OneOf(row.type,
              {"Floppy Drive", "Network Drive", "CD-ROM Drive", "RAM DISK Drive", "Unknown"}) ||
        (vistaOrSeven == 0 && OneOf(row.type, {"Flash Drive", "Floppy Drive", "CD-ROM Drive",
                                               "RAM DISK Drive", "Network Drive", "Unknown"}))) {
      row.back = kDarkRed;
    }
  }
  return rows;
}

}  // namespace glint
