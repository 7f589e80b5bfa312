#pragma once

#include <string>

namespace glint {

struct App;

// "C:\ Label [NTFS] - Free: 12 MB - Total: 34 MB" for a drive slot (1..26).
std::string DriveTooltip(App& app, int slot);

// One pass over the drives Windows reports: types, presence, tooltips; flags a changed set.
void DiscoverDrives(App& app);
// With the defaults restored: the types of the drives found so far (the type list and the floppy
// count) are forgotten until the next pass finds them again.
void ForgetDriveTypes(App& app);

}  // namespace glint
