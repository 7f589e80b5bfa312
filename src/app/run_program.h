#pragma once

#include <string>

namespace glint {

struct App;

// The file in double quotes (unless it already starts with one), then a blank and the
// parameters when there are any.
std::string BuildCommandLine(const std::string& file, const std::string& parameters);
// Starts a program by its full path; a file that does not start as one goes through the
// shell's file associations. Failures are silent: no caller looks at the result.
void RunProgram(App& app, const std::string& file, const std::string& parameters,
                const std::string& folder);
// Opens a document or a web address through the shell's file associations, in the file's own
// folder. Never as a program: CreateProcessA runs a program file whatever its name, so one named
// like the manual and left beside Glintbox (by a web page, say) would be started. Silent too.
void OpenDocument(App& app, const std::string& file);

}  // namespace glint
