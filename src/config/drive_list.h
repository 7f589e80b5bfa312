#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image.h"

namespace glint {

// One line of the Drives and Icons window's drive list.
struct DriveListRow {
  std::string id;    // the root, "C:\"
  std::string type;  // "HardDisk Drive", ...
  Color text = 0;
  Color back = 0;
  friend bool operator==(const DriveListRow&, const DriveListRow&) = default;
};

// The list as the last discovery passes left it: a row per drive type entry, coloured so that
// present drives show green and drives that cannot be present dark red; the rest grey on Vista
// and 7 (where a flash drive may become present), dark red elsewhere.
std::vector<DriveListRow> DriveListRows(std::span<const std::string> driveTypeList,
                                        std::span<const std::string> floppyList, int floppyCount,
                                        std::string_view presenceMask, int vistaOrSeven);

}  // namespace glint
