#pragma once

namespace glint {

struct App;

// Draws the 104 icon images (and the filler) for the current settings; creates the fonts.
void RenderDriveIcons(App& app);
// Stamps the presence square on the images of present drives and erases it on the others.
void MarkPresentDrives(App& app);

}  // namespace glint
