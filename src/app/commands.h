#pragma once

#include <string_view>

namespace glint {

struct App;

// Whether the main loop finishes its pass after a command or goes straight back to the wait.
enum class CommandFlow { kContinue, kBackToWait };

// The commands of the popup menu, one per item.
CommandFlow AboutCommand(App& app);
CommandFlow DocumentationCommand(App& app);
CommandFlow ConfigureDrivesCommand(App& app);
CommandFlow ConfigureWindowCommand(App& app);
CommandFlow OnTopOnceCommand(App& app);
CommandFlow NotOnTopOnceCommand(App& app);
CommandFlow LockPositionCommand(App& app);
CommandFlow SavePositionCommand(App& app);
CommandFlow MinimizeToTrayCommand(App& app);
CommandFlow AlwaysShowTrayIconCommand(App& app);
CommandFlow RestoreDefaultsCommand(App& app);
CommandFlow ExitCommand(App& app);
CommandFlow UninstallCommand(App& app);
CommandFlow DonationCommand(App& app);

// The maker's web page in the browser, or the manual where the build set no page.
void OpenMakerPage(App& app, std::string_view page);

// A left double-click on `control` (0 when it was not on a control).
void ExploreByDoubleClick(App& app, int control);
void ExploreByMiddleClick(App& app);

}  // namespace glint
