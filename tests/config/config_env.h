#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/startup.h"
#include "support/fake_env.h"

namespace glint {

inline constexpr char kConfigIni[] = "C:\\Program Files\\Glintbox\\Glintbox.ini";

// The program running with its window laid out, C: present; a configuration window is opened
// on it with events scripted beforehand.
struct ConfigEnv : FakeEnv {
  ConfigEnv() {
    disk.drives['C'] = {};
    StartUp(app);
    toolkit.Post(Event::Raw(msg::kPaint));
    MainLoopPass(app);
    journal.lines.clear();
  }
  int Renders() const { return static_cast<int>(journal.Matching("CreateNumberedFont 1").size()); }
  int Rebuilds() const { return static_cast<int>(journal.Matching("ShowWindow 0 show").size()); }
  const FakeToolkit::Control& ControlOf(int control) const { return toolkit.controls.at(control); }
  // What a configuration window does once it is left: its end, renders, layouts and saves.
  std::vector<std::string> Finishing(int window) const {
    const auto& lines = journal.lines;
    auto it = std::find(lines.begin(), lines.end(), "DestroyWindow " + std::to_string(window));
    std::vector<std::string> steps;
    for (; it != lines.end(); ++it)
      for (const char* step :
           {"DestroyWindow", "CreateNumberedFont 1", "ShowWindow 0 show", "MoveFileOver"})
        if (it->rfind(step, 0) == 0) steps.push_back(*it);
    return steps;
  }
  bool Checked(int control) const { return toolkit.IsControlChecked(control); }
};

// Numbers unique and in the given order.
inline std::vector<int> NumbersOf(std::span<const ControlDef> defs) {
  std::vector<int> out;
  for (const ControlDef& def : defs) out.push_back(def.number);
  return out;
}

inline bool Unique(const std::vector<int>& numbers) {
  return std::set<int>(numbers.begin(), numbers.end()).size() == numbers.size();
}

}  // namespace glint
