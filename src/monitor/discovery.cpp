#include "monitor/discovery.h"

#include "app/app.h"

namespace glint {

void DiscoverDrives(App& app) { (void)app; }

}  // namespace glint
