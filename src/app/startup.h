#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"

namespace glint {

struct App;

// Start-up up to, not including, the main loop. Ends the process on a refusal.
void StartUp(App& app);
// Start-up, then the main loop; never returns.
[[noreturn]] void RunGlintbox(App& app);
// Releases what the toolkit holds and ends the process with exit code 0.
[[noreturn]] void ExitProgram(App& app);

// 100 for every version not named by the table (including a failing version query).
int OsVersionCode(const OsVersionInfo& info);
// Windows NT 3.51 and 4.0, 95, 98 and Me.
bool IsUnsupportedVersion(int osVersionCode);
// The executable's folder with a trailing backslash, or the current directory when the
// folder lies under "\Temp\" (an installer or archive tool running it from a temporary place).
std::string ProgramFolderFor(std::string_view modulePath, std::string_view currentDirectory);
void ResolveProgramFolder(App& app);
std::string BuildAboutText();

}  // namespace glint
