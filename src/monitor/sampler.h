#pragma once

namespace glint {

struct App;

// The 50 ms tick: samples every drive slot with a root and switches the icons' images.
void SampleDriveActivity(App& app);

}  // namespace glint
