#pragma once

#include <string_view>

namespace glint {

struct App;

// Popup menu item numbers.
inline constexpr int kMenuAbout = 1;
inline constexpr int kMenuDocumentation = 2;
inline constexpr int kMenuConfigureDrives = 3;
inline constexpr int kMenuConfigureWindow = 4;
inline constexpr int kMenuOnTopOnce = 5;
inline constexpr int kMenuNotOnTopOnce = 6;
inline constexpr int kMenuLockPosition = 7;
inline constexpr int kMenuSavePosition = 8;
inline constexpr int kMenuMinimizeToTray = 9;
inline constexpr int kMenuAlwaysShowTrayIcon = 10;
inline constexpr int kMenuRestoreDefaults = 11;
inline constexpr int kMenuExit = 12;
inline constexpr int kMenuUninstall = 13;
inline constexpr int kMenuDonation = 14;

inline constexpr std::string_view kTrayTooltipActive = "Glintbox works fine";
inline constexpr std::string_view kTrayTooltipDeactivated =
    "Glintbox deactivated - Double click to activate";

// Whether the main loop finishes its pass after a command or goes straight back to the wait.
enum class CommandFlow { kContinue, kBackToWait };

void BuildPopupMenu(App& app);
// Paints the 32 x 32 tray image: black above, red below, a white ring open to the right.
void LoadTrayImage(App& app);
void AddTrayIconWithTooltip(App& app, std::string_view tooltip);
// Opens the popup menu at the pointer; a chosen item arrives later as a menu event.
void ShowPopupMenu(App& app);
CommandFlow RunMenuCommand(App& app, int item);
void DeactivateToTray(App& app);
void ExploreByDoubleClick(App& app);
void ExploreByMiddleClick(App& app);

}  // namespace glint
