#pragma once

#include <functional>
#include <string>
#include <vector>

namespace mosgrid {

// Starting the suite's data tool. No shell is ever involved: the command line is split into
// arguments by the C runtime's rules and the program is executed directly, so names and codes
// cannot inject commands.

// Where a program named without a directory is found: the program folder first, then PATH.
// Empty when it is found nowhere.
std::string FindProgram(const std::string& name, const std::string& exeDir);

// Starts the program as an independent process (not waited for, not watched); argv includes
// argv[0]. False when it could not be started.
bool StartDetached(const std::string& program, const std::vector<std::string>& argv);

// Whether the program a command line starts is found (beside the program or on PATH).
bool IsToolFound(const std::string& commandLine, const std::string& exeDir);

// WinExec's stand-in: split, find, start. Failures change nothing and are not reported.
void StartToolCommandLine(const std::string& commandLine, const std::string& exeDir);

// Replaces the start (not the split or the lookup) for tests: receives the program found and
// the arguments. An empty handler restores the real start.
using ToolStartHandler =
    std::function<void(const std::string& program, const std::vector<std::string>& argv)>;
void SetToolStartHandler(ToolStartHandler handler);

} // namespace mosgrid
