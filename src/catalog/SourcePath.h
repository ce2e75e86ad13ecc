#pragma once

#include <string>
#include <unordered_map>

namespace mosgrid {

// Where a relative source of a list line is looked for: in the working folder, as always;
// when nothing is there but the same path from the list file's folder exists, that one, so
// a list opened from another folder still finds the files beside it.
class SourcePath {
public:
    // listFile: the list's path as given (its folder is what a relative source falls back on).
    explicit SourcePath(const std::string& listFile);

    // source unchanged unless it is relative, missing from the working folder and present
    // from the list's folder; then the path from the list's folder.
    std::string Resolve(const std::string& source);

private:
    std::string m_listFolder;  // with its trailing '/'; empty: the working folder itself
    std::unordered_map<std::string, std::string> m_resolved;  // many lines share a source
};

} // namespace mosgrid
