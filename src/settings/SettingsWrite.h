#pragma once

#include <string>
#include <vector>

namespace mosgrid {

// One write of a batch: section/key set to value, as WriteText would.
struct SettingsWrite {
    std::string section;
    std::string key;
    std::string value;
};

// Writes made together: one read of the file, one atomic replace.
using SettingsWriteBatch = std::vector<SettingsWrite>;

} // namespace mosgrid
