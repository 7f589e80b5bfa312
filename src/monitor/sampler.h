#pragma once

namespace glint {

struct App;

// Image number of a drive slot's icon in an activity state (0 idle, 1 read, 2 write, 3 both).
constexpr int IconImageFor(int slot, int bits) {
  return 26 * bits + slot;
}

// The 50 ms tick: samples every drive slot with a root and switches the icons' images.
void SampleDriveActivity(App& app);

}  // namespace glint
