#pragma once

#include <string>

namespace mosgrid {

// The source as a list line written by the program holds it: a path inside the list file's
// folder (or below it) relative to that folder, so the list and its data can move together;
// any other source unchanged. listPath may itself be relative to the working folder.
std::string SourceRelativeToList(const std::string& listPath, const std::string& source);

} // namespace mosgrid
