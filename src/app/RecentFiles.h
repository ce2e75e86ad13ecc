#pragma once

#include <string>
#include <vector>

namespace mosgrid {

class SettingsStore;

// The lists opened last, newest first, each once, kept in [Recent] File1 .. File8.
namespace RecentFiles {

// path put first; an earlier entry of it taken out; no more than max kept.
std::vector<std::string> With(std::vector<std::string> files, const std::string& path,
                              int max);
std::vector<std::string> Without(std::vector<std::string> files, const std::string& path);

// Whether a path can be kept: not empty, one line, short enough to read back whole.
bool IsStorable(const std::string& path);

std::vector<std::string> Read(const SettingsStore& settings);
// Writes the entries and empties the keys after them that hold one.
void Write(SettingsStore& settings, const std::vector<std::string>& files);

// The absolute, tidied form of a list's path, so one file is one entry.
std::string Canonical(const std::string& path);

} // namespace RecentFiles

} // namespace mosgrid
