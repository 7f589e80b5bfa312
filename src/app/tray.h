#pragma once

#include <string_view>

namespace glint {

struct App;

inline constexpr std::string_view kTrayTooltipActive = "Glintbox works fine";
inline constexpr std::string_view kTrayTooltipDeactivated =
    "Glintbox deactivated - Double click to activate";

// The tray image: the program's icon, 32 x 32.
void LoadTrayImage(App& app);
bool AddTrayIconWithTooltip(App& app, std::string_view tooltip);
// Minimize to the tray with activity disabled, until a left double-click on the tray icon.
void DeactivateToTray(App& app);

}  // namespace glint
