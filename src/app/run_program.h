#pragma once

#include <string>

namespace glint {

struct App;

// The file in double quotes (unless it already starts with one), then a blank and the
// parameters when there are any.
std::string BuildCommandLine(const std::string& file, const std::string& parameters);
// Starts a program; documents, addresses and other non-programs go through the shell's file
// associations. Failures are silent: no caller looks at the result.
void RunProgram(App& app, const std::string& file, const std::string& parameters,
                const std::string& folder);

}  // namespace glint
