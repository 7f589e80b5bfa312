#include "app/commands.h"

#include "app/startup.h"
#include "app/timers.h"
#include "app/tray.h"
#include "core/app.h"
#include "core/numbers.h"
#include "settings/settings_file.h"

namespace glint {

// The commands that do nothing yet arrive with the tray and configuration work.

CommandFlow AboutCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow DocumentationCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow ConfigureDrivesCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow ConfigureWindowCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow OnTopOnceCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow NotOnTopOnceCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow LockPositionCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow SavePositionCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow MinimizeToTrayCommand(App& app) {
  DeactivateToTray(app);
  return CommandFlow::kBackToWait;
}

CommandFlow AlwaysShowTrayIconCommand(App&) {
  return CommandFlow::kContinue;
}

CommandFlow RestoreDefaultsCommand(App&) {
  return CommandFlow::kBackToWait;
}

CommandFlow ExitCommand(App& app) {
  PausedSchedule pause(app, SamplingAround::kResumed);
  const int answer = app.toolkit.ShowMessageBox("Glintbox", "Do you want to exit?",
                                                mb::kYesNo | mb::kIconQuestion);
  if (answer == mb::kIdYes) {
    pause.Abandon();
    SaveSettings(app);
    app.toolkit.DestroyWindow(kLedWindow);
    app.system.CloseInstanceMutex();
    ExitProgram(app);
  }
  return CommandFlow::kBackToWait;
}

CommandFlow UninstallCommand(App&) {
  return CommandFlow::kBackToWait;
}

CommandFlow DonationCommand(App&) {
  return CommandFlow::kContinue;
}

void ExploreByDoubleClick(App& app) {
  (void)app;
}

void ExploreByMiddleClick(App& app) {
  (void)app;
}

}  // namespace glint
