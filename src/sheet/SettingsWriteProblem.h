#pragma once

#include <QString>

#include <string>

namespace mosgrid {

// Why the settings file at path cannot be written, for the user, as far as the file and its
// folders show it now: a file where a folder should be, a folder or file that may not be
// written, a file that cannot be read (writing over it would lose it). A general reason
// (the disk may be full) when none of these shows.
QString SettingsWriteProblem(const std::string& path);

// The message after a failed write of the settings: the path and the reason.
QString SettingsWriteFailedText(const std::string& path);

} // namespace mosgrid
