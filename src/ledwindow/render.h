#pragma once

namespace glint {

struct App;

// Derives the icon metrics, creates the fonts and draws the 104 icon images for the current
// settings. The images come out without presence squares; the rebuild that must follow stamps
// them again and gives the controls their images.
void RenderDriveIcons(App& app);
// Stamps the presence square on the images of present drives and erases it on the others, shows
// each touched drive's idle image and records `presenceSnapshot`.
void MarkPresentDrives(App& app);

}  // namespace glint
