#pragma once
// What both settings fuzzers start each input from: the program's state over the in-memory
// platform, with the input as its Glintbox.ini.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/settings_file.h"
#include "support/fake_env.h"

// Each input frees a few kilobytes; ASan's default 256 MB quarantine only sent every allocation
// to fresh pages and the RSS to ~440 MB. 16 MB still holds hundreds of inputs' frees, so a use
// after free within an input is caught as before.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=16";
}

namespace glint {

struct FuzzEnv : FakeEnv {
  FuzzEnv() {
    journal.recording = false;
    app.programFolder = "C:\\Glintbox\\";
    path = SettingsPath(app);
  }
  std::string path;
};

// One environment for the whole run, made fresh in what the settings code reads and writes:
// building the fakes anew for every input cost more than the code under test.
inline FuzzEnv& FreshEnv(std::string text) {
  static FuzzEnv env;
  env.system.files.clear();
  env.app.settings = AppSettings{};
  env.app.settingsFileUnreadable = false;
  env.system.files[env.path] = std::move(text);
  return env;
}

// Ends the run with the rule that broke; libFuzzer keeps the input.
inline void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

}  // namespace glint
