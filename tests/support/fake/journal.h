#pragma once

#include <string>
#include <vector>

namespace glint {

// What the fakes were asked to do, in order, as short lines ("CreateInstanceMutex Glintbox").
// Tests read it to check the order of start-up steps and the calls a rule makes.
struct Journal {
  std::vector<std::string> lines;
  bool recording = true;  // the fuzzers read no journal and keep none
  void Add(std::string line) {
    if (recording) lines.push_back(std::move(line));
  }
  // Lines that start with the prefix, in order.
  std::vector<std::string> Matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& l : lines)
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }
  bool Contains(const std::string& line) const {
    for (const auto& l : lines)
      if (l == line) return true;
    return false;
  }
};

}  // namespace glint
