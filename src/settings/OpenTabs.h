#pragma once

#include <string>
#include <vector>

namespace mosgrid {

class SettingsStore;

// The lists open as tabs, kept in [Tabs] File1…FileN and Current (1-based) so that a start
// without a list on the command line opens them again. Only two or more tabs are kept: with
// one the section is emptied and a start is exactly as it always was.
struct OpenTabs {
    std::vector<std::string> files;
    int current = 0;  // index into files
};

namespace TabKeys {
inline constexpr char kSectionTabs[] = "Tabs";
inline constexpr char kFileFormat[] = "File";
inline constexpr char kCurrent[] = "Current";
} // namespace TabKeys

// Empty unless two or more non-empty files are kept; current within them.
OpenTabs ReadOpenTabs(const SettingsStore& settings);
void WriteOpenTabs(SettingsStore& settings, const OpenTabs& tabs);

} // namespace mosgrid
