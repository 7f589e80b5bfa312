#include "monitor/sampler.h"

#include "app/app.h"

namespace glint {

void SampleDriveActivity(App& app) { (void)app; }

}  // namespace glint
