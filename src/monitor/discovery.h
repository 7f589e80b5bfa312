#pragma once

namespace glint {

struct App;

// One pass over the drives Windows reports: types, presence, tooltips; flags a changed set.
void DiscoverDrives(App& app);

}  // namespace glint
