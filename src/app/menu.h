#pragma once

#include <span>
#include <string_view>

#include "app/commands.h"

namespace glint {

struct App;

// One line of the popup menu: an item with its text and command, or a separator (item 0).
struct MenuEntry {
  int item = 0;
  std::string_view text;
  CommandFlow (*command)(App&) = nullptr;
};

// The popup menu, top to bottom: what builds it and what dispatches its items.
std::span<const MenuEntry> PopupMenuEntries();

void BuildPopupMenu(App& app);
// Opens the popup menu at the pointer; a chosen item arrives later as a menu event.
void ShowPopupMenu(App& app);
// The command of an item; items the menu does not have do nothing.
CommandFlow RunMenuCommand(App& app, int item);

}  // namespace glint
