#pragma once

#include <string>

namespace mosgrid {

// Where the program lives and keeps its settings, fixed at start-up and handed to every
// part that needs them.
struct ProgramPaths {
    std::string exeDir;   // the program folder, ending in '/'
    std::string iniFile;  // the settings file
    std::string flagsFile{};  // the per-user flags file; empty: kept for the session only
};

} // namespace mosgrid
