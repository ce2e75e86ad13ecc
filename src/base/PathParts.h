#pragma once

#include <string>

namespace mosgrid {

// A path split at its last '/': the folder keeps its slash ("./" for a bare name), so
// FolderOf(p) + NameOf(p) names the same file.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

} // namespace mosgrid
