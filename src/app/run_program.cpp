#include "app/run_program.h"

#include <cstdint>

#include "core/app.h"

namespace glint {

std::string BuildCommandLine(const std::string& file, const std::string& parameters) {
  std::string commandLine = (!file.empty() && file.front() == '"') ? file : '"' + file + '"';
  if (!parameters.empty()) commandLine += ' ' + parameters;
  return commandLine;
}

namespace {

std::string Unquoted(const std::string& file) {
  std::string out;
  out.reserve(file.size());
  for (char c : file)
    if (c != '"') out += c;
  return out;
}

// The file's own folder, up to and including its last backslash; empty for an address.
std::string FolderOf(const std::string& file) {
  const auto cut = file.find_last_of('\\');
  return cut == std::string::npos ? std::string() : file.substr(0, cut + 1);
}

}  // namespace

void RunProgram(App& app, const std::string& file, const std::string& parameters,
                const std::string& folder) {
  if (app.system.StartProcess(BuildCommandLine(file, parameters), folder)) return;
  const std::string target = Unquoted(file);
  // A missing program or document fails silently.
  static_cast<void>(
      app.system.ShellOpen(target, parameters, folder.empty() ? FolderOf(target) : folder, ""));
}

void OpenDocument(App& app, const std::string& file) {
  const std::string target = Unquoted(file);
  const std::string folder = FolderOf(target);
  // A file is opened as the type its name gives; an address (no folder) as the shell sees fit.
  std::string type;
  if (!folder.empty()) {
    // Told the type, the shell would start the viewer on a file that is not there, which would
    // say so: a missing document stays silent.
    const std::int64_t size = app.system.FileSize(target);
    if (size == System::kFileMissing || size == System::kFileIsDirectory) return;
    const std::string name = target.substr(folder.size());
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos) type = name.substr(dot);
  }
  // A browser that cannot be started fails silently.
  static_cast<void>(app.system.ShellOpen(target, "", folder, type));
}

}  // namespace glint
