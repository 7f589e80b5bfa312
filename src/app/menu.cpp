#include "app/menu.h"

#include <array>

#include "core/app.h"
#include "core/numbers.h"
#include "core/product.h"

namespace glint {

namespace {

// "About Glintbox " followed by the version.
constexpr std::string_view kAboutItemText = "About Glintbox " GLINTBOX_VERSION_STRING;

constexpr MenuEntry kSeparator{};

constexpr std::array kEntries = {
    MenuEntry{kMenuAbout, kAboutItemText, &AboutCommand},
    MenuEntry{kMenuDocumentation, "View Glintbox Documentation", &DocumentationCommand},
    kSeparator,
    MenuEntry{kMenuConfigureDrives, "Configure Drives and Icons", &ConfigureDrivesCommand},
    MenuEntry{kMenuConfigureWindow, "Configure Window Options", &ConfigureWindowCommand},
    kSeparator,
    MenuEntry{kMenuOnTopOnce, "Set Window On Top (once)", &OnTopOnceCommand},
    MenuEntry{kMenuNotOnTopOnce, "Disable Window On Top (once)", &NotOnTopOnceCommand},
    MenuEntry{kMenuLockPosition, "Lock/Unlock Window Position", &LockPositionCommand},
    MenuEntry{kMenuSavePosition, "Save Window Position", &SavePositionCommand},
    MenuEntry{kMenuMinimizeToTray, "Minimize To Tray and Disable Activity", &MinimizeToTrayCommand},
    MenuEntry{kMenuAlwaysShowTrayIcon, "Always Show TrayIcon", &AlwaysShowTrayIconCommand},
    kSeparator,
    MenuEntry{kMenuRestoreDefaults, "Restore Glintbox defaults", &RestoreDefaultsCommand},
    MenuEntry{kMenuExit, "Exit", &ExitCommand},
    kSeparator,
    MenuEntry{kMenuUninstall, "Uninstall Glintbox", &UninstallCommand},
    kSeparator,
    MenuEntry{kMenuDonation, "Make a donation through PayPal", &DonationCommand},
};

}  // namespace

std::span<const MenuEntry> PopupMenuEntries() {
  return kEntries;
}

void BuildPopupMenu(App& app) {
  Toolkit& toolkit = app.toolkit;
  // Without the menu the items go nowhere and no menu opens; the program runs on.
  static_cast<void>(toolkit.CreatePopupMenu(kPopupMenu));
  for (const MenuEntry& entry : kEntries) {
    if (entry.item == 0) {
      toolkit.AppendMenuSeparator(kPopupMenu);
    } else {
      toolkit.AppendMenuItem(kPopupMenu, entry.item, entry.text);
    }
  }
}

void ShowPopupMenu(App& app) {
  Point pointer;
  // Unknown only without an input desktop (a locked session): the menu then opens at the corner.
  static_cast<void>(app.system.CursorPos(pointer));
  app.toolkit.SetForegroundWindow(kLedWindow);
  app.toolkit.TrackPopupMenu(kPopupMenu, kLedWindow, pointer.x - 1, pointer.y - 1);
}

CommandFlow RunMenuCommand(App& app, int item) {
  for (const MenuEntry& entry : kEntries) {
    if (entry.item != 0 && entry.item == item) return entry.command(app);
  }
  return CommandFlow::kContinue;
}

}  // namespace glint
