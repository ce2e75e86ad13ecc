#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mosgrid {

struct CatalogItem;

// The data tool's command line for an item, formatted from the template of its type with the
// item's bytes inserted unchanged: "tarnel.exe %s /d%s(%s) /dpac%s,%s" and its siblings.
std::string FormatToolCommandLine(const CatalogItem& item);

// Splits a command line into arguments the way the Microsoft C runtime does for the program it
// starts: blanks and tabs separate, double quotes group, backslashes escape a quote only. A
// line that is not valid UTF-8 is Shift-JIS: its double-byte characters are kept whole.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

} // namespace mosgrid
