#include "ledwindow/render.h"

#include "app/app.h"

namespace glint {

// Rendering arrives with the LED window work; until then the images stay black.
void RenderDriveIcons(App& app) { (void)app; }

void MarkPresentDrives(App& app) { (void)app; }

}  // namespace glint
