#pragma once

#include <string_view>

namespace glint {

struct App;

inline constexpr std::string_view kTrayTooltipActive = "Glintbox works fine";
inline constexpr std::string_view kTrayTooltipDeactivated =
    "Glintbox deactivated - Double click to activate";

// Paints the 32 x 32 tray image: black above, red below, a white ring open to the right.
void LoadTrayImage(App& app);
void AddTrayIconWithTooltip(App& app, std::string_view tooltip);
// Minimize to the tray with activity disabled, until a double-click on the tray icon.
void DeactivateToTray(App& app);

}  // namespace glint
