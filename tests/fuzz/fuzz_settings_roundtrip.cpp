// The round trip of the settings file: whatever a file holds, the record it loads to is saved and
// loaded back unchanged, and the saved text is a fixed point (loading and saving it again gives
// the same bytes). Checked on the reader alone and through LoadSettings/SaveSettings on the fake.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_env.h"

namespace {

using namespace glint;

std::string Saved(const AppSettings& s) {
  return SettingsText(s, s.winX, s.winY);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  AppSettings first;
  ReadSettingsText(text, first);

  FuzzEnv& env = FreshEnv(text);
  App& app = env.app;
  FakeSystem& system = env.system;
  const std::string& path = env.path;

  LoadSettings(app);
  // A short file is replaced by the defaults, a long one only read.
  const bool longEnough = size >= static_cast<std::size_t>(kMinSettingsFileSize);
  if (longEnough) Check(app.settings == first, "LoadSettings reads the file as the reader does");
  SaveSettings(app);
  const std::string saved = system.files[path];
  Check(system.files.size() == 1, "no temporary left");
  if (longEnough) Check(saved == Saved(first), "SaveSettings writes what SettingsText builds");
  // Long enough that the next start reads it rather than replacing it by the defaults.
  Check(saved.size() >= static_cast<std::size_t>(kMinSettingsFileSize), "saved file long enough");

  AppSettings again;
  ReadSettingsText(saved, again);
  Check(again == app.settings, "the saved file loads to the record it was saved from");
  Check(Saved(again) == saved, "the saved file is a fixed point: saving again gives its bytes");
  return 0;
}
