#pragma once

namespace glint {

struct App;

// Reads the performance counters of a device ("\\.\C:") and compares them with the slot's last
// ones: 0 idle, 1 read, 2 write, 3 both; 0 also when the device does not open or answer; 255 for
// a slot outside the tables.
int QueryDriveActivity(App& app, const char* devicePath, int slot);

}  // namespace glint
